#pragma once

#include "forms/Controls.h"
#include "app/WizardPage.h"
#include "forms/Form.h"

// The destination page. Its read-only edit box Path holds the chosen folder
// until the install.
class TPathA : public TWizardPage {
  public:
    TLabel *Label1 = nullptr;
    TEdit *Path = nullptr;
    TButton *Browse = nullptr, *Ok = nullptr, *ExitSetup = nullptr;
    TShape *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr, *Shape4 = nullptr, *Shape5 = nullptr,
           *Shape6 = nullptr, *Shape7 = nullptr, *Shape8 = nullptr;

    FORM_PAGE(TPathA);

    void FormCreate(TObject *sender);
    void BrowseClick(TObject *sender);
    void OkClick(TObject *sender);
    // ExitSetupClick and FormClose are the wizard page's.
};

extern TPathA *PathA;

// The folder offered at first.
extern const char DefaultInstallFolder[];
