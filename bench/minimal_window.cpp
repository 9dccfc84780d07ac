// The yardstick of the start-up benchmark: the smallest Win32 program that
// shows a maximised window, started the same way as Setup.exe.
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TForm1";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "TForm1", "Minimal", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
