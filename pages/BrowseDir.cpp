#include "pages/BrowseDir.h"

#include "app/ScaleToScreen.h"
#include "install/Folders.h"
#include "pages/Path.h"

const THandlerRow TBrowseDirA::HandlerTable[] = {
    FORM_HANDLER(TBrowseDirA, FormCreate),
    FORM_HANDLER(TBrowseDirA, DriveComboBox1Change),
    FORM_HANDLER(TBrowseDirA, DirectoryListBox1Change),
    FORM_HANDLER(TBrowseDirA, DirectoryListBox1Click),
    FORM_HANDLER(TBrowseDirA, DirectoryListBox1DblClick),
    FORM_HANDLER(TBrowseDirA, OkClick),
    FORM_HANDLER(TBrowseDirA, CancelClick),
    FORM_HANDLER(TBrowseDirA, FormClose),
    {},
};

FORM_CONTROLS(TBrowseDirA, DriveComboBox1, DirectoryListBox1, Label1, Label2, CurrentFolder, Ok, Cancel)

TBrowseDirA::TBrowseDirA(TForm *owner) : TForm(owner) {
    if (LoadForm("BrowseDirA", HandlerTable))
        PlacePage(*this, WizardPagePlace);
}

void TBrowseDirA::FormCreate(TObject *) {
    // Removable drives a and b (floppy drives) are not offered.
    DriveComboBox1->RemoveItem("a:");
    DriveComboBox1->RemoveItem("b:");

    SavedCurrentDir.emplace();

    std::string path = PathA ? PathA->Path->Text() : std::string();
    if (FolderExists(path, nullptr, false) == fsOk)
        DirectoryListBox1->SetDirectory(path);
    else
        DirectoryListBox1->SetDirectory("");
}

void TBrowseDirA::DriveComboBox1Change(TObject *) {
    char drive = DriveComboBox1->Drive();
    if (drive == 'a') {
        DirectoryListBox1->Clear();
        CurrentFolder->SetCaption("");
        return;
    }
    DirectoryListBox1->SetDrive(drive);
    DirectoryListBox1->Update();
}

void TBrowseDirA::DirectoryListBox1Change(TObject *) {}

void TBrowseDirA::DirectoryListBox1Click(TObject *) {}

void TBrowseDirA::DirectoryListBox1DblClick(TObject *) {}

void TBrowseDirA::OkClick(TObject *) {
    if (PathA) {
        if (DriveComboBox1->Drive() == 'a')
            PathA->Path->SetText("");
        else
            PathA->Path->SetText(DirectoryListBox1->Directory());
    }
    DialogResult = mrOk;
    ModalResult = mrOk;
}

void TBrowseDirA::CancelClick(TObject *) {
    DialogResult = mrCancel;
    ModalResult = mrCancel;
}

void TBrowseDirA::FormClose(TObject *, TCloseAction &) {
    SavedCurrentDir.reset();
    ModalResult = DialogResult;
}

bool TBrowseDirA::MessageHook(UINT message, WPARAM wParam, LPARAM, LRESULT &) {
    // Folders made meanwhile in another program show up on return.
    if (message == WM_ACTIVATEAPP && wParam)
        DirectoryListBox1->Update();
    return false;
}
