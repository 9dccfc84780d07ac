#pragma once

#include <optional>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "win32/CurrentDirectory.h"

// The modal folder browser of the destination page. OK writes the folder open
// in the list into the destination page's Path; the process's current
// directory is the same after the browser as before it.
class TBrowseDirA : public TForm {
  public:
    TDriveComboBox *DriveComboBox1 = nullptr;
    TDirectoryListBox *DirectoryListBox1 = nullptr;
    TLabel *Label1 = nullptr, *Label2 = nullptr, *CurrentFolder = nullptr;
    TButton *Ok = nullptr, *Cancel = nullptr;
    // The last button: 0 none, 1 OK, 2 Cancel.
    int DialogResult = 0;
    // The current directory as the browser opened; put back when the browser
    // closes, or when it goes away by any other way.
    std::optional<TCurrentDirectoryKeeper> SavedCurrentDir;

    FORM_PAGE(TBrowseDirA);

    void FormCreate(TObject *sender);
    void DriveComboBox1Change(TObject *sender);
    void DirectoryListBox1Change(TObject *sender);
    void DirectoryListBox1Click(TObject *sender);
    void DirectoryListBox1DblClick(TObject *sender);
    void OkClick(TObject *sender);
    void CancelClick(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);

  protected:
    bool MessageHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) override;
};
