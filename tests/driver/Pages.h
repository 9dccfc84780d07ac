// The pages of Setup.exe in the order a person meets them, and a walker that
// finds them, their controls and buttons, and moves from one page to the
// next. It reports every miss to Missed(), in words that say what it waited
// for: the tests turn a miss into a failure, the gallery into its exit code.
#pragma once

#include "driver/Driver.h"

#include <string>

namespace e2e {

// The destination the destination page proposes.
extern const char kDefaultFolder[];

enum Stage { kTitle, kWelcome, kLicence, kDestination, kFileTypes, kConfirmation };

struct PageInfo {
    const char *className;
    const char *caption; // null: any caption
    const char *forward; // the button that moves on, null on the last page
};
extern const PageInfo kPages[kConfirmation + 1];

// The file-type page's boxes and their designed ticks.
struct TypeBox {
    const char *caption;
    bool ticked;
};
extern const TypeBox kTypeBoxes[8];

class PageWalker {
  public:
    virtual ~PageWalker() = default;

    // Starts the program on the named desktop; its title page, or null.
    HWND Start(const std::string &exe, const std::string &desktop);
    // Starts the program and walks forward to the page of this stage.
    HWND WalkTo(Stage stage, const std::string &exe, const std::string &desktop);

    // Waits for the visible page of this class (and caption, when given);
    // a timeout of 0 is pageWaitMs.
    HWND Page(const char *className, const char *caption = nullptr, DWORD timeoutMs = 0);
    HWND Page(Stage stage) { return Page(kPages[stage].className, kPages[stage].caption); }
    // A page may be shown before its controls are made: waits for the control.
    HWND Control(HWND parent, const char *className, const char *text = nullptr);
    HWND Button(HWND parent, const char *text) { return Control(parent, "Button", text); }

    // Presses the forward button of the page at this stage, waits for the
    // next page and for this one to leave the screen (the title page stays).
    HWND Forward(HWND page, Stage from);
    // Presses a button of the window (null: its close box) and waits until
    // the window is destroyed.
    bool CloseWith(HWND window, const char *button);
    // Presses the page's Exit Setup button; the exit confirmation, or null.
    HWND OpenExitConfirmation(HWND page, const char *exitButton);
    // Presses Browse on the destination page; the folder browser, or null.
    HWND OpenBrowser(HWND destination);

    // Lets the window finish painting: the program has handled what was sent
    // to it and waits for input.
    void Painted(HWND window);
    // Lets the window finish painting and keeps the whole desktop as a PNG.
    bool ShootTo(HWND window, const std::string &pngPath);

    SetupProcess setup;
    // How long Page waits unless told otherwise.
    DWORD pageWaitMs = kWaitMs;
    // After the first miss Page gives up at once, for a caller that stops
    // at the first miss anyway.
    bool stopAfterMiss = false;

  protected:
    virtual void Missed(const std::string &what) = 0;

  private:
    void Miss(const std::string &what);
    bool missed_ = false;
};

} // namespace e2e
