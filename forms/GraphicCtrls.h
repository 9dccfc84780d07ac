#pragma once

#include "forms/Control.h"

// A text on the page. Opaque unless said otherwise: it fills its box with its
// colour, then draws the text, broken into lines within its width when it wraps.
class TLabel : public TGraphicControl {
  public:
    bool WordWrap = false;
    bool Transparent = false;

    using TGraphicControl::TGraphicControl;
    bool SetAttribute(const std::string &key, const std::string &value) override;

  protected:
    void Paint(TCanvas &canvas) override;
};

enum TShapeType { stRectangle, stEllipse, stRoundRect, stRoundSquare };

// A filled figure with a brush colour and a pen (outline) colour.
class TShape : public TGraphicControl {
  public:
    TShapeType Shape;
    TColor BrushColor = clWhite;
    TColor PenColor = clBlack;

    TShape(TForm *owner, TShapeType shape) : TGraphicControl(owner), Shape(shape) {}
    bool SetAttribute(const std::string &key, const std::string &value) override;
    void SetBrushColor(TColor color);

  protected:
    void Paint(TCanvas &canvas) override;
};

// A bitmap from the executable's resources, drawn at the control's corner.
class TImage : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    ~TImage() override;
    bool SetAttribute(const std::string &key, const std::string &value) override;
    HBITMAP Picture() const { return Bitmap; }

  protected:
    void Paint(TCanvas &canvas) override;

  private:
    HBITMAP Bitmap = nullptr;
};
