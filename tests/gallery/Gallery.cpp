// Pictures of the pages for people to look at, taken from the real program:
//
//   gallery FOLDER          every page at 800 x 600 and the title page at
//                           1024 x 768 and 640 x 480, as FOLDER\*.png
//   gallery --title FILE    starts the program at 1024 x 768, waits for the
//                           title page and keeps a picture of it as FILE
//
// It walks the pages as a person would and installs twice on the way: once
// into the default folder for the success page, once into a folder whose
// parent is missing for the failure page. The folder browser shows the
// default folder's parent (C:\Program Files), so the pictures are the same
// from every fresh Wine prefix. Exit code 0 when every picture
// was taken; otherwise it names the page it waited for in vain.
#include "driver/Pages.h"

#include <cstdio>
#include <string>

using namespace e2e;

namespace {

// One run of the program; the first miss is the one reported, and the walk
// gives up at once after it.
class Walk : public PageWalker {
  public:
    Walk(const std::string &folder, const std::string &desktop) : Folder(folder) {
        pageWaitMs = 60000;
        stopAfterMiss = true;
        Title = Start(WindowsPath(SETUP_EXE), desktop);
    }

    bool Ok() const { return Failed.empty(); }
    const std::string &Failure() const { return Failed; }

    void Press(HWND page, const char *text) { Click(Button(page, text)); }
    void Shoot(HWND page, const std::string &name) {
        ShootTo(page, Folder.empty() ? name : Folder + "\\" + name + ".png");
    }

    // From the title page to the confirmation page, with the given folder;
    // pictures of the pages on the way when asked.
    HWND ToConfirmation(const std::string &folder, bool shoot) {
        const char *const shots[] = {"800x600-01-title", "800x600-02-welcome", "800x600-03-licence",
                                     "800x600-04-destination", "800x600-07-file-types"};
        HWND page = Title;
        for (int s = kTitle; s < kConfirmation && page != nullptr; ++s) {
            if (shoot)
                Shoot(page, shots[s]);
            if (s == kDestination) {
                if (shoot)
                    ShootDialogs(page);
                SetText(Control(page, "Edit"), folder);
            }
            page = Forward(page, static_cast<Stage>(s));
        }
        return page;
    }

    HWND Title;

  private:
    // The folder browser and the exit confirmation, each closed again. The
    // browser opens at the destination when that folder exists: at the
    // default destination's parent, which every machine has.
    void ShootDialogs(HWND destination) {
        const std::string folder = kDefaultFolder;
        SetText(Control(destination, "Edit"), folder.substr(0, folder.rfind('\\')));
        HWND browser = OpenBrowser(destination);
        Shoot(browser, "800x600-05-browser");
        if (browser != nullptr)
            CloseWith(browser, "&Cancel");
        HWND exit = OpenExitConfirmation(destination, "&Exit Setup");
        Shoot(exit, "800x600-06-exit-confirmation");
        if (exit != nullptr)
            CloseWith(exit, "&No");
    }

    void Missed(const std::string &what) override {
        if (Failed.empty())
            Failed = what;
    }
    std::string Folder;
    std::string Failed;
};

bool Report(const Walk &walk, const char *what) {
    if (!walk.Ok())
        std::fprintf(stderr, "gallery: %s: %s\n", what, walk.Failure().c_str());
    return walk.Ok();
}

bool TitleOnly(const std::string &folder, const std::string &desktop, const std::string &name) {
    Walk walk(folder, desktop);
    walk.Shoot(walk.Title, name);
    return Report(walk, name.c_str());
}

bool Success(const std::string &folder) {
    Walk walk(folder, "Setup800");
    HWND confirmation = walk.ToConfirmation(kDefaultFolder, true);
    walk.Shoot(confirmation, "800x600-08-confirmation");
    walk.Press(confirmation, "&Finish");
    HWND success = walk.Page("TForm5");
    walk.Shoot(success, "800x600-09-success");
    walk.Press(success, "OK");
    walk.setup.WaitExit(20000);
    return Report(walk, "pages up to the success page");
}

bool Failure(const std::string &folder) {
    Walk walk(folder, "Setup800");
    const char parent[] = "C:\\Gallery No Such Folder";
    RemoveDirectoryA(parent);
    HWND confirmation = walk.ToConfirmation(std::string(parent) + "\\Vantorelle", false);
    walk.Press(confirmation, "&Finish");
    walk.Shoot(walk.Page("TForm2"), "800x600-10-failure");
    return Report(walk, "failure page");
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::string(argv[1]) == "--title")
        return TitleOnly("", "Setup1024", WindowsPath(argv[2])) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: gallery FOLDER | gallery --title FILE\n");
        return 2;
    }
    std::string folder = WindowsPath(argv[1]);
    // The program starts where a person would start it from, not in the
    // build's folder: its folder browser shows the current drive.
    SetCurrentDirectoryA("C:\\");
    if (!MakeFolders(folder)) {
        std::fprintf(stderr, "gallery: cannot create %s\n", folder.c_str());
        return 1;
    }
    bool ok = Success(folder);
    ok = Failure(folder) && ok;
    ok = TitleOnly(folder, "Setup1024", "1024x768-title") && ok;
    ok = TitleOnly(folder, "Setup640", "640x480-title") && ok;
    return ok ? 0 : 1;
}
