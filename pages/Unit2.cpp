#include "pages/Unit2.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"

TForm2 *Form2 = nullptr;

TForm2::TForm2(TForm *owner) : TForm(owner) {
    LoadForm("Form2");
    Label1 = Find<TLabel>("Label1");
    Label2 = Find<TLabel>("Label2");
    Button1 = Find<TButton>("Button1");
    PlacePage(*this, 39, 299, 337, 205);
}

TNotifyEvent TForm2::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "Button1Click")
        return [this](TObject *sender) { Button1Click(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TForm2::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
}

void TForm2::FormCreate(TObject *) {
    ScaleToScreen(*this, -20, 20);
}

void TForm2::Button1Click(TObject *) {
    Close();
}

void TForm2::FormClose(TObject *, TCloseAction &) {
    QuitSetup();
}
