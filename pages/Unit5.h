#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The success page, shown modally after the last install step.
class TForm5 : public TForm {
  public:
    TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr;
    TButton *Button1 = nullptr;

    // What the form data's names stand for.
    static const THandlerRow HandlerTable[];
    void BindControls() override;

    explicit TForm5(TForm *owner);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
};
