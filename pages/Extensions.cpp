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

const TControlRow TExtensionsA::ControlTable[] = {
    FORM_CONTROL(TExtensionsA, GroupBox1),
    FORM_CONTROL(TExtensionsA, jpg),
    FORM_CONTROL(TExtensionsA, png),
    FORM_CONTROL(TExtensionsA, bmp),
    FORM_CONTROL(TExtensionsA, mp3),
    FORM_CONTROL(TExtensionsA, m3u),
    FORM_CONTROL(TExtensionsA, ra),
    FORM_CONTROL(TExtensionsA, CancelButton),
    FORM_CONTROL(TExtensionsA, cmp),
    FORM_CONTROL(TExtensionsA, Label1),
    FORM_CONTROL(TExtensionsA, cmn),
    FORM_CONTROL(TExtensionsA, Label2),
    FORM_CONTROL(TExtensionsA, SetButton),
    FORM_CONTROL(TExtensionsA, Panel1),
    FORM_CONTROL(TExtensionsA, Image1),
    FORM_CONTROL(TExtensionsA, BackButton),
    {},
};

TExtensionsA::TExtensionsA(TForm *owner) : TForm(owner) {
    LoadForm("ExtensionsA", HandlerTable, ControlTable);
    ExitOnClose = 1;
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
