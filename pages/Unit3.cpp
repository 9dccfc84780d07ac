#include "pages/Unit3.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/MainWindow.h"
#include "pages/Unit4.h"

TForm3 *Form3 = nullptr;

const THandlerRow TForm3::HandlerTable[] = {
    FORM_HANDLER(TForm3, FormCreate),
    FORM_HANDLER(TForm3, Button1Click),
    FORM_HANDLER_AS(TForm3, Button2Click, CloseClick),
    FORM_HANDLER(TForm3, FormClose),
    {},
};

FORM_CONTROLS(TForm3, Label1, Shape1, Shape2, Shape3, Shape4, Shape5, Shape6, Shape7, Shape8, Shape9, Button1,
              Button2)

TForm3::TForm3(TForm *owner) : TWizardPage(owner) {
    LoadPage("Form3", HandlerTable);
}

void TForm3::FormCreate(TObject *) {
    if (Canvas().DeviceCaps(BITSPIXEL) <= 8)
        Shape8->SetBrushColor(LowColorPurple);
    ScalePage();
}

void TForm3::Button1Click(TObject *) {
    if (Application->CreateForm(Form4))
        LeavePage();
}

void TForm3::FormClose(TObject *, TCloseAction &action) {
    if (!ClosedToMoveOn())
        return;
    Form3 = nullptr;
    action = caFree;
}
