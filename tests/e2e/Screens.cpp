// Walks the pages of Setup.exe at 1024 x 768 and 800 x 600 and keeps a
// screenshot of each in the build's screenshot folder, for people to look
// at. The pictures are not compared; only the backdrop's purple is checked.
#include "SetupTest.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

const uint32_t kPurple = 0xA000FF; // (160, 0, 255)

class Screens : public SetupTest, public ::testing::WithParamInterface<const char *> {
  protected:
    void SetUp() override {
        title = Start(GetParam());
        ASSERT_NE(nullptr, title);
    }

    HWND title = nullptr;
};

TEST_P(Screens, EveryPage) {
    const char *const shots[] = {"01-title", "02-welcome", "03-licence", "04-destination"};
    HWND destination = title;
    Shoot(title, shots[kTitle]);
    for (int s = kWelcome; s <= kDestination; ++s) {
        destination = Forward(destination, static_cast<Stage>(s - 1));
        ASSERT_NE(nullptr, destination);
        Shoot(destination, shots[s]);
    }

    HWND browser = OpenBrowser(destination);
    if (browser != nullptr) {
        Shoot(browser, "05-browser");
        CloseWith(browser, "&Cancel");
    }

    HWND dialog = OpenExitConfirmation(destination, "&Exit Setup");
    ASSERT_NE(nullptr, dialog);
    Shoot(dialog, "06-exit-confirmation");
    ASSERT_TRUE(CloseWith(dialog, "&No"));

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
    SetText(path, kDefaultFolder);

    HWND fileTypes = Forward(destination, kDestination);
    ASSERT_NE(nullptr, fileTypes);
    Shoot(fileTypes, "08-file-types");

    HWND confirmation = Forward(fileTypes, kFileTypes);
    ASSERT_NE(nullptr, confirmation);
    Shoot(confirmation, "09-confirmation");
    EndWith(confirmation);
}

// At full colour the purple of the backdrop and of the welcome page's
// purple ball stays (160, 0, 255); only 256-colour screens change it.
TEST_P(Screens, PurpleAtFullColour) {
    int width = 0, height = 0, bits = 0;
    ASSERT_TRUE(setup.DesktopCaps(&width, &height, &bits));
    if (bits <= 8)
        GTEST_SKIP() << "the desktop has " << bits << " bits per pixel";

    HWND welcome = Forward(title, kTitle);
    ASSERT_NE(nullptr, welcome);
    Painted(welcome);

    // Shape1 of the title page fills the backdrop; its pen is another colour,
    // so the sample stays off the edge.
    EXPECT_EQ(RgbText(kPurple), RgbText(setup.ClientPixel(title, 5, 5))) << "title page backdrop";
    // Shape8 of the welcome page: a 33 x 33 ball at (32, 232).
    EXPECT_EQ(RgbText(kPurple), RgbText(setup.ClientPixel(welcome, 48, 248))) << "welcome page Shape8";

    EndWith(welcome);
}

INSTANTIATE_TEST_SUITE_P(Desktops, Screens, ::testing::Values("Setup1024", "Setup800"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param);
                         });

} // namespace
