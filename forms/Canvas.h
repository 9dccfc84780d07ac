#pragma once

#include <string>

#include <windows.h>

#include "forms/Graphics.h"

// What a text's cells show around its strokes: what was drawn there before,
// or the canvas's brush colour.
enum TTextFill { tfClear, tfBrush };

// A drawing surface over a device context. Brush, pen and font are plain
// attributes; each drawing call selects GDI objects for them and puts the old
// ones back before it returns.
class TCanvas {
  public:
    TColor BrushColor = clWhite;
    TColor PenColor = clBlack;
    TFont Font;
    DWORD CopyMode = SRCCOPY;

    TCanvas() = default;
    explicit TCanvas(HDC dc) : Dc(dc) {}
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    // The device context that the canvas holds (a bitmap's, a paint's, a
    // graphic control's); null for a canvas on a window, which holds none.
    HDC Handle() const { return Dc; }
    // A GetDeviceCaps value (HORZRES, BITSPIXEL ...) of the canvas's device;
    // 0 without a device context.
    int DeviceCaps(int index);

    void FillRect(const RECT &rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    void Ellipse(int x1, int y1, int x2, int y2);
    // Counterclockwise from the radial through (x3, y3) to the one through
    // (x4, y4); equal points draw the whole ellipse.
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // The text calls draw in Font, in the font's colour; they draw nothing
    // for an empty text. TextOut's text starts at (x, y), its cells filled
    // with the brush colour.
    void TextOut(int x, int y, const std::string &text);
    // The text laid out in rect by DrawText's flags (DT_...).
    void TextRect(const RECT &rect, const std::string &text, UINT flags, TTextFill fill = tfClear);
    // The height of a line of text in Font.
    int TextHeight();
    // Copies source's rectangle onto dest with CopyMode.
    void CopyRect(const RECT &dest, TCanvas &source, const RECT &sourceRect);

  protected:
    // The device context for one call, and its end: the one the canvas
    // holds, which stays; a canvas on a window takes its window's for the
    // call and gives it back.
    virtual HDC TakeDc() { return Dc; }
    virtual void GiveBackDc(HDC dc) { (void)dc; }
    HDC Dc = nullptr;

  private:
    friend class TBitmap;
    class TDcUse;
    template <class F> void WithBrushAndPen(F draw);
    template <class F> void WithFont(F use);
    template <class F> void WithText(const std::string &text, TTextFill fill, F draw);
};

// A canvas that draws straight onto a window's client area. It takes the
// window's device context for each call and releases it before the call
// returns: it holds none in between.
class TControlCanvas : public TCanvas {
  public:
    explicit TControlCanvas(HWND window) : Window(window) {}

  protected:
    HDC TakeDc() override { return Window ? GetDC(Window) : nullptr; }
    void GiveBackDc(HDC dc) override { ReleaseDC(Window, dc); }

  private:
    HWND Window;
};

// A top-down 32-bit bitmap of this size (0x00RRGGBB pixels) whose pixels
// *bits then points to; null when it cannot be made.
HBITMAP CreateBitmap32(int width, int height, void **bits);

// An off-screen 32-bit bitmap with a canvas of its own.
class TBitmap {
  public:
    TBitmap() = default;
    TBitmap(const TBitmap &) = delete;
    TBitmap &operator=(const TBitmap &) = delete;

    // Makes a bitmap of the given size; the old contents are lost.
    bool SetSize(int width, int height);
    int Width() const { return W; }
    int Height() const { return H; }
    TCanvas &Canvas() { return Surface; }
    HBITMAP Handle() const { return Bitmap.Get(); }
    // The colour of one pixel, or CLR_INVALID outside the bitmap.
    COLORREF Pixel(int x, int y) const;

  private:
    void Free();
    int W = 0;
    int H = 0;
    // Declared in this order so that they go in the reverse one: the bitmap
    // is put out of the memory DC, the DC is deleted, then the bitmap.
    TGdiObject<HBITMAP> Bitmap;
    TMemoryDC MemoryDc;
    TSelectObject Selected;
    TCanvas Surface;
};
