#pragma once

#include <string>

#include <windows.h>

#include "win32/Gdi.h"

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
