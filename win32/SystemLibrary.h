#pragma once

#include <windows.h>

// Loads a DLL of the system folder by its full path, never through the
// search path, which starts at the program's own folder; the DLL's own
// imports are looked for from the system folder too. Null when the system
// has no such DLL. The caller frees the module.
inline HMODULE LoadSystemLibrary(const char *name) {
    char path[MAX_PATH];
    UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    if (folder == 0 || folder + 1 + lstrlenA(name) >= MAX_PATH)
        return nullptr;
    path[folder] = '\\';
    lstrcpyA(path + folder + 1, name);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// An export of a module as the function type T; null when it is missing.
// (Through void (*)(): a direct cast from FARPROC draws a warning.)
template <class T> T ProcAddress(HMODULE module, const char *name) {
    return module ? reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// A DLL of the system folder (LoadSystemLibrary), freed when the holder goes
// out of scope.
class TSystemLibrary {
  public:
    explicit TSystemLibrary(const char *name) : Module(LoadSystemLibrary(name)) {}
    ~TSystemLibrary() {
        if (Module)
            FreeLibrary(Module);
    }
    TSystemLibrary(const TSystemLibrary &) = delete;
    TSystemLibrary &operator=(const TSystemLibrary &) = delete;

    HMODULE Get() const { return Module; }
    // An export of the DLL as the function type T, null when the DLL or the
    // export is missing.
    template <class T> T Proc(const char *name) const { return ProcAddress<T>(Module, name); }

  private:
    HMODULE Module = nullptr;
};
