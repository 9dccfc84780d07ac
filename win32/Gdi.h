#pragma once

#include <windows.h>

#include "win32/Holder.h"

inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}

// Holds a GDI object of type T (HBRUSH, HPEN, HFONT, HBITMAP) and deletes it
// when it goes out of scope. The type follows from what it is made with:
// TGdiObject brush(CreateSolidBrush(color)) holds an HBRUSH.
template <class T = HGDIOBJ> class TGdiObject : public THolder<T, DeleteGdiObject> {
  public:
    using TGdiObject::THolder::THolder;
};
template <class T> TGdiObject(T) -> TGdiObject<T>;

// Selects an object into a device context and puts the old one back when it
// goes out of scope or is told to.
class TSelectObject {
  public:
    TSelectObject() = default;
    TSelectObject(HDC dc, HGDIOBJ object) { Select(dc, object); }
    ~TSelectObject() { Restore(); }
    TSelectObject(const TSelectObject &) = delete;
    TSelectObject &operator=(const TSelectObject &) = delete;

    // Puts back what an earlier Select replaced, then selects object into dc.
    void Select(HDC dc, HGDIOBJ object) {
        Restore();
        Dc = dc;
        Old = SelectObject(dc, object);
    }
    // Puts the old object back now.
    void Restore() {
        if (Dc)
            SelectObject(Dc, Old);
        Dc = nullptr;
        Old = nullptr;
    }

  private:
    HDC Dc = nullptr;
    HGDIOBJ Old = nullptr;
};

// A window's paint: BeginPaint on construction, EndPaint when it goes out of
// scope, so that the update region is validated on every way out of the
// painting, a thrown exception included.
class TPaintScope {
  public:
    explicit TPaintScope(HWND window) : Window(window), Dc(BeginPaint(window, &Paint)) {}
    ~TPaintScope() { EndPaint(Window, &Paint); }
    TPaintScope(const TPaintScope &) = delete;
    TPaintScope &operator=(const TPaintScope &) = delete;
    HDC Get() const { return Dc; }

  private:
    HWND Window;
    PAINTSTRUCT Paint = {};
    HDC Dc;
};

// A window's device context from GetDC, released when it goes out of scope.
class TWindowDC {
  public:
    explicit TWindowDC(HWND window) : Window(window), Dc(GetDC(window)) {}
    ~TWindowDC() {
        if (Dc)
            ReleaseDC(Window, Dc);
    }
    TWindowDC(const TWindowDC &) = delete;
    TWindowDC &operator=(const TWindowDC &) = delete;
    HDC Get() const { return Dc; }

  private:
    HWND Window;
    HDC Dc;
};

inline void DeleteMemoryDC(HDC dc) {
    DeleteDC(dc);
}

// A memory device context compatible with another, deleted when it goes out
// of scope.
class TMemoryDC : public THolder<HDC, DeleteMemoryDC> {
  public:
    TMemoryDC() = default;
    explicit TMemoryDC(HDC compatible) : THolder(CreateCompatibleDC(compatible)) {}
    // Deletes the context held so far and makes one compatible with another;
    // false when it cannot be made.
    bool Create(HDC compatible) {
        Reset(CreateCompatibleDC(compatible));
        return Valid();
    }
};
