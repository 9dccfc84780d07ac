#include "pages/Unit5.h"

#include "app/ScaleToScreen.h"

const THandlerRow TForm5::HandlerTable[] = {
    FORM_HANDLER(TForm5, FormCreate),
    FORM_HANDLER(TForm5, Button1Click),
    {},
};

FORM_CONTROLS(TForm5, Label1, Label2, Label3, Label4, Label5, Label6, Button1)

TForm5::TForm5(TForm *owner) : TForm(owner) {
    if (LoadForm("Form5", HandlerTable))
        PlacePage(*this, SuccessPagePlace);
}

void TForm5::FormCreate(TObject *) {
    ScaleToScreen(*this, SuccessPagePlace);
}

// Closing ends the modal display; the caller frees the page.
void TForm5::Button1Click(TObject *) {
    Close();
}
