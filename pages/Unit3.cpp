#include "pages/Unit3.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/MainWindow.h"
#include "pages/Unit4.h"

TForm3 *Form3 = nullptr;

TForm3::TForm3(TForm *owner) : TForm(owner) {
    LoadForm("Form3");
    Label1 = Find<TLabel>("Label1");
    Shape1 = Find<TShape>("Shape1");
    Shape2 = Find<TShape>("Shape2");
    Shape3 = Find<TShape>("Shape3");
    Shape4 = Find<TShape>("Shape4");
    Shape5 = Find<TShape>("Shape5");
    Shape6 = Find<TShape>("Shape6");
    Shape7 = Find<TShape>("Shape7");
    Shape8 = Find<TShape>("Shape8");
    Shape9 = Find<TShape>("Shape9");
    Button1 = Find<TButton>("Button1");
    Button2 = Find<TButton>("Button2");
    ExitOnClose = 1;
    PlacePage(*this, 156, 106, 478, 341);
}

TNotifyEvent TForm3::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "Button1Click")
        return [this](TObject *sender) { Button1Click(sender); };
    if (name == "Button2Click")
        return [this](TObject *sender) { Button2Click(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TForm3::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
}

void TForm3::FormCreate(TObject *) {
    if (GetDeviceCaps(Canvas().Handle(), BITSPIXEL) <= 8)
        Shape8->SetBrushColor(LowColorPurple);
    ScaleToScreen(*this, 30, 50);
}

void TForm3::Button1Click(TObject *) {
    Application->CreateForm(Form4);
    ExitOnClose = 0;
    Close();
}

void TForm3::Button2Click(TObject *) {
    Close();
}

void TForm3::FormClose(TObject *, TCloseAction &action) {
    if (ExitOnClose) {
        QuitSetup();
        return;
    }
    ExitOnClose = 1;
    Form3 = nullptr;
    action = caFree;
}
