#pragma once

#include "forms/Control.h"

// A text on the page. Opaque unless said otherwise: it fills its box with its
// colour, then draws the text, broken into lines within its width when it wraps.
// Unless its size is fixed (autosize=false), the label fits its box to its
// text once loaded and whenever the text changes, keeping its left and top:
// a one-line label takes the height of its text and the width that the text
// covers when drawn, a wrapping one keeps its width and takes the height of
// its lines.
class TLabel : public TGraphicControl {
  public:
    CONTROL_CLASS(TGraphicControl)
    bool WordWrap = false;
    bool Transparent = false;
    bool AutoSize = true;

    using TGraphicControl::TGraphicControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    void SetCaption(const std::string &text) override;
    bool Loaded() override;
    // Static text named by the caption as it reads.
    bool AccessibleText(TAccessibleText &text) const override;

  protected:
    void Paint(TCanvas &canvas) override;

  private:
    UINT DrawFlags() const { return WordWrap ? DT_WORDBREAK : 0; }
    void FitToText();
    bool IsLoaded = false;
};

enum TShapeType { stRectangle, stEllipse, stRoundRect, stRoundSquare };

// A filled figure with a brush colour and a pen (outline) colour.
class TShape : public TGraphicControl {
  public:
    CONTROL_CLASS(TGraphicControl)
    TShapeType Shape;
    TColor BrushColor = clWhite;
    TColor PenColor = clBlack;

    TShape(TForm *owner, TShapeType shape) : TGraphicControl(owner), Shape(shape) {}
    bool SetAttribute(const std::string &key, const std::string &value) override;
    void SetBrushColor(TColor color);

  protected:
    void Paint(TCanvas &canvas) override;
};

// A picture from the executable's resources (a packed bitmap file, see
// PackedResource.h), drawn at the control's corner.
class TImage : public TGraphicControl {
  public:
    CONTROL_CLASS(TGraphicControl)
    using TGraphicControl::TGraphicControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    HBITMAP Picture() const { return Bitmap.Get(); }

  protected:
    void Paint(TCanvas &canvas) override;

  private:
    TGdiObject<HBITMAP> Bitmap;
};
