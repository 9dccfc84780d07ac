#pragma once

#include "forms/Controls.h"
#include "app/WizardPage.h"
#include "forms/Form.h"

// The welcome page.
class TForm3 : public TWizardPage {
  public:
    TLabel *Label1 = nullptr;
    TShape *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr, *Shape4 = nullptr, *Shape5 = nullptr,
           *Shape6 = nullptr, *Shape7 = nullptr, *Shape8 = nullptr, *Shape9 = nullptr;
    TButton *Button1 = nullptr, *Button2 = nullptr;

    FORM_PAGE(TForm3);

    void FormCreate(TObject *sender);
    void Button1Click(TObject *sender);
    // Button2Click (Cancel) is the wizard page's CloseClick.
    void FormClose(TObject *sender, TCloseAction &action);
};

extern TForm3 *Form3;
