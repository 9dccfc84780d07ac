#include "shell/FileExtensions.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MessageBoxWatcher.h"
#include "forms/Application.h"
#include "pages/Extensions.h"
#include "install/InstallState.h"
#include "shell/Shortcuts.h"
#include "support/EngineState.h"
#include "support/Readers.h"

using namespace readers;

namespace {

const char kNote[] =
    "Some of the Files Extensions were not set successfully. You can set them later using menu item "
    "Help\\File Extensions.";
const RegValue kMissing;

// Whether type t is registered to us: its extension names our class.
bool Registered(const std::string &t) {
    return ReadValue("." + t) == Text(t + "_auto_file");
}

// Key creation that fails for one key, named by its path under
// HKEY_CLASSES_ROOT, and records every handle that it hands out.
std::string failingKey;
std::vector<HKEY> createdKeys;
std::map<HKEY, std::string> keyPaths;

LONG WINAPI CreateKeyExceptOne(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                               LPDWORD disposition) {
    const std::string path = key == HKEY_CLASSES_ROOT ? subKey : keyPaths[key] + "\\" + subKey;
    if (path == failingKey)
        return ERROR_ACCESS_DENIED;
    const LONG status =
        RegCreateKeyExA(key, subKey, reserved, keyClass, options, access, security, result, disposition);
    if (status == ERROR_SUCCESS) {
        createdKeys.push_back(*result);
        keyPaths[*result] = path;
    }
    return status;
}

int StillOpen(const std::vector<HKEY> &keys) {
    int open = 0;
    DWORD flags = 0;
    for (HKEY key : keys)
        open += GetHandleInformation(key, &flags) ? 1 : 0;
    return open;
}

class FileExtensionsTest : public ::testing::Test, protected InstallDirSetter {
  protected:
    // Every test starts and ends without the ten types' keys. The test prefix
    // registers none of these extensions itself.
    void SetUp() override {
        application.Initialize();
        RemoveFileTypes();
        RemoveTree(StartMenuFolder());
        failingKey.clear();
        createdKeys.clear();
        keyPaths.clear();
    }

    void TearDown() override {
        SetupRegCreateKeyEx = RegCreateKeyExA;
        if (ExtensionsA)
            ExtensionsA->Free();
        ExtensionsA = nullptr;
        RemoveTree(StartMenuFolder());
        RemoveFileTypes();
    }

    // A file-type page as the user left it: only the given boxes ticked.
    void TickOnly(std::initializer_list<TCheckBox * TExtensionsA::*> ticked) {
        if (ExtensionsA)
            ExtensionsA->Free();
        ExtensionsA = new TExtensionsA(nullptr);
        for (TCheckBox *TExtensionsA::*box :
             {&TExtensionsA::cmp, &TExtensionsA::cmn, &TExtensionsA::jpg, &TExtensionsA::png,
              &TExtensionsA::bmp, &TExtensionsA::mp3, &TExtensionsA::m3u, &TExtensionsA::ra}) {
            bool tick = false;
            for (auto t : ticked)
                tick = tick || t == box;
            (ExtensionsA->*box)->SetChecked(tick);
        }
    }

    TApplication application;
};

} // namespace

