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

bool TWizardPage::ClosedToMoveOn() {
    if (ExitOnClose) {
        QuitSetup();
        return false;
    }
    ExitOnClose = 1;
    return true;
}
