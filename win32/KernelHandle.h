#pragma once

#include <windows.h>

// Holds a kernel handle (a file, a process, a snapshot) and closes it with
// CloseHandle when it goes out of scope. Null and INVALID_HANDLE_VALUE both
// stand for no handle, as the functions that open one fail with either.
class TKernelHandle {
  public:
    explicit TKernelHandle(HANDLE handle = nullptr) : Handle(handle) {}
    ~TKernelHandle() { Close(); }
    TKernelHandle(const TKernelHandle &) = delete;
    TKernelHandle &operator=(const TKernelHandle &) = delete;

    bool Valid() const { return Handle != nullptr && Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return Handle; }
    // Closes the handle held so far and holds this one.
    void Reset(HANDLE handle = nullptr) {
        Close();
        Handle = handle;
    }
    // Closes the handle now. False when CloseHandle failed (for a file: its
    // last writes may be lost); true when none was held.
    bool Close() {
        const bool closed = !Valid() || CloseHandle(Handle) != FALSE;
        Handle = nullptr;
        return closed;
    }

  private:
    HANDLE Handle;
};
