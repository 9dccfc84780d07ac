#include "pages/Unit4.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/Path.h"

TForm4 *Form4 = nullptr;

const THandlerRow TForm4::HandlerTable[] = {
    FORM_HANDLER(TForm4, FormCreate),
    FORM_HANDLER(TForm4, Button1Click),
    FORM_HANDLER_AS(TForm4, Button2Click, CloseClick),
    FORM_HANDLER(TForm4, FormClose),
    FORM_HANDLER(TForm4, FormKeyUp),
    {},
};

FORM_CONTROLS(TForm4, Button2, Button1, ScrollBox1, LicenseText1)

TForm4::TForm4(TForm *owner) : TWizardPage(owner) {
    // Loading creates the page's window already: the licence text reads the
    // page's client size when it is made. The placement below applies to it.
    LoadPage("Form4", HandlerTable);
}

TControl *TForm4::CreateCustomControl(const std::string &kind) {
    if (kind == "licensetext")
        return new TLicenseText(this);
    return TForm::CreateCustomControl(kind);
}

void TForm4::Button1Click(TObject *) {
    if (Application->CreateForm(PathA))
        LeavePage();
}

void TForm4::FormKeyUp(TObject *, WORD &key, int) {
    if (key == VK_PRIOR)
        ScrollBox1->SetVertPosition(ScrollBox1->VertPosition() - ScrollBox1->ClientHeight());
    else if (key == VK_NEXT)
        ScrollBox1->SetVertPosition(ScrollBox1->VertPosition() + ScrollBox1->ClientHeight());
}
