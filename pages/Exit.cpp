#include "pages/Exit.h"

const THandlerRow TExitSetup::HandlerTable[] = {
    FORM_HANDLER(TExitSetup, ExitClick),
    FORM_HANDLER(TExitSetup, NoClick),
    FORM_HANDLER(TExitSetup, FormClose),
    {},
};

FORM_CONTROLS(TExitSetup, Label1, No, Exit)

TExitSetup::TExitSetup(TForm *owner) : TForm(owner) {
    LoadForm("ExitSetup", HandlerTable);
}

void TExitSetup::ExitClick(TObject *) {
    ExitAnswer = mrOk;
    ModalResult = mrOk;
}

void TExitSetup::NoClick(TObject *) {
    ExitAnswer = mrCancel;
    ModalResult = mrCancel;
}

// The close box gives the last answer, No unless Exit was pressed.
void TExitSetup::FormClose(TObject *, TCloseAction &) {
    ModalResult = ExitAnswer;
}
