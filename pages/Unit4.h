#pragma once

#include "controls/LicenseText.h"
#include "forms/Controls.h"
#include "app/WizardPage.h"
#include "forms/Form.h"

// The licence page: the agreement in a scroll box, with Agree and No. After
// Agree it is only hidden, because the install writes its agreement.
class TForm4 : public TWizardPage {
  public:
    TButton *Button2 = nullptr, *Button1 = nullptr;
    TScrollBox *ScrollBox1 = nullptr;
    TLicenseText *LicenseText1 = nullptr;

    FORM_PAGE(TForm4);

    void Button1Click(TObject *sender);
    // FormCreate, Button2Click (No: the wizard page's CloseClick) and
    // FormClose are the wizard page's.
    // Page Up and Page Down scroll the agreement by one view.
    void FormKeyUp(TObject *sender, WORD &key, int shift);

    TControl *CreateCustomControl(const std::string &kind) override;
};

extern TForm4 *Form4;
