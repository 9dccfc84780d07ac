#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

// "Do you really want to exit Setup?", shown modally by ConfirmExitSetup.
class TExitSetup : public TForm {
  public:
    TLabel *Label1 = nullptr;
    TButton *No = nullptr, *Exit = nullptr;
    // The last button pressed: 1 Exit, 2 No (the start value).
    int ExitAnswer = mrCancel;

    FORM_PAGE(TExitSetup);

    void ExitClick(TObject *sender);
    void NoClick(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
};
