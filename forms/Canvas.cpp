#include "forms/Canvas.h"

// The device context of one call on a canvas, given back at the call's end.
class TCanvas::TDcUse {
  public:
    explicit TDcUse(TCanvas &canvas) : Canvas(canvas), Dc(canvas.TakeDc()) {}
    ~TDcUse() {
        if (Dc)
            Canvas.GiveBackDc(Dc);
    }
    TDcUse(const TDcUse &) = delete;
    TDcUse &operator=(const TDcUse &) = delete;
    HDC Get() const { return Dc; }

  private:
    TCanvas &Canvas;
    HDC Dc;
};

int TCanvas::DeviceCaps(int index) {
    TDcUse dc(*this);
    return dc.Get() ? GetDeviceCaps(dc.Get(), index) : 0;
}

template <class F> void TCanvas::WithBrushAndPen(F draw) {
    TDcUse use(*this);
    HDC dc = use.Get();
    if (!dc)
        return;
    TGdiObject brush(CreateSolidBrush(ColorToRGB(BrushColor)));
    TGdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(PenColor)));
    TSelectObject selectBrush(dc, brush.Get());
    TSelectObject selectPen(dc, pen.Get());
    draw(dc);
}

void TCanvas::FillRect(const RECT &rect) {
    TDcUse use(*this);
    HDC dc = use.Get();
    if (!dc)
        return;
    TGdiObject brush(CreateSolidBrush(ColorToRGB(BrushColor)));
    ::FillRect(dc, &rect, brush.Get());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    WithBrushAndPen([&](HDC dc) { ::Rectangle(dc, x1, y1, x2, y2); });
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    WithBrushAndPen([&](HDC dc) { ::RoundRect(dc, x1, y1, x2, y2, w, h); });
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    WithBrushAndPen([&](HDC dc) { ::Ellipse(dc, x1, y1, x2, y2); });
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    WithBrushAndPen([&](HDC dc) {
        int oldDirection = SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        ::Pie(dc, x1, y1, x2, y2, x3, y3, x4, y4);
        SetArcDirection(dc, oldDirection);
    });
}

template <class F> void TCanvas::WithFont(F use) {
    TDcUse dc(*this);
    if (!dc.Get())
        return;
    TGdiObject font(Font.Create());
    TSelectObject selectFont(dc.Get(), font.Get());
    use(dc.Get());
}

template <class F> void TCanvas::WithText(const std::string &text, TTextFill fill, F draw) {
    if (text.empty())
        return;
    WithFont([&](HDC dc) {
        int oldMode = SetBkMode(dc, fill == tfBrush ? OPAQUE : TRANSPARENT);
        COLORREF oldBack = SetBkColor(dc, ColorToRGB(BrushColor));
        COLORREF oldText = SetTextColor(dc, ColorToRGB(Font.Color));
        draw(dc, static_cast<int>(text.size()));
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
        SetBkMode(dc, oldMode);
    });
}

void TCanvas::TextOut(int x, int y, const std::string &text) {
    WithText(text, tfBrush, [&](HDC dc, int length) { ::TextOutA(dc, x, y, text.c_str(), length); });
}

void TCanvas::TextRect(const RECT &rect, const std::string &text, UINT flags, TTextFill fill) {
    RECT box = rect;
    WithText(text, fill, [&](HDC dc, int length) { DrawTextA(dc, text.c_str(), length, &box, flags); });
}

int TCanvas::TextHeight() {
    TEXTMETRICA metrics = {};
    WithFont([&](HDC dc) { GetTextMetricsA(dc, &metrics); });
    return metrics.tmHeight;
}

void TCanvas::CopyRect(const RECT &dest, TCanvas &source, const RECT &sourceRect) {
    TDcUse to(*this), of(source);
    HDC dc = to.Get(), from = of.Get();
    if (!dc || !from)
        return;
    int w = dest.right - dest.left, h = dest.bottom - dest.top;
    int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (w == sw && h == sh)
        BitBlt(dc, dest.left, dest.top, w, h, from, sourceRect.left, sourceRect.top, CopyMode);
    else
        StretchBlt(dc, dest.left, dest.top, w, h, from, sourceRect.left, sourceRect.top, sw, sh, CopyMode);
}

void TBitmap::Free() {
    Surface.Dc = nullptr;
    Selected.Restore();
    MemoryDc.Reset();
    Bitmap.Reset();
    W = H = 0;
}

HBITMAP CreateBitmap32(int width, int height, void **bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

bool TBitmap::SetSize(int width, int height) {
    Free();
    if (width <= 0 || height <= 0)
        return false;
    void *bits = nullptr;
    MemoryDc.Create(nullptr);
    Bitmap.Reset(CreateBitmap32(width, height, &bits));
    if (!MemoryDc.Get() || !Bitmap.Get()) {
        Free();
        return false;
    }
    Selected.Select(MemoryDc.Get(), Bitmap.Get());
    W = width;
    H = height;
    Surface.Dc = MemoryDc.Get();
    return true;
}

COLORREF TBitmap::Pixel(int x, int y) const {
    if (!MemoryDc.Get() || x < 0 || y < 0 || x >= W || y >= H)
        return CLR_INVALID;
    return GetPixel(MemoryDc.Get(), x, y);
}
