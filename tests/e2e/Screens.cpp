// Walks the pages of Setup.exe at 1024 x 768 and 800 x 600 and keeps a
// screenshot of each in the build's screenshot folder, for people to look
// at. The pictures are not compared; only the backdrop's purple is checked.
#include "driver/Driver.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

const uint32_t kPurple = 0xA000FF; // (160, 0, 255)

class Screens : public ::testing::TestWithParam<const char *> {
  protected:
    void SetUp() override {
        folder = WindowsPath(SCREENSHOT_DIR);
        ASSERT_TRUE(MakeFolders(folder)) << "cannot create " << folder;
        ASSERT_TRUE(setup.Start(GetParam())) << setup.LastError();
    }

    HWND Wait(const char *className, const char *caption = nullptr) {
        HWND page = setup.WaitWindow(className, caption);
        if (page == nullptr)
            ADD_FAILURE() << "expected " << className << ": " << setup.LastError();
        return page;
    }

    HWND Button(HWND page, const char *text) {
        HWND button = nullptr;
        WaitFor([&] { return (button = FindChild(page, "Button", text)) != nullptr; }, 5000);
        if (button == nullptr)
            ADD_FAILURE() << "no button \"" << text << "\" on " << ClassOf(page);
        return button;
    }

    // Lets the page finish painting, then keeps the whole desktop as
    // <desktop>-<name>.png.
    void Shoot(HWND page, const std::string &name) {
        DWORD_PTR ignored;
        SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        setup.WaitIdle(2000);
        Sleep(300);
        std::string path = folder + "\\" + GetParam() + "-" + name + ".png";
        EXPECT_TRUE(setup.Screenshot(path)) << "cannot write " << path;
    }

    SetupProcess setup;
    std::string folder;
};

TEST_P(Screens, EveryPage) {
    HWND title = Wait("TForm1");
    ASSERT_NE(nullptr, title);
    Shoot(title, "01-title");

    Click(Button(title, "&Next"));
    HWND welcome = Wait("TForm3", "Software Installation");
    ASSERT_NE(nullptr, welcome);
    Shoot(welcome, "02-welcome");

    Click(Button(welcome, "&Next"));
    HWND licence = Wait("TForm4", "License Agreement");
    ASSERT_NE(nullptr, licence);
    Shoot(licence, "03-licence");

    Click(Button(licence, "&Agree"));
    HWND destination = Wait("TPathA", "Software Installation");
    ASSERT_NE(nullptr, destination);
    Shoot(destination, "04-destination");

    Click(Button(destination, "Browse"));
    HWND browser = Wait("TBrowseDirA", "Browse");
    if (browser != nullptr) {
        Shoot(browser, "05-browser");
        Click(Button(browser, "&Cancel"));
        EXPECT_TRUE(setup.WaitDestroyed(browser)) << setup.LastError();
    }

    Click(Button(destination, "&Exit Setup"));
    HWND dialog = Wait("TExitSetup", "Software Installation");
    ASSERT_NE(nullptr, dialog);
    Shoot(dialog, "06-exit-confirmation");
    Click(Button(dialog, "&No"));
    ASSERT_TRUE(setup.WaitDestroyed(dialog)) << setup.LastError();

    // The message every refused destination gets.
    HWND path = FindChild(destination, "Edit");
    ASSERT_NE(nullptr, path);
    SetText(path, "a:\\Vantorelle");
    Click(Button(destination, "&Next"));
    MessageBoxInfo box = setup.WaitMessageBox();
    if (box.hwnd != nullptr) {
        EXPECT_EQ("Program can not be installed on drive 'a:'", box.text);
        Shoot(box.hwnd, "07-message");
        EXPECT_TRUE(setup.AnswerMessageBox(box.hwnd)) << setup.LastError();
    } else {
        ADD_FAILURE() << "expected a message about drive a: " << setup.LastError();
    }
    SetText(path, "C:\\Program Files\\Vantorelle");

    Click(Button(destination, "&Next"));
    HWND fileTypes = Wait("TExtensionsA", "Files Extensions");
    ASSERT_NE(nullptr, fileTypes);
    Shoot(fileTypes, "08-file-types");

    Click(Button(fileTypes, "&Next"));
    HWND confirmation = Wait("TPathConfirmA", "Software Installation");
    ASSERT_NE(nullptr, confirmation);
    Shoot(confirmation, "09-confirmation");

    CloseBox(confirmation);
    EXPECT_EQ(0u, setup.WaitExit()) << setup.LastError();
}

// At full colour the purple of the backdrop and of the welcome page's
// purple ball stays (160, 0, 255); only 256-colour screens change it.
TEST_P(Screens, PurpleAtFullColour) {
    int width = 0, height = 0, bits = 0;
    ASSERT_TRUE(setup.DesktopCaps(&width, &height, &bits));
    if (bits <= 8)
        GTEST_SKIP() << "the desktop has " << bits << " bits per pixel";

    HWND title = Wait("TForm1");
    ASSERT_NE(nullptr, title);
    Click(Button(title, "&Next"));
    HWND welcome = Wait("TForm3", "Software Installation");
    ASSERT_NE(nullptr, welcome);
    DWORD_PTR ignored;
    SendMessageTimeoutA(welcome, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    setup.WaitIdle(2000);
    Sleep(300);

    // Shape1 of the title page fills the backdrop; its pen is another colour,
    // so the sample stays off the edge.
    EXPECT_EQ(RgbText(kPurple), RgbText(setup.ClientPixel(title, 5, 5))) << "title page backdrop";
    // Shape8 of the welcome page: a 33 x 33 ball at (32, 232).
    EXPECT_EQ(RgbText(kPurple), RgbText(setup.ClientPixel(welcome, 48, 248))) << "welcome page Shape8";

    CloseBox(welcome);
    EXPECT_EQ(0u, setup.WaitExit()) << setup.LastError();
}

INSTANTIATE_TEST_SUITE_P(Desktops, Screens, ::testing::Values("Setup1024", "Setup800"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param);
                         });

} // namespace
