#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The success page, shown modally after the last install step.
class TForm5 : public TForm {
  public:
    TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr;
    TButton *Button1 = nullptr;

    FORM_PAGE(TForm5);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
};
