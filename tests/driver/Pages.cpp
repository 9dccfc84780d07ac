#include "driver/Pages.h"

namespace e2e {

const char kDefaultFolder[] = "C:\\Program Files\\Vantorelle";

const PageInfo kPages[kConfirmation + 1] = {
    {"TForm1", nullptr, "&Next"},
    {"TForm3", "Software Installation", "&Next"},
    {"TForm4", "License Agreement", "&Agree"},
    {"TPathA", "Software Installation", "&Next"},
    {"TExtensionsA", "Files Extensions", "&Next"},
    {"TPathConfirmA", "Software Installation", nullptr},
};

const TypeBox kTypeBoxes[8] = {
    {"Vantorelle &Composition Files (.cmp)", true},
    {"Vantorelle &Packed Composition Files (.cmn)", true},
    {"&JPEG Files (.jpg)", true},
    {"PN&G Files (.png)", true},
    {"&Bitmap Files (.bmp)", false},
    {"&MP3 Files (.mp3)", true},
    {"MP3 &Playlist Files (.m3u .pls)", true},
    {"&RealMedia Files (.ra .rm)", false},
};

HWND PageWalker::Start(const std::string &exe, const std::string &desktop) {
    if (!setup.StartProgram(exe, desktop)) {
        Miss("Setup.exe did not start on " + desktop + ": " + setup.LastError());
        return nullptr;
    }
    return Page(kTitle);
}

HWND PageWalker::WalkTo(Stage stage, const std::string &exe, const std::string &desktop) {
    HWND page = Start(exe, desktop);
    for (int s = kTitle; page != nullptr && s < stage; ++s)
        page = Forward(page, static_cast<Stage>(s));
    return page;
}

HWND PageWalker::Page(const char *className, const char *caption, DWORD timeoutMs) {
    if (stopAfterMiss && missed_)
        return nullptr;
    HWND page = setup.WaitWindow(className, caption, timeoutMs != 0 ? timeoutMs : pageWaitMs);
    if (page == nullptr)
        Miss(std::string("expected the page ") + className + ": " + setup.LastError());
    return page;
}

HWND PageWalker::Control(HWND parent, const char *className, const char *text) {
    HWND control = nullptr;
    if (parent != nullptr)
        WaitFor([&] { return (control = FindChild(parent, className, text)) != nullptr; });
    if (control == nullptr)
        Miss(std::string("no ") + className + " \"" + (text ? text : "") + "\" on the page " +
             (parent ? ClassOf(parent) : "(none)"));
    return control;
}

HWND PageWalker::Forward(HWND page, Stage from) {
    HWND button = Button(page, kPages[from].forward);
    if (button == nullptr)
        return nullptr;
    Click(button);
    HWND next = Page(static_cast<Stage>(from + 1));
    if (next != nullptr && from != kTitle && !setup.WaitHidden(page))
        Miss(std::string("page ") + kPages[from].className + " stayed on screen: " + setup.LastError());
    return next;
}

bool PageWalker::CloseWith(HWND window, const char *button) {
    if (button == nullptr) {
        CloseBox(window);
    } else {
        HWND pressed = Button(window, button);
        if (pressed == nullptr)
            return false;
        Click(pressed);
    }
    if (setup.WaitDestroyed(window))
        return true;
    Miss(std::string(button ? button : "the close box") + " did not close the window: " + setup.LastError());
    return false;
}

HWND PageWalker::OpenExitConfirmation(HWND page, const char *exitButton) {
    HWND button = Button(page, exitButton);
    if (button == nullptr)
        return nullptr;
    Click(button);
    return Page("TExitSetup", "Software Installation");
}

HWND PageWalker::OpenBrowser(HWND destination) {
    HWND button = Button(destination, "Browse");
    if (button == nullptr)
        return nullptr;
    Click(button);
    return Page("TBrowseDirA", "Browse");
}

void PageWalker::Painted(HWND window) {
    Send(window, WM_NULL);
    setup.WaitIdle(2000);
    Sleep(300);
}

bool PageWalker::ShootTo(HWND window, const std::string &pngPath) {
    if (window == nullptr)
        return false;
    Painted(window);
    if (setup.Screenshot(pngPath))
        return true;
    Miss("cannot write " + pngPath);
    return false;
}

void PageWalker::Miss(const std::string &what) {
    missed_ = true;
    Missed(what);
}

} // namespace e2e
