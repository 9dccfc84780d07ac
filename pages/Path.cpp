#include "pages/Path.h"

#include "app/ScaleToScreen.h"
#include "forms/Application.h"
#include "install/SetupMessage.h"
#include "pages/BrowseDir.h"
#include "pages/Extensions.h"
#include "pages/PathConfirm.h"
#include "resources/ProductInfo.h"
#include "win32/PathLimit.h"

TPathA *PathA = nullptr;

const char DefaultInstallFolder[] = "C:\\Program Files\\" PRODUCT_NAME;

const THandlerRow TPathA::HandlerTable[] = {
    FORM_HANDLER(TPathA, FormCreate),     FORM_HANDLER(TPathA, BrowseClick), FORM_HANDLER(TPathA, OkClick),
    FORM_HANDLER(TPathA, ExitSetupClick), FORM_HANDLER(TPathA, FormClose),   {},
};

FORM_CONTROLS(TPathA, Label1, Path, Browse, Ok, ExitSetup, Shape1, Shape2, Shape3, Shape4, Shape5, Shape6,
              Shape7, Shape8)

TPathA::TPathA(TForm *owner) : TWizardPage(owner) {
    LoadPage("PathA", HandlerTable);
}

void TPathA::FormCreate(TObject *) {
    ScalePage();
    Path->SetText(DefaultInstallFolder);
}

void TPathA::BrowseClick(TObject *) {
    if (TFormPtr<TBrowseDirA> browser = Construct<TBrowseDirA>(this))
        browser->ShowModal();
}

void TPathA::OkClick(TObject *) {
    std::string text = Path->Text();
    if (text.size() > MaxPathLength) {
        ShowSetupMessage("Folder path is too long.", "", Handle());
        return;
    }
    // Only the first character after leading blanks and control characters counts.
    size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ')
        first++;
    if (first < text.size() && (text[first] == 'a' || text[first] == 'A')) {
        ShowSetupMessage("Program can not be installed on drive 'a:'", "", Handle());
        return;
    }
    if (Application->CreateForm(ExtensionsA))
        LeavePage();
}
