#pragma once

#include <windows.h>

// Holds a GDI object and deletes it when it goes out of scope.
class TGdiObject {
  public:
    explicit TGdiObject(HGDIOBJ object = nullptr) : Object(object) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject &) = delete;
    TGdiObject &operator=(const TGdiObject &) = delete;
    HGDIOBJ Get() const { return Object; }
    // Deletes the object held so far and holds this one.
    void Reset(HGDIOBJ object = nullptr) {
        if (Object)
            DeleteObject(Object);
        Object = object;
    }

  private:
    HGDIOBJ Object;
};

// Selects an object into a device context and puts the old one back.
class TSelectObject {
  public:
    TSelectObject(HDC dc, HGDIOBJ object) : Dc(dc), Old(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(Dc, Old); }
    TSelectObject(const TSelectObject &) = delete;
    TSelectObject &operator=(const TSelectObject &) = delete;

  private:
    HDC Dc;
    HGDIOBJ Old;
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

// A memory device context compatible with another, deleted when it goes out
// of scope.
class TMemoryDC {
  public:
    explicit TMemoryDC(HDC compatible) : Dc(CreateCompatibleDC(compatible)) {}
    ~TMemoryDC() {
        if (Dc)
            DeleteDC(Dc);
    }
    TMemoryDC(const TMemoryDC &) = delete;
    TMemoryDC &operator=(const TMemoryDC &) = delete;
    HDC Get() const { return Dc; }

  private:
    HDC Dc;
};
