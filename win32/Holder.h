#pragma once

// Holds one handle of type T and releases it with Free (DeleteObject,
// RegCloseKey, FindClose ...) when it goes out of scope or another handle
// takes its place. A null handle is none. The holders of this folder are
// this one with their release and, where they need it, a way to open.
template <class T, auto Free> class THolder {
  public:
    explicit THolder(T handle = nullptr) : Handle(handle) {}
    ~THolder() { Reset(); }
    THolder(const THolder &) = delete;
    THolder &operator=(const THolder &) = delete;

    T Get() const { return Handle; }
    bool Valid() const { return Handle != nullptr; }
    // Releases the handle held so far and holds this one.
    void Reset(T handle = nullptr) {
        if (Handle)
            Free(Handle);
        Handle = handle;
    }
    // Gives the handle up without releasing it.
    T Release() {
        T handle = Handle;
        Handle = nullptr;
        return handle;
    }

  private:
    T Handle;
};
