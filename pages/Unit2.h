#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The failure page: shown beside the confirmation page when an install step
// fails; closing it ends the setup.
class TForm2 : public TForm {
  public:
    TLabel *Label1 = nullptr, *Label2 = nullptr;
    TButton *Button1 = nullptr;

    FORM_PAGE(TForm2);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
};

extern TForm2 *Form2;
