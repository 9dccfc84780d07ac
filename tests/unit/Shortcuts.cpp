#include "shell/Shortcuts.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/EngineState.h"
#include "support/Readers.h"

using namespace readers;

namespace {

const char kDescription[] = "Copyright (c) Vantorelle2.0";

class ShortcutsTest : public ::testing::Test, protected InstallDirSetter {
  protected:
    void SetUp() override { RemoveTree(StartMenuFolder()); }
    void TearDown() override { RemoveTree(StartMenuFolder()); }
};

} // namespace

TEST_F(ShortcutsTest, NoFolderGivesFolderWithBothShortcuts) {
    SetInstallDir("C:\\Program Files\\Vantorelle Test");
    ASSERT_FALSE(Exists("C:\\Program Files\\Vantorelle Test\\Vantorelle.hlp"));

    EXPECT_EQ(1, CreateShortcuts());

    EXPECT_EQ((std::vector<std::string>{"Help.lnk", "Vantorelle.lnk"}), Listing(StartMenuFolder()));
    const Shortcut program = ReadShortcut(StartMenuFolder() + "\\Vantorelle.lnk");
    ASSERT_TRUE(program.loaded) << "Vantorelle.lnk does not load";
    EXPECT_EQ("C:\\Program Files\\Vantorelle Test\\Vantorelle.exe", program.target);
    EXPECT_EQ(kDescription, program.description);
    EXPECT_EQ("", program.workingDirectory);
    // The help shortcut is written although the help file does not exist.
    const Shortcut help = ReadShortcut(StartMenuFolder() + "\\Help.lnk");
    ASSERT_TRUE(help.loaded) << "Help.lnk does not load";
    EXPECT_EQ("C:\\Program Files\\Vantorelle Test\\Vantorelle.hlp", help.target);
    EXPECT_EQ(kDescription, help.description);
    EXPECT_EQ("", help.workingDirectory);
}

TEST_F(ShortcutsTest, LoadableMainShortcutGetsBothRewrittenAndOtherFilesKept) {
    SetInstallDir("C:\\First");
    ASSERT_EQ(1, CreateShortcuts());
    WriteText(StartMenuFolder() + "\\Notes.txt", "kept");

    SetInstallDir("D:\\Second Place\\Vantorelle");
    EXPECT_EQ(1, CreateShortcuts());

    EXPECT_EQ("D:\\Second Place\\Vantorelle\\Vantorelle.exe",
              ReadShortcut(StartMenuFolder() + "\\Vantorelle.lnk").target);
    EXPECT_EQ("D:\\Second Place\\Vantorelle\\Vantorelle.hlp",
              ReadShortcut(StartMenuFolder() + "\\Help.lnk").target);
    EXPECT_EQ("kept", FileText(StartMenuFolder() + "\\Notes.txt"));
}

TEST_F(ShortcutsTest, FolderWithoutLoadableMainShortcutIsLeftAlone) {
    SetInstallDir("C:\\Program Files\\Vantorelle");
    CreateDirectoryA(StartMenuFolder().c_str(), nullptr);
    WriteText(StartMenuFolder() + "\\Notes.txt", "kept");

    EXPECT_EQ(1, CreateShortcuts()) << "a folder that is not ours must not fail the install";
    EXPECT_EQ(std::vector<std::string>{"Notes.txt"}, Listing(StartMenuFolder()));

    // A file of the shortcut's name that is no shortcut counts as unreadable.
    WriteText(StartMenuFolder() + "\\Vantorelle.lnk", "not a shortcut");
    EXPECT_EQ(1, CreateShortcuts());
    EXPECT_EQ("not a shortcut", FileText(StartMenuFolder() + "\\Vantorelle.lnk"));
    EXPECT_FALSE(Exists(StartMenuFolder() + "\\Help.lnk"));
}

TEST_F(ShortcutsTest, CheckStartMenuFolderLooksForTheNamedFolderAndShortcut) {
    EXPECT_EQ(1, CheckStartMenuFolder("Vantorelle", "Vantorelle")) << "absent folder";
    SetInstallDir("C:\\Apps");
    ASSERT_EQ(1, CreateShortcuts());

    EXPECT_EQ(1, CheckStartMenuFolder("Vantorelle", "Vantorelle"));
    EXPECT_EQ(1, CheckStartMenuFolder("Help", "Vantorelle"));
    EXPECT_EQ(0, CheckStartMenuFolder("Missing", "Vantorelle"));
    EXPECT_EQ(1, CheckStartMenuFolder("Missing", "Vantorelle Elsewhere")) << "absent folder";
    // Twice as long as a path may be: refused, never converted partly.
    EXPECT_EQ(0, CheckStartMenuFolder(std::string(300, 'x'), "Vantorelle"));
}

TEST_F(ShortcutsTest, NothingIsCreatedWithoutInstallFolderOrForOverlongNames) {
    EXPECT_EQ(1, CreateShortcuts());
    EXPECT_FALSE(Exists(StartMenuFolder())) << "created without InstallDirBuffer";

    EXPECT_EQ(1, CreateStartMenuFolder("Vantorelle"));
    EXPECT_EQ(1, CreateShortcut("C:\\Apps\\Vantorelle.exe", std::string(300, 'x'), "Vantorelle"));
    EXPECT_EQ(std::vector<std::string>{}, Listing(StartMenuFolder()));
}
