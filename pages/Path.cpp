#include "pages/Path.h"

#include <memory>

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "pages/BrowseDir.h"
#include "pages/Extensions.h"
#include "pages/PathConfirm.h"

TPathA *PathA = nullptr;

const char DefaultInstallFolder[] = "C:\\Program Files\\Vantorelle";

TPathA::TPathA(TForm *owner) : TForm(owner) {
    LoadForm("PathA");
    Label1 = Find<TLabel>("Label1");
    Path = Find<TEdit>("Path");
    Browse = Find<TButton>("Browse");
    Ok = Find<TButton>("Ok");
    ExitSetup = Find<TButton>("ExitSetup");
    Shape1 = Find<TShape>("Shape1");
    Shape2 = Find<TShape>("Shape2");
    Shape3 = Find<TShape>("Shape3");
    Shape4 = Find<TShape>("Shape4");
    Shape5 = Find<TShape>("Shape5");
    Shape6 = Find<TShape>("Shape6");
    Shape7 = Find<TShape>("Shape7");
    Shape8 = Find<TShape>("Shape8");
    PlacePage(*this, 156, 106, 478, 341);
    ExitOnClose = 1;
}

TNotifyEvent TPathA::NotifyHandler(const std::string &name) {
    if (name == "FormCreate")
        return [this](TObject *sender) { FormCreate(sender); };
    if (name == "BrowseClick")
        return [this](TObject *sender) { BrowseClick(sender); };
    if (name == "OkClick")
        return [this](TObject *sender) { OkClick(sender); };
    if (name == "ExitSetupClick")
        return [this](TObject *sender) { ExitSetupClick(sender); };
    return TForm::NotifyHandler(name);
}

TCloseEvent TPathA::CloseHandler(const std::string &name) {
    if (name == "FormClose")
        return [this](TObject *sender, TCloseAction &action) { FormClose(sender, action); };
    return TForm::CloseHandler(name);
}

void TPathA::FormCreate(TObject *) {
    ScaleToScreen(*this, 30, 50);
    Path->SetText(DefaultInstallFolder);
}

void TPathA::BrowseClick(TObject *) {
    std::unique_ptr<TBrowseDirA> browser(Construct<TBrowseDirA>(this));
    browser->ShowModal();
}

void TPathA::OkClick(TObject *) {
    std::string text = Path->Text();
    if (text.size() > 259) {
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
    Application->CreateForm(ExtensionsA);
    ExitOnClose = 0;
    Close();
}

void TPathA::ExitSetupClick(TObject *) {
    if (ConfirmExitSetup())
        QuitSetup();
}

void TPathA::FormClose(TObject *, TCloseAction &) {
    if (ExitOnClose) {
        QuitSetup();
        return;
    }
    ExitOnClose = 1;
}
