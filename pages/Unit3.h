#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The welcome page.
class TForm3 : public TForm {
  public:
    TLabel *Label1;
    TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8, *Shape9;
    TButton *Button1, *Button2;
    // 1: closing the page ends the setup; 0: a navigation handler closes it to move on.
    int ExitOnClose;

    // What the form data's names stand for.
    static const THandlerRow HandlerTable[];
    void BindControls() override;

    explicit TForm3(TForm *owner);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
    void Button2Click(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
};

extern TForm3 *Form3;
