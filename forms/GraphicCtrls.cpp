#include "forms/GraphicCtrls.h"

#include <algorithm>
#include <cstdint>

#include <oleacc.h>

#include "forms/Accessible.h"
#include "forms/Errors.h"
#include "forms/PackedResource.h"

bool TLabel::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "wrap")
        WordWrap = true;
    else if (key == "transparent")
        Transparent = true;
    else if (key == "autosize")
        AutoSize = value.empty() || value == "true";
    else
        return TGraphicControl::SetAttribute(key, value);
    return true;
}

void TLabel::SetCaption(const std::string &text) {
    bool changed = text != Text;
    TGraphicControl::SetCaption(text);
    if (IsLoaded)
        FitToText();
    if (changed)
        NotifyAccessibleNameChange(*this);
}

bool TLabel::AccessibleText(TAccessibleText &text) const {
    if (Text.empty())
        return false;
    text.Role = ROLE_SYSTEM_STATICTEXT;
    text.State = STATE_SYSTEM_READONLY;
    text.Name = TextAsShown(Text);
    return true;
}

bool TLabel::Loaded() {
    IsLoaded = true;
    FitToText();
    return true;
}

namespace {

// How far one line of text reaches when it is drawn: where its last inked
// column ends, counted from its left. The glyphs that Wine draws for a face
// without smoothing can stand further apart than the widths it measures for
// them (a "w" drawn 10 pixels wide, measured 8), so a box of the measured
// width would cut the end of the line.
int DrawnWidth(HFONT font, const std::string &text, UINT flags, const RECT &measured) {
    const int width = 2 * measured.right + 16, height = measured.bottom;
    void *bits = nullptr;
    TGdiObject bitmap(height > 0 ? CreateBitmap32(width, height, &bits) : nullptr);
    TMemoryDC dc(nullptr);
    if (!bitmap.Get() || !dc.Get())
        return measured.right;
    uint32_t *pixels = static_cast<uint32_t *>(bits);
    const uint32_t white = 0x00FFFFFF;
    std::fill(pixels, pixels + width * height, white);
    TSelectObject selectBitmap(dc.Get(), bitmap.Get());
    TSelectObject selectFont(dc.Get(), font);
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    RECT all = {0, 0, width, height};
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &all, flags);
    GdiFlush();
    int drawn = 0;
    for (int y = 0; y < height; ++y)
        for (int x = drawn; x < width; ++x)
            if ((pixels[y * width + x] & white) != white)
                drawn = x + 1;
    return drawn;
}

} // namespace

void TLabel::FitToText() {
    if (!AutoSize)
        return;
    // An empty text measures as one space, so the label keeps a line's height.
    std::string text = Text.empty() ? " " : Text;
    RECT rect = {0, 0, Width(), 0};
    TGdiObject font(EffectiveFont().Create());
    {
        TWindowDC screen(nullptr);
        TSelectObject select(screen.Get(), font.Get());
        DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &rect,
                  DrawFlags() | DT_CALCRECT);
    }
    // A one-line label takes the width its text covers on screen.
    int width = Width();
    if (!WordWrap)
        width = std::max<int>(rect.right, DrawnWidth(font.Get(), text, DrawFlags(), rect));
    SetBounds(Left(), Top(), width, rect.bottom);
}

void TLabel::Paint(TCanvas &canvas) {
    RECT rect = {0, 0, Width(), Height()};
    if (!Transparent) {
        canvas.BrushColor = EffectiveColor();
        canvas.FillRect(rect);
    }
    canvas.Font = EffectiveFont();
    canvas.TextRect(rect, Text, DrawFlags());
}

bool TShape::SetAttribute(const std::string &key, const std::string &value) {
    if (key == "brush")
        return ParseColor(value, BrushColor);
    if (key == "pen")
        return ParseColor(value, PenColor);
    return TGraphicControl::SetAttribute(key, value);
}

void TShape::SetBrushColor(TColor color) {
    BrushColor = color;
    Invalidate();
}

void TShape::Paint(TCanvas &canvas) {
    int x = 0, y = 0, w = Width(), h = Height();
    if (Shape == stRoundSquare) {
        // A square figure of the smaller side, centred in the box.
        if (w < h) {
            y = (h - w) / 2;
            h = w;
        } else {
            x = (w - h) / 2;
            w = h;
        }
    }
    canvas.BrushColor = BrushColor;
    canvas.PenColor = PenColor;
    int corner = std::min(w, h) / 4;
    switch (Shape) {
    case stRectangle:
        canvas.Rectangle(x, y, x + w, y + h);
        break;
    case stEllipse:
        canvas.Ellipse(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare:
        canvas.RoundRect(x, y, x + w, y + h, corner, corner);
        break;
    }
}

bool TImage::SetAttribute(const std::string &key, const std::string &value) {
    if (key != "picture")
        return TGraphicControl::SetAttribute(key, value);
    Bitmap.Reset(LoadPackedBitmap(value.c_str()));
    if (!Bitmap.Get())
        return Raise("Picture " + value + " not found");
    return true;
}

void TImage::Paint(TCanvas &canvas) {
    if (!Bitmap.Get())
        return;
    HDC dc = canvas.Handle();
    TMemoryDC memory(dc);
    TSelectObject picture(memory.Get(), Bitmap.Get());
    BITMAP info;
    GetObjectA(Bitmap.Get(), sizeof(info), &info);
    BitBlt(dc, 0, 0, std::min<int>(info.bmWidth, Width()), std::min<int>(info.bmHeight, Height()),
           memory.Get(), 0, 0, SRCCOPY);
}
