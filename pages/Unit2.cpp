#include "pages/Unit2.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"

TForm2 *Form2 = nullptr;

const THandlerRow TForm2::HandlerTable[] = {
    FORM_HANDLER(TForm2, FormCreate),
    FORM_HANDLER(TForm2, Button1Click),
    FORM_HANDLER(TForm2, FormClose),
    {},
};

FORM_CONTROLS(TForm2, Label1, Label2, Button1)

TForm2::TForm2(TForm *owner) : TForm(owner) {
    if (LoadForm("Form2", HandlerTable))
        PlacePage(*this, FailurePagePlace);
}

void TForm2::FormCreate(TObject *) {
    ScaleToScreen(*this, FailurePagePlace);
}

void TForm2::Button1Click(TObject *) {
    Close();
}

void TForm2::FormClose(TObject *, TCloseAction &) {
    QuitSetup();
}
