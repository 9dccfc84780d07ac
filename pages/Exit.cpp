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
    ExitAnswer = 1;
    ModalResult = 1;
}

void TExitSetup::NoClick(TObject *) {
    ExitAnswer = 2;
    ModalResult = 2;
}

// The close box gives the last answer, No unless Exit was pressed.
void TExitSetup::FormClose(TObject *, TCloseAction &) {
    ModalResult = ExitAnswer;
}
