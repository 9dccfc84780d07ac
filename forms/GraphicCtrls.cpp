#include "forms/GraphicCtrls.h"

#include <algorithm>

#include "forms/Exceptions.h"
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
    TGraphicControl::SetCaption(text);
    if (IsLoaded)
        FitToText();
}

void TLabel::Loaded() {
    IsLoaded = true;
    FitToText();
}

void TLabel::FitToText() {
    if (!AutoSize)
        return;
    // An empty text measures as one space, so the label keeps a line's height.
    std::string text = Text.empty() ? " " : Text;
    RECT rect = {0, 0, Width(), 0};
    {
        TWindowDC screen(nullptr);
        TGdiObject font(EffectiveFont().Create());
        TSelectObject select(screen.Get(), font.Get());
        DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &rect,
                  DrawFlags() | DT_CALCRECT);
    }
    SetBounds(Left(), Top(), WordWrap ? Width() : rect.right, rect.bottom);
}

void TLabel::Paint(TCanvas &canvas) {
    HDC dc = canvas.Handle();
    RECT rect = {0, 0, Width(), Height()};
    if (!Transparent) {
        canvas.BrushColor = EffectiveColor();
        canvas.FillRect(rect);
    }
    TFont font = EffectiveFont();
    TGdiObject handle(font.Create());
    TSelectObject select(dc, handle.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font.Color));
    if (!Text.empty())
        DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &rect, DrawFlags());
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

TImage::~TImage() {
    if (Bitmap)
        DeleteObject(Bitmap);
}

bool TImage::SetAttribute(const std::string &key, const std::string &value) {
    if (key != "picture")
        return TGraphicControl::SetAttribute(key, value);
    if (Bitmap)
        DeleteObject(Bitmap);
    Bitmap = LoadPackedBitmap(value.c_str());
    if (!Bitmap)
        throw EToolkitError("Picture " + value + " not found");
    return true;
}

void TImage::Paint(TCanvas &canvas) {
    if (!Bitmap)
        return;
    HDC dc = canvas.Handle();
    TMemoryDC memory(dc);
    TSelectObject picture(memory.Get(), Bitmap);
    BITMAP info;
    GetObjectA(Bitmap, sizeof(info), &info);
    BitBlt(dc, 0, 0, std::min<int>(info.bmWidth, Width()), std::min<int>(info.bmHeight, Height()),
           memory.Get(), 0, 0, SRCCOPY);
}
