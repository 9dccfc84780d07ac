#pragma once

#include <objbase.h>

// COM for the calling thread while the scope lives. A failed initialisation
// is not undone, so the scope never takes away someone else's.
class TComScope {
  public:
    TComScope() : Result(CoInitialize(nullptr)) {}
    ~TComScope() {
        if (SUCCEEDED(Result))
            CoUninitialize();
    }
    TComScope(const TComScope &) = delete;
    TComScope &operator=(const TComScope &) = delete;

    bool Initialized() const { return SUCCEEDED(Result); }
    // What CoInitialize answered (RPC_E_CHANGED_MODE: the thread is in the
    // multithreaded apartment already).
    HRESULT Answer() const { return Result; }

  private:
    HRESULT Result;
};

// An interface pointer, released when the holder goes out of scope.
template <class T> class TComPtr {
  public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }
    TComPtr(const TComPtr &) = delete;
    TComPtr &operator=(const TComPtr &) = delete;

    T *Get() const { return Ptr; }
    T *operator->() const { return Ptr; }
    // Where a creating call (CoCreateInstance, QueryInterface) puts the
    // pointer; any held so far is released first.
    void **Out() { return reinterpret_cast<void **>(Typed()); }
    T **Typed() {
        Reset();
        return &Ptr;
    }
    void Reset() {
        if (Ptr)
            Ptr->Release();
        Ptr = nullptr;
    }

  private:
    T *Ptr = nullptr;
};
