#include "pages/Extensions.h"

#include "app/ScaleToScreen.h"
#include "forms/Application.h"
#include "pages/Path.h"
#include "pages/PathConfirm.h"
#include "shell/FileExtensions.h"

TExtensionsA *ExtensionsA = nullptr;

namespace {

// The association step's view of the boxes: those of the current page.
bool CurrentPageTicks(const char *boxName) {
    // The boxes are the page's bound fields: the page exists only with them.
    TCheckBox *box = ExtensionsA ? ExtensionsA->Find<TCheckBox>(boxName) : nullptr;
    return box && box->Checked();
}

} // namespace

const THandlerRow TExtensionsA::HandlerTable[] = {
    FORM_HANDLER(TExtensionsA, FormCreate),
    FORM_HANDLER(TExtensionsA, SetButtonClick),
    FORM_HANDLER(TExtensionsA, BackButtonClick),
    FORM_HANDLER_AS(TExtensionsA, CancelButtonClick, ExitSetupClick),
    FORM_HANDLER(TExtensionsA, FormClose),
    {},
};

FORM_CONTROLS(TExtensionsA, GroupBox1, jpg, png, bmp, mp3, m3u, ra, CancelButton, cmp, Label1, cmn, Label2,
              SetButton, Panel1, Image1, BackButton)

TExtensionsA::TExtensionsA(TForm *owner) : TWizardPage(owner) {
    if (LoadPage("ExtensionsA", HandlerTable))
        TypeBoxTicked = CurrentPageTicks;
}

void TExtensionsA::SetButtonClick(TObject *) {
    if (Application->CreateForm(PathConfirmA))
        LeavePage();
}

void TExtensionsA::BackButtonClick(TObject *) {
    if (PathA)
        PathA->Show();
    LeavePage();
}
