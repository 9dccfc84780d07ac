#pragma once

#include <string>

#include <windows.h>

// Colours as the pages give them: an RGB value, or a system colour
// (0x80000000 | COLOR_xxx) that follows the user's scheme.
typedef DWORD TColor;

const TColor clSystem = 0x80000000;
const TColor clWindow = clSystem | COLOR_WINDOW;
const TColor clWindowText = clSystem | COLOR_WINDOWTEXT;
const TColor clBtnFace = clSystem | COLOR_BTNFACE;
const TColor clBlack = RGB(0, 0, 0);
const TColor clWhite = RGB(255, 255, 255);

// The RGB value of a colour, system colours looked up now.
COLORREF ColorToRGB(TColor color);

// Parses a colour of form data: a name (navy, aqua ...), a system colour
// (clWindow, clWindowText, clBtnFace) or "(r,g,b)". Returns false for anything else.
bool ParseColor(const std::string &text, TColor &color);

enum TFontStyle { fsNone = 0, fsBold = 1, fsItalic = 2 };

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TColor Color = clWindowText;
    int Style = fsNone;

    // A GDI font for these attributes; the caller deletes it.
    HFONT Create() const;
};

// Holds a GDI object and deletes it when it goes out of scope.
class TGdiObject {
  public:
    explicit TGdiObject(HGDIOBJ object) : Object(object) {}
    ~TGdiObject() {
        if (Object)
            DeleteObject(Object);
    }
    TGdiObject(const TGdiObject &) = delete;
    TGdiObject &operator=(const TGdiObject &) = delete;
    HGDIOBJ Get() const { return Object; }

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
