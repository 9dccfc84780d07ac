#include "forms/Graphics.h"

#include <cstdio>

COLORREF ColorToRGB(TColor color) {
    if (color & clSystem)
        return GetSysColor(color & 0xFF);
    return color;
}

bool ParseColor(const std::string &text, TColor &color) {
    static const struct {
        const char *Name;
        TColor Color;
    } names[] = {
        {"black", RGB(0, 0, 0)},        {"white", RGB(255, 255, 255)}, {"aqua", RGB(0, 255, 255)},
        {"yellow", RGB(255, 255, 0)},   {"lime", RGB(0, 255, 0)},      {"fuchsia", RGB(255, 0, 255)},
        {"red", RGB(255, 0, 0)},        {"blue", RGB(0, 0, 255)},      {"navy", RGB(0, 0, 128)},
        {"teal", RGB(0, 128, 128)},     {"green", RGB(0, 128, 0)},     {"clWindow", clWindow},
        {"clWindowText", clWindowText}, {"clBtnFace", clBtnFace},
    };
    for (const auto &n : names) {
        if (text == n.Name) {
            color = n.Color;
            return true;
        }
    }
    int r, g, b;
    char end;
    if (std::sscanf(text.c_str(), "(%d,%d,%d%c", &r, &g, &b, &end) == 4 && end == ')' && r >= 0 && r < 256 &&
        g >= 0 && g < 256 && b >= 0 && b < 256) {
        color = RGB(r, g, b);
        return true;
    }
    return false;
}

HFONT TFont::Create() const {
    return CreateFontA(Height, 0, 0, 0, (Style & fsBold) ? FW_BOLD : FW_NORMAL,
                       (Style & fsItalic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Name.c_str());
}
