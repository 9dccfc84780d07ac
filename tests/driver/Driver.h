// The end-to-end driver: starts Setup.exe on a Wine desktop of a chosen size
// and works its windows from outside, as a person would, through window
// messages that cross process boundaries (BM_CLICK, WM_GETTEXT, WM_SETTEXT,
// WM_SYSCOMMAND, posted keys).
//
// Every waiting operation polls every 20 ms until its timeout and leaves a
// readable reason in LastError() when it gives up.
#pragma once

#include <windows.h>

#include "support/MessageBoxes.h"
#include "support/Readers.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// How long the waiting operations wait unless told otherwise. Starting a
// process on a fresh Wine desktop takes a few seconds.
constexpr DWORD kWaitMs = 15000;

// What WaitExit returns when the process has not ended in time.
constexpr DWORD kStillRunning = STILL_ACTIVE;

using readers::kMessageBoxClass;
using readers::WindowsPath;

// Creates a folder and its missing parents. True when it exists afterwards.
bool MakeFolders(const std::string &windowsPath);

// A captured picture: 0x00RRGGBB pixels, rows from top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool Empty() const { return pixels.empty(); }
    // The pixel at (x, y), or 0xFFFFFFFF outside the picture.
    uint32_t At(int x, int y) const;
};

// Writes the picture as an 8-bit RGB PNG file. False when the file can't be
// written.
bool WritePng(const Picture &picture, const std::string &windowsPath);

// "(128, 0, 255)" for 0x008000FF, for failure messages.
std::string RgbText(uint32_t rgb);
// "(184, 171) 478 x 341": a rectangle's corner and size, for comparisons.
std::string RectText(const RECT &r);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string text;
};

class SetupProcess {
  public:
    SetupProcess() = default;
    ~SetupProcess(); // kills the process when it still runs
    SetupProcess(const SetupProcess &) = delete;
    SetupProcess &operator=(const SetupProcess &) = delete;

#ifdef SETUP_EXE
    // Starts the Setup.exe of this build on the named desktop ("Setup800",
    // "Setup1024" ...). extraEnv holds "NAME=value" entries added to (or
    // replacing those of) this process's environment. Wine itself reads some
    // variables (WINEDLLOVERRIDES, DISPLAY) from the Unix environment, which a
    // child inherits from this process whatever the block says: use
    // SetAppDllOverride for DLL overrides.
    // The desktops of all sizes share one X screen and cover each other, so
    // a start first waits (up to 5 s) for desktops of other names to close.
    bool Start(const std::string &desktop, const std::vector<std::string> &extraEnv = {}) {
        return StartProgram(WindowsPath(SETUP_EXE), desktop, extraEnv);
    }
#endif
    bool StartProgram(const std::string &exe, const std::string &desktop,
                      const std::vector<std::string> &extraEnv = {});

    // The visible top-level window of the process with this class (and this
    // caption, when given), or null.
    HWND FindPage(const char *className, const char *caption = nullptr) const;
    // The top-level windows of the process with this class, hidden ones too.
    std::vector<HWND> AllWindows(const char *className) const;
    // Waits for FindPage to find the window; null after the timeout.
    HWND WaitWindow(const char *className, const char *caption = nullptr, DWORD timeoutMs = kWaitMs);
    // Waits until the window is hidden or destroyed.
    bool WaitHidden(HWND hwnd, DWORD timeoutMs = kWaitMs);
    // Waits until the window is destroyed.
    bool WaitDestroyed(HWND hwnd, DWORD timeoutMs = kWaitMs);
    // Waits until the program has handled everything in its queue and waits
    // for input (its pages are painted then).
    bool WaitIdle(DWORD timeoutMs = kWaitMs);

    // Waits for a message box of the process.
    MessageBoxInfo WaitMessageBox(DWORD timeoutMs = kWaitMs);
    // Presses the box's button with this id (IDOK is 1).
    bool AnswerMessageBox(HWND box, int id = IDOK);

    // The control with the keyboard focus in the process's GUI thread.
    HWND Focus() const;
    // Makes the window the foreground (active) window of its desktop, as a
    // click on it would, and returns once the program has handled that. The
    // program may activate another window in answer.
    bool Activate(HWND hwnd);

    bool Running() const;
    // Waits for the process to end and returns its exit code, or
    // kStillRunning when it is still running after the timeout.
    DWORD WaitExit(DWORD timeoutMs = kWaitMs);
    void Kill();

    // The whole desktop as the process sees it.
    Picture Capture() const;
    bool Screenshot(const std::string &pngPath) const;
    // The colour (0x00RRGGBB) of the pixel at (x, y) of the window's client
    // area, read from a capture of the desktop; 0xFFFFFFFF when it fails.
    uint32_t ClientPixel(HWND hwnd, int x, int y) const;

    // Screen size and colour depth that the desktop reports to its programs.
    bool DesktopCaps(int *width, int *height, int *bitsPerPixel) const;

    DWORD ProcessId() const {
        return info_.dwProcessId;
    }
    const std::string &Desktop() const {
        return desktop_;
    }
    // Why the last operation failed, for failure messages.
    const std::string &LastError() const {
        return error_;
    }

  private:
    // Runs fn on a fresh thread attached to the process's desktop, so that
    // GetDC(NULL) and activation refer to that desktop.
    bool OnDesktop(const std::function<void()> &fn) const;
    // One read of the whole desktop, however it came out.
    Picture CaptureOnce() const;
    void Close();

    PROCESS_INFORMATION info_{};
    HDESK desk_ = nullptr;
    std::string desktop_;
    std::string error_;
};

// Polls cond every 20 ms until it holds or the timeout passes.
bool WaitFor(const std::function<bool()> &cond, DWORD timeoutMs = kWaitMs);

// The first direct or nested child with this class and text (either may be
// null to match any).
HWND FindChild(HWND parent, const char *className, const char *text = nullptr);
std::string ClassOf(HWND hwnd);

// Sends a message to a window of the program and returns its result; 0 when
// the program does not answer within 5 s.
DWORD_PTR Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Asks the window where the point in its middle lies (WM_NCHITTEST) and
// waits for the answer (5 s at most): true when the program answered, having
// handled everything sent to it before; false when the window is gone or the
// program does not answer (it has ended, or hangs). Only a window that
// handles the question answers anything but "nowhere": a thread that ends
// lets Wine answer its pending messages with 0. A check that something did
// not happen waits for this (or for the next one) first, so that it looks
// after the moment has passed.
bool Answers(HWND hwnd);
// Posts a pressed state to a push button of the program, behind everything
// posted to its thread so far (clicks, keys), and waits until the button
// shows it: true once the program has handled all of those. The button's
// state is put back.
bool PostedHandled(HWND button, DWORD timeoutMs = kWaitMs);
// Presses a button (posted BM_CLICK: it returns at once even when the click
// opens a modal window).
void Click(HWND button);
void SetChecked(HWND box, bool checked);
bool IsChecked(HWND box);
std::string GetText(HWND hwnd);
void SetText(HWND hwnd, const std::string &text);
RECT WindowRect(HWND hwnd);
// The window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND hwnd);
bool IsVisible(HWND hwnd);
bool IsEnabled(HWND hwnd);
bool IsTopmost(HWND hwnd);
// True when upper lies above lower in the z-order of their desktop.
bool IsAbove(HWND upper, HWND lower);
// The window's close box: a posted WM_SYSCOMMAND SC_CLOSE.
void CloseBox(HWND hwnd);
// Posts a key press and release (WM_KEYDOWN, WM_KEYUP) to the control.
void SendKey(HWND hwnd, UINT vk);

} // namespace e2e
