#pragma once

#include <string>
#include <vector>

#include "forms/StdCtrls.h"

class TLabel;

// A drop-down list of the machine's drives. A removable drive shows as its
// bare lower-case letter and a colon ("a:"), every other drive with its volume
// name after the colon ("c: [name]").
class TDriveComboBox : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    TNotifyEvent OnChange;

    using TWinControl::TWinControl;
    bool SetEvent(const std::string &key, TNotifyEvent handler) override;

    std::vector<std::string> Items() const;
    // Removes the item whose text is exactly this; false when there is none.
    bool RemoveItem(const std::string &text);
    // The lower-case letter of the selected drive, or 0.
    char Drive() const;

  protected:
    void CreateParams(TCreateParams &params) override;
    bool CreateWnd() override;
    void CommandNotify(WORD code) override;
};

// A list of the folders on the path to the current folder, then the current
// folder's subfolders. A double click or Enter opens the highlighted folder,
// which becomes the current folder and the process's current directory; a
// single click only highlights.
class TDirectoryListBox : public TWinControl {
  public:
    CONTROL_CLASS(TWinControl)
    TNotifyEvent OnChange;
    TNotifyEvent OnDblClick;
    // The label that shows the current folder, when there is one.
    TLabel *DirLabel = nullptr;

    explicit TDirectoryListBox(TForm *owner);
    bool SetAttribute(const std::string &key, const std::string &value) override;
    bool Loaded() override;
    bool SetEvent(const std::string &key, TNotifyEvent handler) override;

    const std::string &Directory() const { return Current; }
    // Opens a folder; an empty text is ignored.
    void SetDirectory(const std::string &path);
    // Goes to the given drive's current folder when it is another drive.
    void SetDrive(char drive);
    // Reads the list again.
    void Update();
    // Empties the list.
    void Clear();
    std::vector<std::string> Items() const { return Paths; }

  protected:
    void CreateParams(TCreateParams &params) override;
    bool CreateWnd() override;
    void CommandNotify(WORD code) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OpenSelected();
    void Fill();
    std::string Current;
    std::string DirLabelName;
    std::vector<std::string> Paths;
    std::vector<int> Levels;
    size_t OpenIndex = 0; // the last of the path's items: the open folder
};
