#pragma once

#include <windows.h>

#include "win32/Holder.h"

inline void CloseKey(HKEY key) {
    RegCloseKey(key);
}

// Holds an open registry key and closes it with RegCloseKey when it goes out
// of scope.
class TRegKey : public THolder<HKEY, CloseKey> {
  public:
    using THolder::THolder;
    // Opens subKey of parent with the given access in place of the key held
    // so far; false, holding none, when it cannot be opened.
    bool Open(HKEY parent, const char *subKey, REGSAM access) {
        HKEY opened = nullptr;
        const bool done = RegOpenKeyExA(parent, subKey, 0, access, &opened) == ERROR_SUCCESS;
        Reset(done ? opened : nullptr);
        return done;
    }
};
