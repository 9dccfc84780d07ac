#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The failure page: shown beside the confirmation page when an install step
// fails; closing it ends the setup.
class TForm2 : public TForm {
  public:
    TLabel *Label1 = nullptr, *Label2 = nullptr;
    TButton *Button1 = nullptr;

    // What the form data's names stand for.
    static const THandlerRow HandlerTable[];
    void BindControls() override;

    explicit TForm2(TForm *owner);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
};

extern TForm2 *Form2;