TEST_F(FileExtensionsTest, EveryBoxTickedWritesTheTenTypesAndClosesEveryKey) {
    SetInstallDir("C:\\Program Files\\Vantorelle");
    TickOnly({&TExtensionsA::cmp, &TExtensionsA::cmn, &TExtensionsA::jpg, &TExtensionsA::png,
              &TExtensionsA::bmp, &TExtensionsA::mp3, &TExtensionsA::m3u, &TExtensionsA::ra});
    SetupRegCreateKeyEx = CreateKeyExceptOne;
    MessageBoxWatcher watcher;

    const int result = SetFileExtensions(nullptr);
    // Counted at once: a closed handle's number is soon given out again.
    const int openKeys = StillOpen(createdKeys);
    EXPECT_EQ(1, result);
    EXPECT_EQ(60u, createdKeys.size()) << "six keys for each of ten types";
    EXPECT_EQ(0, openKeys) << "key handles left open";
    EXPECT_TRUE(watcher.Texts().empty()) << "unexpected note: " << watcher.Texts()[0];

    // Every entry of one type.
    EXPECT_EQ(Text("cmn_auto_file"), ReadValue(".cmn"));
    EXPECT_EQ(Text("\"C:\\Program Files\\Vantorelle\\Vantorelle.exe\" %1"),
              ReadValue("cmn_auto_file\\shell\\open\\command"));
    EXPECT_EQ(Text("CMN File"), ReadValue("cmn_auto_file"));
    EXPECT_EQ(Flags(0), ReadValue("cmn_auto_file", "EditFlags"));
    EXPECT_EQ(Text("C:\\Program Files\\Vantorelle\\Vantorelle.exe,0"),
              ReadValue("cmn_auto_file\\DefaultIcon"));
    EXPECT_EQ(Text(""), ReadValue("cmn_auto_file\\shell"));
    EXPECT_EQ(Text(""), ReadValue("cmn_auto_file\\shell\\open"));
    EXPECT_EQ(Flags(1), ReadValue("cmn_auto_file\\shell\\open", "EditFlags"));

    // What every type takes from its extension.
    const char *const descriptions[] = {"CMP File", "CMN File", "JPG File", "PNG File", "BMP File",
                                        "MP3 File", "M3U File", "PLS File", "RA File",  "RM File"};
    for (int i = 0; i < 10; ++i) {
        const std::string t = kTypeNames[i];
        EXPECT_EQ(Text(t + "_auto_file"), ReadValue("." + t));
        EXPECT_EQ(Text(descriptions[i]), ReadValue(t + "_auto_file"));
        EXPECT_EQ(Text("\"C:\\Program Files\\Vantorelle\\Vantorelle.exe\" %1"),
                  ReadValue(t + "_auto_file\\shell\\open\\command"))
            << t;
        EXPECT_EQ(Text(t == "cmn" ? "C:\\Program Files\\Vantorelle\\Vantorelle.exe,0"
                                  : "C:\\Program Files\\Vantorelle\\Vantorelle.exe,1"),
                  ReadValue(t + "_auto_file\\DefaultIcon"))
            << t;
    }
}

TEST_F(FileExtensionsTest, TicksChooseTheTypesAndTwoBoxesStandForTwoTypes) {
    SetInstallDir("C:\\Program Files\\Vantorelle");
    MessageBoxWatcher watcher;

    TickOnly({});
    EXPECT_EQ(1, SetFileExtensions(nullptr));
    for (const char *t : kTypeNames) {
        EXPECT_FALSE(Registered(t)) << t;
        EXPECT_FALSE(KeyExists(std::string(t) + "_auto_file")) << t;
    }

    TickOnly({&TExtensionsA::m3u});
    EXPECT_EQ(1, SetFileExtensions(nullptr));
    EXPECT_TRUE(Registered("m3u"));
    EXPECT_TRUE(Registered("pls"));
    EXPECT_FALSE(Registered("mp3"));

    TickOnly({&TExtensionsA::ra});
    EXPECT_EQ(1, SetFileExtensions(nullptr));
    EXPECT_TRUE(Registered("ra"));
    EXPECT_TRUE(Registered("rm"));
    EXPECT_EQ(Text("RA File"), ReadValue("ra_auto_file"));
    EXPECT_FALSE(Registered("cmp"));

    EXPECT_TRUE(watcher.Texts().empty()) << "unexpected note: " << watcher.Texts()[0];
}

