#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The success page, shown modally after the last install step.
class TForm5 : public TForm {
  public:
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    TButton *Button1;

    // What the form data's names stand for.
    static const THandlerRow HandlerTable[];
    void BindControls() override;

    explicit TForm5(TForm *owner);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
};
