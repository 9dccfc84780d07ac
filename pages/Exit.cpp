#include "pages/Exit.h"

TExitSetup::TExitSetup(TForm *owner) : TForm(owner) {
    LoadForm("ExitSetup");
    Label1 = Find<TLabel>("Label1");
    No = Find<TButton>("No");
    Exit = Find<TButton>("Exit");
    ExitAnswer = 2;
}

TNotifyEvent TExitSetup::NotifyHandler(const std::string &name) {
    if (name == "ExitClick")
        return [this](TObject *sender) { ExitClick(sender); };
    if (name == "NoClick")
        return [this](TObject *sender) { NoClick(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TExitSetup::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
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
