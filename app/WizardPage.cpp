#include "app/WizardPage.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"

bool TWizardPage::LoadPage(const char *formName, const THandlerRow *handlers) {
    if (!LoadForm(formName, handlers))
        return false;
    PlacePage(*this, WizardPagePlace);
    return true;
}

void TWizardPage::ScalePage() {
    ScaleToScreen(*this, WizardPagePlace);
}

void TWizardPage::LeavePage() {
    ExitOnClose = 0;
    Close();
}

void TWizardPage::FormCreate(TObject *) {
    ScalePage();
}

void TWizardPage::ExitSetupClick(TObject *) {
    if (ConfirmExitSetup())
        QuitSetup();
}

void TWizardPage::CloseClick(TObject *) {
    Close();
}

// The close action stays at hide.
void TWizardPage::FormClose(TObject *, TCloseAction &) {
    ClosedToMoveOn();
}

bool TWizardPage::ClosedToMoveOn() {
    if (ExitOnClose) {
        QuitSetup();
        return false;
    }
    ExitOnClose = 1;
    return true;
}
