#pragma once

#include "forms/Controls.h"
#include "app/WizardPage.h"
#include "forms/Form.h"

// The file-type page. Its check boxes are the user's choice: the association
// step reads them from the current page while the install runs.
class TExtensionsA : public TWizardPage {
  public:
    TGroupBox *GroupBox1 = nullptr;
    TCheckBox *jpg = nullptr, *png = nullptr, *bmp = nullptr, *mp3 = nullptr, *m3u = nullptr, *ra = nullptr;
    TButton *CancelButton = nullptr;
    TCheckBox *cmp = nullptr;
    TLabel *Label1 = nullptr;
    TCheckBox *cmn = nullptr;
    TLabel *Label2 = nullptr;
    TButton *SetButton = nullptr;
    TPanel *Panel1 = nullptr;
    TImage *Image1 = nullptr;
    TButton *BackButton = nullptr;

    FORM_PAGE(TExtensionsA);

    void SetButtonClick(TObject *sender);
    void BackButtonClick(TObject *sender);
    // FormCreate, CancelButtonClick (the wizard page's ExitSetupClick) and
    // FormClose are the wizard page's.
};

extern TExtensionsA *ExtensionsA;
