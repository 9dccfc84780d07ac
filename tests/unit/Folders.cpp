#include <string>

#include <gtest/gtest.h>

#include "install/Folders.h"
#include "EngineTestSupport.h"

namespace {

// Each test works in a scratch folder (the current directory) and checks that
// no operation left the current directory changed.
class Folders : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SetCurrentDirectoryA(temp_.Path().c_str()));
        GetCurrentDirectoryA(MAX_PATH, before_);
    }
    void TearDown() override {
        char after[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, after);
        EXPECT_STREQ(before_, after) << "the current directory must be restored";
        GetWindowsDirectoryA(after, MAX_PATH);
        SetCurrentDirectoryA(after);
        SetFileAttributesA((temp_ / "X\\A\\locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // Creates folders (names ending in a backslash) and files below the scratch folder.
    void Make(std::initializer_list<const char *> entries) {
        for (const char *entry : entries) {
            std::string path = temp_ / entry;
            if (path.back() == '\\') {
                CreateDirectoryA(path.c_str(), nullptr);
            } else {
                WriteWholeFile(path, {'d'});
            }
        }
    }
    TTempFolder temp_;
    char before_[MAX_PATH];
};

} // namespace

TEST_F(Folders, RemoveFolderRemovesANestedTree) {
    Make({"X\\", "X\\A\\", "X\\A\\B\\", "X\\Empty\\", "X\\top.txt", "X\\A\\mid.bin", "X\\A\\B\\deep.dat"});
    EXPECT_EQ(1, ClearFolder(temp_ / "X\\A", nullptr, false));
    EXPECT_TRUE(Listing(temp_ / "X\\A").empty());
    EXPECT_EQ(1, RemoveFolder(temp_ / "X", nullptr, false));
    EXPECT_FALSE(DirectoryExists(temp_ / "X"));
    EXPECT_TRUE(DirectoryExists(temp_.Path()));
}

TEST_F(Folders, MissingFolderGivesSevenAndTouchesNothing) {
    Make({"Sibling\\", "Sibling\\keep.txt"});
    EXPECT_EQ(7, RemoveFolder(temp_ / "Missing", nullptr, false));
    EXPECT_EQ(7, ClearFolder(temp_ / "Missing", nullptr, false));
    EXPECT_EQ(0, FolderExists(temp_ / "Missing", nullptr, false));
    EXPECT_TRUE(FileExists(temp_ / "Sibling\\keep.txt"));
}

// What cannot be deleted stays with every folder above it, and the result
// is still 1: a read-only file, and a folder with more attributes than
// FILE_ATTRIBUTE_DIRECTORY, which is never walked into.
TEST_F(Folders, UndeletableEntriesStayWithTheirFolders) {
    Make({"X\\", "X\\A\\", "X\\A\\gone.txt", "X\\A\\locked.txt", "X\\other.txt", "X\\Hidden\\",
          "X\\Hidden\\inside.txt", "X\\Plain\\", "X\\Plain\\inside.txt"});
    ASSERT_TRUE(SetFileAttributesA((temp_ / "X\\A\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(
        SetFileAttributesA((temp_ / "X\\Hidden").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(DWORD(0x12), Attributes(temp_ / "X\\Hidden"));
    EXPECT_EQ(1, RemoveFolder(temp_ / "X", nullptr, false));
    EXPECT_TRUE(FileExists(temp_ / "X\\A\\locked.txt"));
    EXPECT_FALSE(FileExists(temp_ / "X\\A\\gone.txt"));
    EXPECT_FALSE(FileExists(temp_ / "X\\other.txt"));
    EXPECT_TRUE(FileExists(temp_ / "X\\Hidden\\inside.txt"));
    EXPECT_FALSE(DirectoryExists(temp_ / "X\\Plain"));
}

TEST_F(Folders, EmptyPathAndTrailingCharacters) {
    EXPECT_EQ(15, ClearFolder("", nullptr, false));
    EXPECT_EQ(15, RemoveFolder(" \t", nullptr, false)) << "nothing is left once the end is stripped";
    EXPECT_EQ(0, CreateFolder(""));
    EXPECT_EQ(0, FolderExists("", nullptr, false));

    Make({"X\\", "X\\f.txt"});
    EXPECT_EQ(1, FolderExists(temp_ / "X\\ \t", nullptr, false));
    EXPECT_EQ(1, RemoveFolder(temp_ / "X\\  ", nullptr, false));
    EXPECT_FALSE(DirectoryExists(temp_ / "X"));
}

TEST_F(Folders, CreateFolderMakesTheLastLevelOnly) {
    EXPECT_EQ(1, CreateFolder(temp_ / "X"));
    Make({"X\\keep.txt"});
    EXPECT_EQ(1, CreateFolder(temp_ / "X")) << "an existing folder is success";
    EXPECT_TRUE(FileExists(temp_ / "X\\keep.txt"));
    EXPECT_EQ(1, CreateFolder(temp_ / "X\\Y\\"));
    EXPECT_TRUE(DirectoryExists(temp_ / "X\\Y"));
    EXPECT_EQ(0, CreateFolder(temp_ / "NoParent\\Child"));
    EXPECT_FALSE(DirectoryExists(temp_ / "NoParent"));
}

// Paths pass through 260-byte buffers: 260 characters or more fail with 0.
TEST_F(Folders, PathsOf260CharactersFail) {
    const std::string base = temp_.Path() + "\\";
    const std::string tooLong = base + std::string(260 - base.size(), 'L');
    EXPECT_EQ(0, CreateFolder(tooLong));
    EXPECT_EQ(0, FolderExists(tooLong, nullptr, false));
    EXPECT_EQ(0, ClearFolder(tooLong, nullptr, false));
    EXPECT_EQ(0, RemoveFolder(tooLong + "\\", nullptr, false));
    const std::string longest = base + std::string(259 - base.size(), 'L');
    EXPECT_EQ(1, CreateFolder(longest)) << "259 characters still fit";
    EXPECT_EQ(1, RemoveFolder(longest, nullptr, false));
    EXPECT_FALSE(DirectoryExists(longest));
}
