#pragma once

#include <windows.h>

// Holds a FindFirstFileA search and closes it with FindClose when it goes
// out of scope.
class TFindHandle {
  public:
    explicit TFindHandle(HANDLE handle) : Handle(handle) {}
    ~TFindHandle() {
        if (Valid())
            FindClose(Handle);
    }
    TFindHandle(const TFindHandle &) = delete;
    TFindHandle &operator=(const TFindHandle &) = delete;
    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return Handle; }

  private:
    HANDLE Handle;
};