TEST_F(FileExtensionsTest, ReinstallIntoAnotherFolderRewritesCommandAndIcon) {
    SetInstallDir("C:\\Old");
    ASSERT_EQ(1, SetFileExtension("jpg"));
    SetInstallDir("E:\\New Place\\Vantorelle");
    EXPECT_EQ(1, SetFileExtension("jpg"));

    EXPECT_EQ(Text("\"E:\\New Place\\Vantorelle\\Vantorelle.exe\" %1"),
              ReadValue("jpg_auto_file\\shell\\open\\command"));
    EXPECT_EQ(Text("E:\\New Place\\Vantorelle\\Vantorelle.exe,1"), ReadValue("jpg_auto_file\\DefaultIcon"));
}

TEST_F(FileExtensionsTest, KeyThatCannotBeCreatedStopsOnlyItsTypeAndGivesOneNote) {
    SetInstallDir("C:\\Program Files\\Vantorelle");
    SetupRegCreateKeyEx = CreateKeyExceptOne;

    // The class key fails: the extension key and the command stay written,
    // nothing after them is.
    failingKey = "png_auto_file";
    EXPECT_EQ(0, SetFileExtension("png"));
    EXPECT_TRUE(Registered("png"));
    EXPECT_EQ(Text("\"C:\\Program Files\\Vantorelle\\Vantorelle.exe\" %1"),
              ReadValue("png_auto_file\\shell\\open\\command"));
    EXPECT_EQ(kMissing, ReadValue("png_auto_file"));
    EXPECT_EQ(kMissing, ReadValue("png_auto_file\\DefaultIcon"));

    // The first key fails: nothing of the type is written.
    failingKey = ".jpg";
    EXPECT_EQ(0, SetFileExtension("jpg"));
    EXPECT_FALSE(KeyExists("jpg_auto_file"));

    // In the whole step a failing type is followed by the later ones, and
    // the note comes once at the end.
    DeleteKeyTree(HKEY_CLASSES_ROOT, "png_auto_file");
    failingKey = "png_auto_file\\DefaultIcon";
    TickOnly({&TExtensionsA::png, &TExtensionsA::m3u});
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(1, SetFileExtensions(nullptr));
        EXPECT_EQ(std::vector<std::string>{kNote}, watcher.Texts());
    }
    EXPECT_EQ(Text("PNG File"), ReadValue("png_auto_file"));
    EXPECT_EQ(kMissing, ReadValue("png_auto_file\\shell"));
    EXPECT_EQ(Text("M3U File"), ReadValue("m3u_auto_file"));
    EXPECT_EQ(Text("PLS File"), ReadValue("pls_auto_file"));
}

TEST_F(FileExtensionsTest, StartMenuCheckDecidesWhetherAnyTypeIsWritten) {
    SetInstallDir("C:\\Program Files\\Vantorelle");
    CreateDirectoryA(StartMenuFolder().c_str(), nullptr);

    // A folder without a readable main shortcut: nothing written, one note,
    // even when nothing is ticked.
    TickOnly({&TExtensionsA::cmp, &TExtensionsA::mp3});
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(1, SetFileExtensions(nullptr));
        EXPECT_EQ(std::vector<std::string>{kNote}, watcher.Texts());
    }
    EXPECT_FALSE(Registered("cmp"));
    EXPECT_FALSE(KeyExists("mp3_auto_file"));
    TickOnly({});
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(1, SetFileExtensions(nullptr));
        EXPECT_EQ(std::vector<std::string>{kNote}, watcher.Texts());
    }

    // Our own folder from an earlier install: the types are written.
    RemoveTree(StartMenuFolder());
    ASSERT_EQ(1, CreateShortcuts());
    TickOnly({&TExtensionsA::bmp});
    MessageBoxWatcher watcher;
    EXPECT_EQ(1, SetFileExtensions(nullptr));
    EXPECT_TRUE(Registered("bmp"));
    EXPECT_TRUE(watcher.Texts().empty()) << "unexpected note: " << watcher.Texts()[0];
}
