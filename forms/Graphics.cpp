#include "forms/Graphics.h"

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
    // "(r,g,b)", each part 0 to 255.
    int parts[3] = {0, 0, 0};
    size_t i = 0;
    if (text.empty() || text[i++] != '(')
        return false;
    for (int n = 0; n < 3; n++) {
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3)
            parts[n] = parts[n] * 10 + (text[i++] - '0');
        if (i == start || parts[n] > 255 || i >= text.size() || text[i++] != (n < 2 ? ',' : ')'))
            return false;
    }
    if (i != text.size())
        return false;
    color = RGB(parts[0], parts[1], parts[2]);
    return true;
}

HFONT TFont::Create() const {
    return CreateFontA(Height, 0, 0, 0, (Style & fsBold) ? FW_BOLD : FW_NORMAL,
                       (Style & fsItalic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Name.c_str());
}
