#pragma once

#include <windows.h>

#include "win32/Holder.h"

inline void CloseKernelHandle(HANDLE handle) {
    CloseHandle(handle);
}

// Holds a kernel handle (a file, a process, a snapshot) and closes it with
// CloseHandle when it goes out of scope. Null and INVALID_HANDLE_VALUE both
// stand for no handle, as the functions that open one fail with either.
class TKernelHandle : public THolder<HANDLE, CloseKernelHandle> {
  public:
    explicit TKernelHandle(HANDLE handle = nullptr) : THolder(Held(handle)) {}
    void Reset(HANDLE handle = nullptr) { THolder::Reset(Held(handle)); }
    // Closes the handle now. False when CloseHandle failed (for a file: its
    // last writes may be lost); true when none was held.
    bool Close() {
        HANDLE handle = Release();
        return !handle || CloseHandle(handle) != FALSE;
    }

  private:
    static HANDLE Held(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }
};
