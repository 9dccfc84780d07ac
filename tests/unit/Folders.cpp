#include <string>

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "app/Restrictions.h"
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
        // Links first, so that the clean-up cannot go through them.
        readers::RemoveLink(temp_ / "Linked");
        readers::RemoveLink(temp_ / "X\\Images");
    }
    // Creates folders (names ending in a backslash) and files below the scratch folder.
    void Make(std::initializer_list<std::string> entries) {
        for (const std::string &entry : entries) {
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

// Another user may have prepared the folder: made it a link to a folder
// elsewhere, put a link in place of a subfolder, or given entries names that
// the ANSI code page turns into paths out of it. Whatever the walk meets,
// nothing outside the folder changes, byte for byte.
TEST_F(Folders, NeverLeaveTheFolderThroughLinksOrConvertedNames) {
    ASSERT_EQ(1252u, GetACP()) << "the best-fit names need code page 1252";
    for (const char *outside : {"Outside1", "Outside2", "Outside3"})
        Make({outside + std::string("\\"), outside + std::string("\\keep.txt"),
              outside + std::string("\\Sub\\"), outside + std::string("\\Sub\\deep.txt")});
    const auto outside = readers::Tree(temp_ / "Outside1");
    ASSERT_EQ(3u, outside.size());

    // The folder itself is a link: never entered, never made the install folder.
    ASSERT_TRUE(readers::MakeLink(temp_ / "Linked", temp_ / "Outside1"));
    ASSERT_EQ(DWORD(0x410), Attributes(temp_ / "Linked"));
    EXPECT_EQ(7, RemoveFolder(temp_ / "Linked", nullptr, false));
    TFolderPin pin;
    EXPECT_EQ(0, CreateInstallFolder(temp_ / "Linked", pin));
    EXPECT_FALSE(pin.Valid());
    EXPECT_FALSE(TFolderPin(temp_ / "Linked").Valid());
    EXPECT_EQ("", readers::TreeChanges(outside, readers::Tree(temp_ / "Outside1")));

    // A subfolder is a link: the clear leaves it, and it cannot be pinned.
    Make({"X\\", "X\\gone.txt"});
    ASSERT_TRUE(readers::MakeLink(temp_ / "X\\Images", temp_ / "Outside2"));
    EXPECT_EQ(1, RemoveFolder(temp_ / "X", nullptr, false));
    EXPECT_EQ(std::vector<std::string>{"Images"}, Listing(temp_ / "X"));
    EXPECT_FALSE(TFolderPin(temp_ / "X\\Images").Valid());
    EXPECT_TRUE(TFolderPin(temp_ / "X").Valid());
    EXPECT_EQ("", readers::TreeChanges(outside, readers::Tree(temp_ / "Outside2")));

    // "..\Outside3" as a folder and the full path of a file there, in
    // fullwidth forms: deleted as the names they are.
    Make({"Y\\"});
    ASSERT_TRUE(readers::MakeConvertedNames(temp_ / "Y", "..\\Outside3", temp_ / "Outside3\\keep.txt"));
    EXPECT_EQ(1, RemoveFolder(temp_ / "Y", nullptr, false));
    EXPECT_FALSE(readers::Exists(temp_ / "Y"));
    EXPECT_EQ("", readers::TreeChanges(outside, readers::Tree(temp_ / "Outside3")));
}

namespace {

// The security descriptor as the system was handed it, in its text form.
std::string DescriptorText(PSECURITY_DESCRIPTOR descriptor) {
    char *text = nullptr;
    if (!descriptor || !ConvertSecurityDescriptorToStringSecurityDescriptorA(
                           descriptor, SDDL_REVISION_1,
                           OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr))
        return "(none)";
    std::string copy = text;
    LocalFree(text);
    return copy;
}

std::string madeWith, setTo;
SECURITY_INFORMATION setParts;
BOOL refuseSecurity;

BOOL WINAPI RecordCreate(LPCSTR path, LPSECURITY_ATTRIBUTES security) {
    madeWith = DescriptorText(security ? security->lpSecurityDescriptor : nullptr);
    return CreateDirectoryA(path, security);
}

BOOL WINAPI RecordSecurity(HANDLE, SECURITY_INFORMATION parts, PSECURITY_DESCRIPTOR descriptor) {
    setParts = parts;
    setTo = DescriptorText(descriptor);
    return !refuseSecurity;
}

} // namespace

// Under Wine a program's security descriptor does not stay on the file, so
// the test reads what the system was handed: the install folder is made
// owned by the administrators, with full control for SYSTEM and them, read
// and execute for the users, nothing inherited from above; a folder that is
// already there is given the same through its pin, and a refusal fails.
TEST_F(Folders, InstallFolderIsMadeSoThatOnlyAdministratorsChangeIt) {
    const std::string secured = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION;
    SetupCreateDirectory = RecordCreate;
    SetupSetObjectSecurity = RecordSecurity;
    TFolderPin pin;
    EXPECT_EQ(1, CreateInstallFolder(temp_ / "New", pin));
    EXPECT_TRUE(pin.Valid());
    EXPECT_EQ(secured, madeWith);
    EXPECT_EQ(secured, setTo);
    EXPECT_EQ(parts, setParts);

    madeWith = setTo = "";
    Make({"Old\\"});
    EXPECT_EQ(1, CreateInstallFolder(temp_ / "Old", pin));
    EXPECT_EQ("", madeWith) << "an existing folder is not made again";
    EXPECT_EQ(secured, setTo);

    refuseSecurity = TRUE;
    EXPECT_EQ(0, CreateInstallFolder(temp_ / "Old", pin));
    EXPECT_FALSE(pin.Valid());
    refuseSecurity = FALSE;
    SetupCreateDirectory = CreateDirectoryA;
    SetupSetObjectSecurity = SetKernelObjectSecurity;
}

namespace {

PROCESS_MITIGATION_POLICY askedPolicy;
DWORD askedFlags;
SIZE_T askedLength;

BOOL WINAPI RecordPolicy(PROCESS_MITIGATION_POLICY policy, PVOID buffer, SIZE_T length) {
    askedPolicy = policy;
    askedLength = length;
    askedFlags = *static_cast<DWORD *>(buffer);
    return TRUE;
}

} // namespace

// Start-up asks the system to follow no junction that a non-administrator
// made (policy 16, flag EnforceRedirectionTrust); where the system lacks the
// call, nothing is asked.
TEST(RedirectionTrust, IsAskedForWhereTheSystemHasIt) {
    EXPECT_TRUE(EnforceRedirectionTrust(RecordPolicy));
    EXPECT_EQ(16, askedPolicy);
    EXPECT_EQ(1u, askedFlags);
    EXPECT_EQ(4u, askedLength);
    EXPECT_FALSE(EnforceRedirectionTrust(nullptr));
}
