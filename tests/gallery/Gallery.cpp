// Pictures of the pages for people to look at, taken from the real program:
//
//   gallery FOLDER          every page at 800 x 600 and the title page at
//                           1024 x 768 and 640 x 480, as FOLDER\*.png
//   gallery --title FILE    starts the program at 1024 x 768, waits for the
//                           title page and keeps a picture of it as FILE
//
// It walks the pages as a person would and installs twice on the way: once
// into the default folder for the success page, once into a folder whose
// parent is missing for the failure page. Exit code 0 when every picture
// was taken; otherwise it names the page it waited for in vain.
#include "driver/Driver.h"

#include <cstdio>
#include <string>

using namespace e2e;

namespace {

class Walk {
  public:
    Walk(const std::string &folder, const std::string &desktop) : Folder(folder) {
        if (!Setup.Start(desktop))
            Fail("start on " + desktop);
    }
    ~Walk() {
        if (Setup.Running())
            Setup.Kill();
    }

    bool Ok() const { return Failed.empty(); }
    const std::string &Failure() const { return Failed; }

    HWND Page(const char *className) {
        if (!Ok())
            return nullptr;
        HWND page = Setup.WaitWindow(className, nullptr, 60000);
        if (page == nullptr)
            Fail(className);
        return page;
    }

    void Press(HWND page, const char *text) {
        HWND button = nullptr;
        if (page != nullptr)
            WaitFor([&] { return (button = FindChild(page, "Button", text)) != nullptr; }, 5000);
        if (button == nullptr)
            Fail(std::string("button ") + text);
        else
            Click(button);
    }

    // Lets the page finish painting, then keeps the whole desktop.
    void Shoot(HWND page, const std::string &name) {
        if (page == nullptr)
            return;
        DWORD_PTR ignored;
        SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        Setup.WaitIdle(2000);
        Sleep(300);
        std::string path = Folder.empty() ? name : Folder + "\\" + name + ".png";
        if (!Setup.Screenshot(path))
            Fail("writing " + path);
    }

    // From the title page to the confirmation page, with the given folder;
    // pictures of the pages on the way when asked.
    HWND ToConfirmation(const std::string &folder, bool shoot) {
        HWND title = Page("TForm1");
        if (shoot)
            Shoot(title, "800x600-01-title");
        Press(title, "&Next");
        HWND welcome = Page("TForm3");
        if (shoot)
            Shoot(welcome, "800x600-02-welcome");
        Press(welcome, "&Next");
        HWND licence = Page("TForm4");
        if (shoot)
            Shoot(licence, "800x600-03-licence");
        Press(licence, "&Agree");
        HWND destination = Page("TPathA");
        if (shoot) {
            Shoot(destination, "800x600-04-destination");
            Press(destination, "Browse");
            HWND browser = Page("TBrowseDirA");
            Shoot(browser, "800x600-05-browser");
            Press(browser, "&Cancel");
            if (browser != nullptr)
                Setup.WaitDestroyed(browser);
            Press(destination, "&Exit Setup");
            HWND exit = Page("TExitSetup");
            Shoot(exit, "800x600-06-exit-confirmation");
            Press(exit, "&No");
            if (exit != nullptr)
                Setup.WaitDestroyed(exit);
        }
        if (destination != nullptr)
            SetText(FindChild(destination, "Edit"), folder);
        Press(destination, "&Next");
        HWND types = Page("TExtensionsA");
        if (shoot)
            Shoot(types, "800x600-07-file-types");
        Press(types, "&Next");
        return Page("TPathConfirmA");
    }

    SetupProcess Setup;

  private:
    void Fail(const std::string &what) {
        if (Failed.empty())
            Failed = what + ": " + Setup.LastError();
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
    walk.Shoot(walk.Page("TForm1"), name);
    return Report(walk, name.c_str());
}

bool Success(const std::string &folder) {
    Walk walk(folder, "Setup800");
    HWND confirmation = walk.ToConfirmation("C:\\Program Files\\Vantorelle", true);
    walk.Shoot(confirmation, "800x600-08-confirmation");
    walk.Press(confirmation, "&Finish");
    HWND success = walk.Page("TForm5");
    walk.Shoot(success, "800x600-09-success");
    walk.Press(success, "OK");
    walk.Setup.WaitExit(20000);
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
