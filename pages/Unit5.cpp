#include "pages/Unit5.h"

#include "app/ScaleToScreen.h"

TForm5::TForm5(TForm *owner) : TForm(owner) {
    LoadForm("Form5");
    Label1 = Find<TLabel>("Label1");
    Label2 = Find<TLabel>("Label2");
    Label3 = Find<TLabel>("Label3");
    Label4 = Find<TLabel>("Label4");
    Label5 = Find<TLabel>("Label5");
    Label6 = Find<TLabel>("Label6");
    Button1 = Find<TButton>("Button1");
    PlacePage(*this, 226, 314, 337, 205);
}

TNotifyEvent TForm5::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "Button1Click")
        return [this](TObject *sender) { Button1Click(sender); };
    return TForm::NotifyHandler(name);
}

void TForm5::FormCreate(TObject *) {
    ScaleToScreen(*this, 5, 20);
}

// Closing ends the modal display; the caller frees the page.
void TForm5::Button1Click(TObject *) {
    Close();
}
