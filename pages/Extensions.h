#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The file-type page. Its check boxes are the user's choice: the association
// step reads them from the current page while the install runs.
class TExtensionsA : public TForm {
  public:
    TGroupBox *GroupBox1;
    TCheckBox *jpg, *png, *bmp, *mp3, *m3u, *ra;
    TButton *CancelButton;
    TCheckBox *cmp;
    TLabel *Label1;
    TCheckBox *cmn;
    TLabel *Label2;
    TButton *SetButton;
    TPanel *Panel1;
    TImage *Image1;
    TButton *BackButton;
    int ExitOnClose;

    // What the form data's names stand for.
    static const THandlerRow HandlerTable[];
    void BindControls() override;

    explicit TExtensionsA(TForm *owner);

    void FormCreate(TObject *sender);
    void SetButtonClick(TObject *sender);
    void BackButtonClick(TObject *sender);
    void CancelButtonClick(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
};

extern TExtensionsA *ExtensionsA;
