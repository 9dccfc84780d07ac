#include "pages/Extensions.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/Path.h"
#include "pages/PathConfirm.h"

TExtensionsA *ExtensionsA = nullptr;

const THandlerRow TExtensionsA::HandlerTable[] = {
    FORM_HANDLER(TExtensionsA, FormCreate),      FORM_HANDLER(TExtensionsA, SetButtonClick),
    FORM_HANDLER(TExtensionsA, BackButtonClick), FORM_HANDLER(TExtensionsA, CancelButtonClick),
    FORM_HANDLER(TExtensionsA, FormClose),       {},
};

FORM_CONTROLS(TExtensionsA, GroupBox1, jpg, png, bmp, mp3, m3u, ra, CancelButton, cmp, Label1, cmn, Label2,
              SetButton, Panel1, Image1, BackButton)

TExtensionsA::TExtensionsA(TForm *owner) : TForm(owner) {
    LoadForm("ExtensionsA", HandlerTable);
    PlacePage(*this, 156, 106, 478, 341);
}

void TExtensionsA::FormCreate(TObject *) {
    ScaleToScreen(*this, 30, 50);
}

void TExtensionsA::SetButtonClick(TObject *) {
    Application->CreateForm(PathConfirmA);
    ExitOnClose = 0;
    Close();
}

void TExtensionsA::BackButtonClick(TObject *) {
    if (PathA)
        PathA->Show();
    ExitOnClose = 0;
    Close();
}

void TExtensionsA::CancelButtonClick(TObject *) {
    if (ConfirmExitSetup())
        QuitSetup();
}

void TExtensionsA::FormClose(TObject *, TCloseAction &) {
    ClosedToMoveOn(ExitOnClose);
}
