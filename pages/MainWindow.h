#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The title page: maximised without caption or frame, the coloured backdrop
// of the whole run and the application's main form.
class TForm1 : public TForm {
  public:
    TShape *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr, *Shape4 = nullptr;
    TLabel *Label1 = nullptr, *Label2 = nullptr;
    TButton *Next = nullptr, *Cancel = nullptr;

    FORM_PAGE(TForm1);
    ~TForm1() override;

    void FormCreate(TObject *sender);
    // The backdrop's layout for a screen of the given size and colour depth:
    // the page covers the screen, the figures move and grow with its width.
    void LayOutBackdrop(int screenWidth, int screenHeight, int bitsPerPixel);
    void FormActivate(TObject *sender);
    void NextClick(TObject *sender);
    void CancelClick(TObject *sender);
};

extern TForm1 *Form1;

// The purple of the backdrop on screens of 256 colours or fewer.
const TColor LowColorPurple = 0x00FF0080;
