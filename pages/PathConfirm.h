#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <windows.h>

#include "forms/Controls.h"
#include "app/WizardPage.h"
#include "forms/Form.h"

// Paints the gauge into the confirmation page's ProgressBitmap: the pie shows
// the fraction done, the text stands on the inner ellipse. It does not reach
// the screen until the bitmap is copied to the panel.
void DrawProgress(const std::string &text, float fraction);

// The confirmation page: shows the install folder and runs the install.
class TPathConfirmA : public TWizardPage {
  public:
    TShape *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr;
    TLabel *Label1 = nullptr, *Label3 = nullptr;
    TEdit *ActualPathEdit = nullptr;
    TPanel *ProgressPanel = nullptr;
    TButton *Finish = nullptr, *Back = nullptr, *ExitSetup = nullptr;
    // Draws straight onto ProgressPanel's window.
    std::unique_ptr<TControlCanvas> ProgressCanvas;
    // The last gauge picture, the panel's size.
    std::unique_ptr<TBitmap> ProgressBitmap;

    FORM_PAGE(TPathConfirmA);
    ~TPathConfirmA() override;

    // The install folder for a folder text: the text without trailing blanks
    // and one trailing backslash, ending in "Vantorelle" (appended when the
    // text does not already end in it).
    static std::string NormalizePath(const std::string &path);
    // InstallDir for the folder text on the page: NormalizePath's folder as a
    // full path (GetFullPathNameA), so that the commands and shortcuts that
    // name it mean one place whatever the current drive of the program that
    // reads them. Empty when it cannot be made full.
    static std::string InstallDirFor(const std::string &text);

    void FormCreate(TObject *sender);
    void FormPaint(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
    void FinishClick(TObject *sender);
    void BackClick(TObject *sender);
    // ExitSetupClick is the wizard page's.

  private:
    void ReleaseProgress();
};

extern TPathConfirmA *PathConfirmA;
