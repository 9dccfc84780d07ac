// The setup program's entry point: the title page as the backdrop and main
// form, then the message loop until QuitSetup.
#include <cstdlib>

#include <windows.h>

#include "app/Restrictions.h"
#include "forms/Application.h"
#include "pages/MainWindow.h"
#include "resources/ResourceIds.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // First of all, before any window, COM or shell call can load a DLL by
    // name: nothing from the program's own folder.
    RestrictDllSearch();
    TSystemDlls systemDlls;
    // Then, before any file is touched: no junction that another user made.
    RestrictRedirection();
    TApplication application;
    try {
        application.Initialize(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP)));
        application.CreateForm(Form1);
        application.Run();
    } catch (const std::exception &e) {
        application.ShowException(e.what());
    } catch (...) {
        application.ShowException("Unknown error");
    }
    return 0;
}

// Every exception is caught above or in the window procedures, so a call of
// std::terminate is a fault with nothing useful to print: end at once. This
// takes the place of the library's verbose handler, which writes the
// exception's demangled type to a console that a GUI program does not have
// and would link the whole demangler into Setup.exe for it.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
