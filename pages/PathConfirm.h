#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "forms/Controls.h"
#include "forms/Form.h"

class TZCodec;

// The install folder, normalised, without a trailing backslash. Set by the
// confirmation page's Finish and read by every later install step.
extern std::string InstallDir;
// Zero-terminated copy of InstallDir that lives only while the install runs.
extern char *InstallDirBuffer;

// Progress of the whole extraction: set before the first file, advanced by
// ExtractProgress.
extern uint32_t PayloadTotalBytes;
extern uint32_t PayloadDoneBytes;
extern uint32_t ExtractStartTick;

// Millisecond tick source used by the extraction's pacing (GetTickCount;
// tests put a clock of their own here).
extern DWORD(WINAPI *SetupTickCount)();

// Removes trailing characters with codes 0 to 32, then one trailing backslash.
void StripTrailingBackslash(std::string &path);

// Splits a zero-terminated path into folder, name and extension. Each output
// may be null; each holds at most 259 characters and its terminator.
// Returns 0 for a null path, else 1.
int SplitFilePath(const char *path, char *folder, char *name, char *extension);

// The one message box of the setup: OK button, exclamation icon, task modal,
// over the owner or, without one, over the backdrop page.
int ShowSetupMessage(const std::string &text, const std::string &caption, HWND owner);

// Progress function of the extraction in the codec's callback shape.
void ExtractProgress(TZCodec *codec, const std::string &source, const char *label, float fraction,
                     uint32_t totalIn, uint32_t totalOut, uint32_t deltaIn, uint32_t deltaOut);

// Paints the gauge into the confirmation page's ProgressBitmap: the pie shows
// the fraction done, the text stands on the inner ellipse. It does not reach
// the screen until the bitmap is copied to the panel.
void DrawProgress(const std::string &text, float fraction);

// Waits while the extraction runs ahead of a 4-second schedule: when it is 100
// ms or more ahead of fraction x 4000 ms since ExtractStartTick, it waits for
// the whole lead. Returns the lead waited for, or 0.
DWORD PaceExtraction(float fraction);

// The confirmation page: shows the install folder and runs the install.
class TPathConfirmA : public TForm {
  public:
    TShape *Shape1, *Shape2, *Shape3;
    TLabel *Label1, *Label3;
    TEdit *ActualPathEdit;
    TPanel *ProgressPanel;
    TButton *Finish, *Back, *ExitSetup;
    int ExitOnClose;
    // Draws straight onto ProgressPanel's window.
    TControlCanvas *ProgressCanvas;
    // The last gauge picture, the panel's size.
    TBitmap *ProgressBitmap;

    explicit TPathConfirmA(TForm *owner);
    ~TPathConfirmA() override;

    // The install folder for a folder text: the text without trailing blanks
    // and one trailing backslash, ending in "Vantorelle" (appended when the
    // text does not already end in it).
    static std::string NormalizePath(const std::string &path);

    void FormCreate(TObject *sender);
    void FormPaint(TObject *sender);
    void FormClose(TObject *sender, TCloseAction &action);
    void FinishClick(TObject *sender);
    void BackClick(TObject *sender);
    void ExitSetupClick(TObject *sender);

    TNotifyEvent NotifyHandler(const std::string &name) override;
    TCloseEvent CloseHandler(const std::string &name) override;

  private:
    void ReleaseProgress();
};

extern TPathConfirmA *PathConfirmA;
