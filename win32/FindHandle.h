#pragma once

#include <windows.h>

#include "win32/Holder.h"

inline void CloseSearch(HANDLE search) {
    FindClose(search);
}

// Holds a FindFirstFileA search and closes it with FindClose when it goes
// out of scope. A failed search (INVALID_HANDLE_VALUE) holds none.
class TFindHandle : public THolder<HANDLE, CloseSearch> {
  public:
    explicit TFindHandle(HANDLE search) : THolder(search == INVALID_HANDLE_VALUE ? nullptr : search) {}
};
