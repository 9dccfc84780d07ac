#pragma once

#include <windows.h>

#include "win32/Holder.h"

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

inline void ReleaseSystemLibrary(HMODULE module) {
    FreeLibrary(module);
}

// A DLL of the system folder (LoadSystemLibrary), freed when the holder goes
// out of scope; none before it is given a name.
class TSystemLibrary : public THolder<HMODULE, ReleaseSystemLibrary> {
  public:
    TSystemLibrary() = default;
    explicit TSystemLibrary(const char *name) : THolder(LoadSystemLibrary(name)) {}
    // An export of the DLL as the function type T, null when the DLL or the
    // export is missing.
    template <class T> T Proc(const char *name) const { return ProcAddress<T>(Get(), name); }
};
