#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// The destination page. Its read-only edit box Path holds the chosen folder
// until the install.
class TPathA : public TForm {
  public:
    TLabel *Label1;
    TEdit *Path;
    TButton *Browse, *Ok, *ExitSetup;
    TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8;
    int ExitOnClose;

    // What the form data's names stand for.
    static const THandlerRow HandlerTable[];
    void BindControls() override;

    explicit TPathA(TForm *owner);

    void FormCreate(TObject *sender);
    void BrowseClick(TObject *sender);
    void OkClick(TObject *sender);
    void ExitSetupClick(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
};

extern TPathA *PathA;

// The folder offered at first.
extern const char DefaultInstallFolder[];
