// The planting test's yardstick: a program that restricts the DLL search as
// its very first act and then makes the kinds of calls Setup.exe makes (a
// window with a button, COM, a shell link, the Programs folder, the
// DirectDraw object, a key under HKEY_CLASSES_ROOT). Whatever Wine still
// binds from this program's folder, no program can prevent.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace {

const CLSID kClsidDirectDraw = {0xD7B70EE0, 0x4340, 0x11CF, {0xB0, 0x63, 0x00, 0x20, 0xAF, 0xC2, 0xCD, 0x35}};
const IID kIidDirectDraw2 = {0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

void Restrict() {
    typedef BOOL(WINAPI * TSetDefault)(DWORD);
    auto setDefault = reinterpret_cast<TSetDefault>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(0x00000800))
        ExitProcess(2);
}

void WindowWithButton() {
    HWND window = CreateWindowExA(0, "STATIC", "Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 60, 24, window, nullptr, nullptr,
                    nullptr);
    UpdateWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    DestroyWindow(window);
}

void ShellAndCom() {
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        link->SetPath("C:\\windows\\notepad.exe");
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            file->Save(L"C:\\windows\\temp\\probe.lnk", TRUE);
            file->Release();
            DeleteFileA("C:\\windows\\temp\\probe.lnk");
        }
        link->Release();
    }
    LPITEMIDLIST programs = nullptr;
    char path[MAX_PATH];
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &programs))) {
        SHGetPathFromIDListA(programs, path);
        CoTaskMemFree(programs);
    }
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    IUnknown *directDraw = nullptr;
    if (SUCCEEDED(CoCreateInstance(kClsidDirectDraw, nullptr, CLSCTX_INPROC_SERVER, kIidDirectDraw2,
                                   reinterpret_cast<void **>(&directDraw))))
        directDraw->Release();
    CoUninitialize();
}

void ClassesKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".vantorelleprobe", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>("probe"), 6);
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".vantorelleprobe");
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Restrict();
    WindowWithButton();
    ShellAndCom();
    ClassesKey();
    return 0;
}
