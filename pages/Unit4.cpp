#include "pages/Unit4.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/Path.h"

TForm4 *Form4 = nullptr;

TForm4::TForm4(TForm *owner) : TForm(owner) {
    // Loading creates the page's window already: the licence text reads the
    // page's client size when it is made. The placement below applies to it.
    LoadForm("Form4");
    Button2 = Find<TButton>("Button2");
    Button1 = Find<TButton>("Button1");
    ScrollBox1 = Find<TScrollBox>("ScrollBox1");
    LicenseText1 = Find<TLicenseText>("LicenseText1");
    ExitOnClose = 1;
    PlacePage(*this, 156, 106, 478, 341);
}

TNotifyEvent TForm4::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "Button1Click")
        return [this](TObject *sender) { Button1Click(sender); };
    if (name == "Button2Click")
        return [this](TObject *sender) { Button2Click(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TForm4::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
}

TKeyEvent TForm4::KeyHandler(const std::string &name) {
    if (name == "FormKeyUp")
        return [this](TObject *sender, WORD &key, int shift) { FormKeyUp(sender, key, shift); };
    return TForm::KeyHandler(name);
}

TControl *TForm4::CreateCustomControl(const std::string &kind) {
    if (kind == "licensetext")
        return new TLicenseText(this);
    return TForm::CreateCustomControl(kind);
}

void TForm4::FormCreate(TObject *) {
    ScaleToScreen(*this, 30, 50);
}

void TForm4::Button1Click(TObject *) {
    Application->CreateForm(PathA);
    ExitOnClose = 0;
    Close();
}

void TForm4::Button2Click(TObject *) {
    Close();
}

void TForm4::FormClose(TObject *, TCloseAction &action) {
    if (ExitOnClose) {
        QuitSetup();
        return;
    }
    ExitOnClose = 1;
    action = caHide;
}

void TForm4::FormKeyUp(TObject *, WORD &key, int) {
    if (key == VK_PRIOR)
        ScrollBox1->SetVertPosition(ScrollBox1->VertPosition() - ScrollBox1->ClientHeight());
    else if (key == VK_NEXT)
        ScrollBox1->SetVertPosition(ScrollBox1->VertPosition() + ScrollBox1->ClientHeight());
}
