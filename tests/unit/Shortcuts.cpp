#include "shell/Shortcuts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "pages/PathConfirm.h"

namespace {

const char kDescription[] = "Copyright (c) Vantorelle2.0";

std::string ProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE);
    return path;
}

std::string StartMenuFolder() {
    return ProgramsFolder() + "\\Vantorelle";
}

bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Names of the entries of a folder, sorted.
std::vector<std::string> FolderEntries(const std::string &folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteText(const std::string &path, const std::string &content) {
    std::ofstream(path) << content;
}

std::string ReadText(const std::string &path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What the shell reads back from a shortcut file.
struct Shortcut {
    bool Loaded = false;
    std::string Target, Description, WorkingDirectory;
};

Shortcut ReadShortcut(const std::string &path) {
    Shortcut result;
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        IPersistFile *file = nullptr;
        WCHAR widePath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
                char text[MAX_PATH] = "";
                result.Loaded = true;
                link->GetPath(text, MAX_PATH, nullptr, 0);
                result.Target = text;
                text[0] = 0;
                link->GetDescription(text, MAX_PATH);
                result.Description = text;
                text[0] = 0;
                link->GetWorkingDirectory(text, MAX_PATH);
                result.WorkingDirectory = text;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return result;
}

class ShortcutsTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::remove_all(StartMenuFolder(), ignored); }
    void TearDown() override {
        InstallDirBuffer = nullptr;
        std::filesystem::remove_all(StartMenuFolder(), ignored);
    }

    // Points InstallDirBuffer at a copy of dir for the next install step.
    void SetInstallDir(const std::string &dir) {
        installDir = dir;
        InstallDirBuffer = &installDir[0];
    }

    std::string installDir;
    std::error_code ignored;
};

} // namespace

TEST_F(ShortcutsTest, NoFolderGivesFolderWithBothShortcuts) {
    SetInstallDir("C:\\Program Files\\Vantorelle Test");
    ASSERT_FALSE(Exists("C:\\Program Files\\Vantorelle Test\\Vantorelle.hlp"));

    EXPECT_EQ(1, CreateShortcuts());

    EXPECT_EQ((std::vector<std::string>{"Help.lnk", "Vantorelle.lnk"}), FolderEntries(StartMenuFolder()));
    const Shortcut program = ReadShortcut(StartMenuFolder() + "\\Vantorelle.lnk");
    ASSERT_TRUE(program.Loaded) << "Vantorelle.lnk does not load";
    EXPECT_EQ("C:\\Program Files\\Vantorelle Test\\Vantorelle.exe", program.Target);
    EXPECT_EQ(kDescription, program.Description);
    EXPECT_EQ("", program.WorkingDirectory);
    // The help shortcut is written although the help file does not exist.
    const Shortcut help = ReadShortcut(StartMenuFolder() + "\\Help.lnk");
    ASSERT_TRUE(help.Loaded) << "Help.lnk does not load";
    EXPECT_EQ("C:\\Program Files\\Vantorelle Test\\Vantorelle.hlp", help.Target);
    EXPECT_EQ(kDescription, help.Description);
    EXPECT_EQ("", help.WorkingDirectory);
}

TEST_F(ShortcutsTest, LoadableMainShortcutGetsBothRewrittenAndOtherFilesKept) {
    SetInstallDir("C:\\First");
    ASSERT_EQ(1, CreateShortcuts());
    WriteText(StartMenuFolder() + "\\Notes.txt", "kept");

    SetInstallDir("D:\\Second Place\\Vantorelle");
    EXPECT_EQ(1, CreateShortcuts());

    EXPECT_EQ("D:\\Second Place\\Vantorelle\\Vantorelle.exe",
              ReadShortcut(StartMenuFolder() + "\\Vantorelle.lnk").Target);
    EXPECT_EQ("D:\\Second Place\\Vantorelle\\Vantorelle.hlp",
              ReadShortcut(StartMenuFolder() + "\\Help.lnk").Target);
    EXPECT_EQ("kept", ReadText(StartMenuFolder() + "\\Notes.txt"));
}

TEST_F(ShortcutsTest, FolderWithoutLoadableMainShortcutIsLeftAlone) {
    SetInstallDir("C:\\Program Files\\Vantorelle");
    CreateDirectoryA(StartMenuFolder().c_str(), nullptr);
    WriteText(StartMenuFolder() + "\\Notes.txt", "kept");

    EXPECT_EQ(1, CreateShortcuts()) << "a folder that is not ours must not fail the install";
    EXPECT_EQ(std::vector<std::string>{"Notes.txt"}, FolderEntries(StartMenuFolder()));

    // A file of the shortcut's name that is no shortcut counts as unreadable.
    WriteText(StartMenuFolder() + "\\Vantorelle.lnk", "not a shortcut");
    EXPECT_EQ(1, CreateShortcuts());
    EXPECT_EQ("not a shortcut", ReadText(StartMenuFolder() + "\\Vantorelle.lnk"));
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
    EXPECT_EQ(std::vector<std::string>{}, FolderEntries(StartMenuFolder()));
}
