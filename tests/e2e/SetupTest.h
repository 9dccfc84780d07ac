// The fixture of the end-to-end tests: this build's Setup.exe on a desktop
// of the test bed, worked through the page walker, whose misses fail the
// test. Screenshots go to the build's screenshot folder.
#pragma once

#include "driver/Pages.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {

class SetupTest : public ::testing::Test, public PageWalker {
  protected:
    HWND Start(const std::string &desktop = "Setup800", const std::string &exe = WindowsPath(SETUP_EXE)) {
        return PageWalker::Start(exe, desktop);
    }
    HWND WalkTo(Stage stage, const std::string &desktop = "Setup800",
                const std::string &exe = WindowsPath(SETUP_EXE)) {
        return PageWalker::WalkTo(stage, exe, desktop);
    }

    void ExpectEndsWithZero() { EXPECT_EQ(0u, setup.WaitExit()) << setup.LastError(); }
    // Closes the page by its close box: the program must end at once.
    void EndWith(HWND page) {
        CloseBox(page);
        ExpectEndsWithZero();
    }

    // SCREENSHOT_DIR\<desktop>-<name>.png, the folder made.
    std::string ShotPath(const std::string &name) {
        const std::string folder = WindowsPath(SCREENSHOT_DIR);
        if (!MakeFolders(folder))
            ADD_FAILURE() << "cannot create " << folder;
        return folder + "\\" + setup.Desktop() + "-" + name + ".png";
    }
    // Lets the window finish painting, then keeps the desktop as ShotPath(name).
    void Shoot(HWND window, const std::string &name) { ShootTo(window, ShotPath(name)); }

    void Missed(const std::string &what) override { ADD_FAILURE() << what; }
};

} // namespace e2e
