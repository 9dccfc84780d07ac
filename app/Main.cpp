// The setup program's entry point: the title page as the backdrop and main
// form, then the message loop until QuitSetup.
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
    application.Initialize(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP)));
    if (application.CreateForm(Form1))
        application.Run();
    // An error raised on the way here (the title page's form data or window)
    // is shown as the window procedures show those of the pages.
    application.ShowRaised();
    return 0;
}
