// The setup program's entry point: the title page as the backdrop and main
// form, then the message loop until QuitSetup.
#include <windows.h>

#include "forms/Application.h"
#include "pages/MainWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TApplication application;
    try {
        application.Initialize();
        application.CreateForm(Form1);
        application.Run();
    } catch (const std::exception &e) {
        application.ShowException(e.what());
    } catch (...) {
        application.ShowException("Unknown error");
    }
    return 0;
}
