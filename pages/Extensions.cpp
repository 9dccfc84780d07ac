#include "pages/Extensions.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/Path.h"
#include "pages/PathConfirm.h"

TExtensionsA *ExtensionsA = nullptr;

TExtensionsA::TExtensionsA(TForm *owner) : TForm(owner) {
    LoadForm("ExtensionsA");
    GroupBox1 = Find<TGroupBox>("GroupBox1");
    jpg = Find<TCheckBox>("jpg");
    png = Find<TCheckBox>("png");
    bmp = Find<TCheckBox>("bmp");
    mp3 = Find<TCheckBox>("mp3");
    m3u = Find<TCheckBox>("m3u");
    ra = Find<TCheckBox>("ra");
    CancelButton = Find<TButton>("CancelButton");
    cmp = Find<TCheckBox>("cmp");
    Label1 = Find<TLabel>("Label1");
    cmn = Find<TCheckBox>("cmn");
    Label2 = Find<TLabel>("Label2");
    SetButton = Find<TButton>("SetButton");
    Panel1 = Find<TPanel>("Panel1");
    Image1 = Find<TImage>("Image1");
    BackButton = Find<TButton>("BackButton");
    ExitOnClose = 1;
    PlacePage(*this, 156, 106, 478, 341);
}

TNotifyEvent TExtensionsA::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "SetButtonClick")
        return [this](TObject *sender) { SetButtonClick(sender); };
    if (name == "BackButtonClick")
        return [this](TObject *sender) { BackButtonClick(sender); };
    if (name == "CancelButtonClick")
        return [this](TObject *sender) { CancelButtonClick(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TExtensionsA::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
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
    if (ExitOnClose) {
        QuitSetup();
        return;
    }
    ExitOnClose = 1;
}
