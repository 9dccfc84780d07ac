// Vantorelle.exe: opens a window that names the file it was started with
// (the shell starts it as "Vantorelle.exe" "<file>") and what kind of file
// that is, as Tovx.dll beside the program tells, above the player's panel
// from its pictures. Its resources (VantorelleApp.rc) carry the pictures and
// sounds of the window and the demo composition.
#include <windows.h>
#include <string>

#include "win32/Gdi.h"

namespace {

const char ClassName[] = "VantorelleApp";
const int IdFileLabel = 100;
const int IdFile = 101; // read-only edit box with the opened file's path
const int IdKind = 102; // the kind of file, from Tovx.dll
const int IdCompositionIcon = 2;

// The command line after the program's own name, blanks and one pair of
// surrounding quotes removed: the file to open, or "" when none was given.
std::string OpenedFile(const char *commandLine) {
    const char *p = commandLine;
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {
        }
        if (*p == '"') {
            ++p;
        }
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') {
            ++p;
        }
    }
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    std::string file(p);
    while (!file.empty() && (file.back() == ' ' || file.back() == '\t')) {
        file.pop_back();
    }
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    return file;
}

// Tovx.dll from the program's folder, released when the holder goes.
class TovxLibrary {
  public:
    TovxLibrary() {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return;
        }
        std::string name(path, length);
        name.erase(name.find_last_of('\\') + 1);
        name += "Tovx.dll";
        Module = LoadLibraryA(name.c_str());
    }
    ~TovxLibrary() {
        if (Module != nullptr) {
            FreeLibrary(Module);
        }
    }
    TovxLibrary(const TovxLibrary &) = delete;
    TovxLibrary &operator=(const TovxLibrary &) = delete;

    // The library's name for the kind of file, or "" without the library.
    std::string FileKind(const std::string &path) const {
        typedef const char *(*FileKindProc)(const char *);
        if (Module == nullptr) {
            return "";
        }
        // Through the generic function type, which any function pointer may be cast to and from.
        FileKindProc fileKind = reinterpret_cast<FileKindProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(Module, "TovxFileKind")));
        return fileKind != nullptr ? fileKind(path.c_str()) : "";
    }

  private:
    HMODULE Module = nullptr;
};

HWND AddControl(HWND parent, const char *className, const char *text, DWORD exStyle, DWORD style, int id) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void CreateControls(HWND window) {
    std::string file = OpenedFile(GetCommandLineA());
    std::string kind = file.empty() ? "" : TovxLibrary().FileKind(file);
    AddControl(window, "STATIC", file.empty() ? "No file was given." : "Opened file:", 0, SS_LEFT,
               IdFileLabel);
    AddControl(window, "EDIT", file.c_str(), WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | ES_READONLY, IdFile);
    AddControl(window, "STATIC", kind.c_str(), 0, SS_LEFT, IdKind);
}

void LayOut(HWND window, int width) {
    const int margin = 12;
    MoveWindow(GetDlgItem(window, IdFileLabel), margin, margin, width - 2 * margin, 16, TRUE);
    MoveWindow(GetDlgItem(window, IdFile), margin, margin + 20, width - 2 * margin, 22, TRUE);
    MoveWindow(GetDlgItem(window, IdKind), margin, margin + 52, width - 2 * margin, 16, TRUE);
}

// The player's panel, from the program's pictures, below the controls.
void PaintPanel(HWND window) {
    TPaintScope paint(window);
    TGdiObject panel(LoadBitmapA(GetModuleHandleA(nullptr), "Panel"));
    if (panel.Get() != nullptr) {
        TMemoryDC source(paint.Get());
        TSelectObject select(source.Get(), panel.Get());
        BITMAP size = {};
        GetObjectA(panel.Get(), sizeof(size), &size);
        RECT client;
        GetClientRect(window, &client);
        const int top = 88;
        StretchBlt(paint.Get(), 0, top, client.right, client.bottom > top ? client.bottom - top : 0,
                   source.Get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_SIZE:
        LayOut(window, LOWORD(lParam));
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        PaintPanel(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IdCompositionIcon));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        return 1;
    }
    HWND window = CreateWindowExA(0, ClassName, "Vantorelle", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 560, 220, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
