// Whole installs of Setup.exe, driven from outside as a person would, and
// checked where they leave their traces: the folder tree, License.txt, the
// file-type classes in the registry and the Start-menu shortcuts.
#include "SetupTest.h"
#include "support/Paths.h"
#include "support/Readers.h"
#include "win32/KernelHandle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace e2e;
using namespace readers;

namespace {

const char *const kTypical = kDefaultFolder;

// The registry rows of each file type.
struct TypeRow {
    const char *extension;
    const char *type;
    const char *description;
    const char *icon;
};

const TypeRow kTypes[] = {
    {".cmp", "cmp", "CMP File", ",1"}, {".cmn", "cmn", "CMN File", ",0"}, {".jpg", "jpg", "JPG File", ",1"},
    {".png", "png", "PNG File", ",1"}, {".bmp", "bmp", "BMP File", ",1"}, {".mp3", "mp3", "MP3 File", ",1"},
    {".m3u", "m3u", "M3U File", ",1"}, {".pls", "pls", "PLS File", ",1"}, {".ra", "ra", "RA File", ",1"},
    {".rm", "rm", "RM File", ",1"},
};

const char kNote[] =
    "Note: It seems that there is no DirectDraw installed. If you feel some inconvenience playing back "
    "compositions, please, see section \"Performance/Improving performance\" in help system.";

// The agreement as License.txt must hold it: the licence page's text from its
// form data, lines joined with CR LF, each "&&" written as one "&".
std::string ExpectedLicence() {
    std::string form = FileText(WindowsPath(SOURCE_DIR "/resources/forms/Form4.form"));
    std::istringstream in(form);
    std::string line, text;
    bool inside = false, first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!inside) {
            inside = line.rfind("text LicenseText1 cText <<", 0) == 0;
            continue;
        }
        if (line == "END")
            break;
        if (!first)
            text += "\r\n";
        text += line;
        first = false;
    }
    std::string collapsed;
    for (size_t i = 0; i < text.size(); i++) {
        collapsed += text[i];
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&')
            i++;
    }
    return collapsed;
}

class Install : public SetupTest {
  protected:
    void SetUp() override {
        RemoveFileTypes();
        RemoveTree(StartMenuFolder());
    }
    void TearDown() override {
        SetAppDllOverride("Setup.exe", "ddraw", nullptr);
        RemoveFileTypes();
        RemoveTree(StartMenuFolder());
    }

    // Title page to confirmation page with the given destination text; the
    // ticks are set as asked (null keeps the designed ones). The program is
    // this build's Setup.exe unless another copy is named.
    HWND WalkToConfirmation(const std::string &destination, const std::vector<bool> *ticks = nullptr,
                            const std::string &exe = WindowsPath(SETUP_EXE)) {
        HWND path = WalkTo(kDestination, "Setup1024", exe);
        if (path == nullptr)
            return nullptr;
        SetText(Control(path, "Edit"), destination);
        HWND types = Forward(path, kDestination);
        if (types != nullptr && ticks != nullptr) {
            for (size_t i = 0; i < 8; i++)
                SetChecked(Button(types, kTypeBoxes[i].caption), (*ticks)[i]);
        }
        HWND confirmation = Forward(types, kFileTypes);
        EXPECT_TRUE(setup.WaitIdle());
        return confirmation;
    }

    // The success page, which an install may take a while to reach.
    HWND SuccessPage() { return Page("TForm5", "Software Installation", 60000); }

    // Finish, then the success page, with no message box before it: the
    // first of the two to come must be the page, and once it has answered,
    // whatever the program showed on its way there is up.
    HWND FinishToSuccess(HWND confirmation) {
        Click(Button(confirmation, "&Finish"));
        HWND success = nullptr;
        WaitFor(
            [&] {
                return (success = setup.FindPage("TForm5")) != nullptr || setup.FindPage(kMessageBoxClass);
            },
            60000);
        if (success != nullptr)
            EXPECT_TRUE(Answers(success)) << "the success page does not answer";
        else
            ADD_FAILURE() << "no success page";
        EXPECT_EQ(nullptr, setup.FindPage(kMessageBoxClass)) << "a message box before the success page";
        return success;
    }

    // Finish, then the success page's OK; returns the program's exit code.
    // When asked, pictures of the turning gauge and of the success page are
    // left in the screenshot folder.
    DWORD FinishAndConfirm(HWND confirmation, bool shoot = false) {
        const std::string images = GetText(FindChild(confirmation, "Edit")) + "\\Images";
        Click(Button(confirmation, "&Finish"));
        // The gauge turns while the images are unpacked.
        if (shoot && WaitFor([&] { return CountEntries(images) >= 5; }, 60000))
            setup.Screenshot(ShotPath("10-installing"));
        HWND success = SuccessPage();
        if (shoot)
            Shoot(success, "11-success");
        EXPECT_TRUE(setup.FindPage("TPathConfirmA")) << "the confirmation page stays under the success page";
        Click(Button(success, "OK"));
        return setup.WaitExit(20000);
    }

    // Every file as its source holds it: the build's stand-ins, or a product
    // folder laid out as the installed tree.
    void ExpectTree(const std::string &dir, const std::string &product = "") {
        // Each folder holds its files and nothing else; those without stay
        // empty. The install folder holds License.txt besides.
        const std::vector<std::string> folders = Subfolders();
        for (const std::string &folder : folders)
            EXPECT_EQ(int(FileCount(folder)), CountEntries(dir + "\\" + folder)) << folder;
        EXPECT_EQ(int(FileCount("") + 1 + folders.size()), CountEntries(dir));
        const std::vector<ManifestRow> files = Manifest();
        ASSERT_FALSE(files.empty());
        for (const ManifestRow &file : files) {
            std::string rel = (file.folder.empty() ? "" : file.folder + "\\") + file.name;
            std::string installed = dir + "\\" + rel;
            bool found = false;
            std::string got = FileText(installed, &found);
            std::string want = product.empty()
                                   ? FileText(WindowsPath(PAYLOAD_DIR "/files/" + std::to_string(file.id)))
                                   : FileText(WindowsPath(product) + "\\" + rel);
            ASSERT_TRUE(found) << installed;
            EXPECT_TRUE(got == want) << installed << " differs from its source (" << got.size() << " bytes, "
                                     << want.size() << " expected)";
        }
        std::string licence = FileText(dir + "\\License.txt");
        std::string expected = ExpectedLicence();
        EXPECT_GT(expected.size(), 10000u);
        EXPECT_EQ(expected.size(), licence.size());
        EXPECT_TRUE(licence == expected) << "License.txt is the agreement with each && written as &";
    }

    void ExpectType(const TypeRow &row, const std::string &dir) {
        std::string cls = std::string(row.type) + "_auto_file";
        EXPECT_EQ(Text(cls), ReadValue(row.extension)) << row.extension;
        EXPECT_EQ(Text("\"" + dir + "\\Vantorelle.exe\" %1"), ReadValue(cls + "\\shell\\open\\command"))
            << cls;
        EXPECT_EQ(Text(row.description), ReadValue(cls)) << cls;
        EXPECT_EQ(Flags(0), ReadValue(cls, "EditFlags")) << cls;
        EXPECT_EQ(Text(dir + "\\Vantorelle.exe" + row.icon), ReadValue(cls + "\\DefaultIcon")) << cls;
        // The shell keys have an empty default value.
        EXPECT_EQ(Text(""), ReadValue(cls + "\\shell")) << cls;
        EXPECT_EQ(Text(""), ReadValue(cls + "\\shell\\open")) << cls;
        EXPECT_EQ(Flags(1), ReadValue(cls + "\\shell\\open", "EditFlags")) << cls;
    }

    void ExpectShortcuts(const std::string &dir) {
        const std::string folder = StartMenuFolder();
        Shortcut program = ReadShortcut(folder + "\\Vantorelle.lnk");
        ASSERT_TRUE(program.loaded) << folder << "\\Vantorelle.lnk";
        EXPECT_EQ(dir + "\\Vantorelle.exe", program.target);
        EXPECT_EQ("", program.workingDirectory);
        EXPECT_EQ("2.0", program.description.substr(program.description.size() - 3));
        Shortcut help = ReadShortcut(folder + "\\Help.lnk");
        ASSERT_TRUE(help.loaded) << folder << "\\Help.lnk";
        EXPECT_EQ(dir + "\\Vantorelle.hlp", help.target);
        EXPECT_EQ("", help.workingDirectory);
        EXPECT_EQ(program.description, help.description);
        EXPECT_EQ(2, CountEntries(folder));
    }
};

TEST_F(Install, TypicalRunLeavesTreeLicenceTypesAndShortcuts) {
    HWND confirmation = WalkToConfirmation(kTypical);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(kTypical, GetText(FindChild(confirmation, "Edit")));
    // Something left by an earlier install is cleared first.
    MakeFolders(std::string(kTypical) + "\\Old");
    WriteText(std::string(kTypical) + "\\Old\\stale.txt", "stale");

    EXPECT_EQ(0u, FinishAndConfirm(confirmation, true));

    ExpectTree(kTypical);
    EXPECT_FALSE(Exists(std::string(kTypical) + "\\Old"));
    for (const TypeRow &row : kTypes) {
        bool ticked =
            std::string(row.type) != "bmp" && std::string(row.type) != "ra" && std::string(row.type) != "rm";
        if (ticked)
            ExpectType(row, kTypical);
        else
            EXPECT_FALSE(KeyExists(row.extension)) << row.extension << " is not ticked by default";
    }
    ExpectShortcuts(kTypical);
}

// The copy that the signing test signed: the signature appended to the file
// leaves every page and every carried file readable.
TEST_F(Install, SignedCopyInstallsLikeTheBuiltOne) {
    HWND confirmation = WalkToConfirmation(kTypical, nullptr, WindowsPath(SIGNED_SETUP_EXE));
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    ExpectTree(kTypical);
    ExpectShortcuts(kTypical);
}

// A Setup.exe built from a product folder by the test product_build installs
// exactly that folder's files. The test e2e_InstallProduct names both.
TEST_F(Install, BuiltFromProductFolderInstallsThatFolder) {
    const char *built = getenv("PRODUCT_SETUP_EXE");
    const char *folder = getenv("PRODUCT_FOLDER");
    if (!built || !folder)
        GTEST_SKIP() << "run by the test e2e_InstallProduct after the build from a product folder";
    HWND confirmation = WalkToConfirmation(kTypical, nullptr, WindowsPath(built));
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    ExpectTree(kTypical, folder);
    ExpectShortcuts(kTypical);
}

// The folder that Setup makes is named with blanks and a letter beyond ASCII
// (E acute, octal 311 in the ANSI code page), which the tree, the registry
// and the shortcuts carry.
TEST_F(Install, FolderWithBlanksAccentAndEveryTypeTicked) {
    std::string parent = "C:\\Program Files\\E2E Every Type";
    ASSERT_TRUE(MakeFolders(parent));
    std::vector<bool> all(8, true);
    std::string dir = parent + "\\\311dition Vantorelle";
    HWND confirmation = WalkToConfirmation(dir, &all);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(dir, GetText(FindChild(confirmation, "Edit")));
    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    ExpectTree(dir);
    for (const TypeRow &row : kTypes)
        ExpectType(row, dir);
    ExpectShortcuts(dir);
}

TEST_F(Install, NothingTickedWritesNoTypeAndShowsNoNote) {
    std::vector<bool> none(8, false);
    HWND confirmation = WalkToConfirmation(kTypical, &none);
    ASSERT_TRUE(confirmation);
    HWND success = FinishToSuccess(confirmation);
    ASSERT_TRUE(success);
    Click(Button(success, "OK"));
    EXPECT_EQ(0u, setup.WaitExit(20000));
    for (const TypeRow &row : kTypes)
        EXPECT_FALSE(KeyExists(row.extension)) << row.extension;
    ExpectShortcuts(kTypical);
}

TEST_F(Install, MissingParentShowsTheFailurePageAndWritesNothing) {
    std::string parent = "C:\\E2E No Such Parent";
    RemoveDirectoryA(parent.c_str());
    HWND confirmation = WalkToConfirmation(parent + "\\Deeper");
    ASSERT_TRUE(confirmation);
    Click(Button(confirmation, "&Finish"));
    HWND failure = setup.WaitWindow("TForm2");
    ASSERT_TRUE(failure) << setup.LastError();
    Shoot(failure, "12-failure");
    EXPECT_TRUE(Answers(failure));
    EXPECT_TRUE(IsVisible(confirmation)) << "the confirmation page stays beside the failure page";
    EXPECT_FALSE(Exists(parent));
    EXPECT_FALSE(KeyExists(".cmp"));

    // The confirmation page stays usable: Finish again opens one more failure page.
    Click(Button(confirmation, "&Finish"));
    EXPECT_TRUE(WaitFor([&] { return setup.AllWindows("TForm2").size() == 2; }))
        << "a second failure page after the second Finish";

    Click(Button(failure, "OK"));
    EXPECT_EQ(0u, setup.WaitExit());
}

// License.txt cannot be made (another program holds it open, unshared): the
// toolkit's file error comes out of Finish through the standard exception
// display, with its text and the program's title, and the page flow goes on:
// once the file is free, Finish installs.
TEST_F(Install, LicenceFileHeldOpenShowsTheToolkitErrorThenInstalls) {
    const std::string dir = "C:\\E2E Licence Held\\Vantorelle";
    RemoveTree("C:\\E2E Licence Held");
    ASSERT_TRUE(MakeFolders(dir));
    const std::string licence = dir + "\\License.txt";
    TKernelHandle held(CreateFileA(licence.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.Valid());
    HWND confirmation = WalkToConfirmation(dir);
    ASSERT_TRUE(confirmation);

    Click(Button(confirmation, "&Finish"));
    MessageBoxInfo error = setup.WaitMessageBox();
    held.Reset();
    ASSERT_TRUE(error.hwnd) << setup.LastError();
    EXPECT_EQ("Cannot create file " + licence + ".", error.text);
    EXPECT_EQ("Setup", GetText(error.hwnd));
    EXPECT_TRUE(setup.AnswerMessageBox(error.hwnd));
    EXPECT_FALSE(setup.FindPage("TForm2")) << "no failure page: the error ended the click";

    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    ExpectTree(dir);
    RemoveTree("C:\\E2E Licence Held");
}

TEST_F(Install, TooLongAfterNormalisingFailsCleanly) {
    // 259 characters pass the destination page; normalising adds 11 more.
    std::string parent = PathOfLength(259, 256, 'L');
    ASSERT_EQ(259u, parent.size());
    HWND confirmation = WalkToConfirmation(parent);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(parent + "\\Vantorelle", GetText(FindChild(confirmation, "Edit")));
    Click(Button(confirmation, "&Finish"));
    HWND failure = setup.WaitWindow("TForm2");
    ASSERT_TRUE(failure) << "a failure page, not a crash: " << setup.LastError();
    // Once the page answers, the install has come to its end.
    EXPECT_TRUE(Answers(failure));
    EXPECT_FALSE(setup.FindPage("TForm5"));
    EXPECT_FALSE(KeyExists(".cmp"));
    CloseBox(setup.FindPage("TForm2"));
    EXPECT_EQ(0u, setup.WaitExit());
}

// An install folder of n characters: C:\LLL...\Vantorelle, its parent made.
std::string LongInstallFolder(size_t n) {
    std::string parent = PathOfLength(n - 11, 256, 'L');
    EXPECT_TRUE(MakeFolders(parent)) << parent;
    return parent + "\\Vantorelle";
}

TEST_F(Install, FolderLongestPathStillFitsInstalls) {
    // 225 + "\Compositions\I Love You, Baby.cmp" (34) = 259 characters.
    std::string dir = LongInstallFolder(225);
    ASSERT_EQ(225u, dir.size());
    HWND confirmation = WalkToConfirmation(dir);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    ExpectTree(dir);
}

TEST_F(Install, FolderTooLongForItsFilesIsRefusedBeforeAnythingIsTouched) {
    for (size_t n : {226u, 259u}) {
        SCOPED_TRACE("install folder of " + std::to_string(n) + " characters");
        std::string dir = LongInstallFolder(n);
        ASSERT_EQ(n, dir.size());
        ASSERT_TRUE(MakeFolders(dir));
        HANDLE kept = CreateFileW((LongPath(dir) + L"\\kept.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, kept);
        CloseHandle(kept);
        HWND confirmation = WalkToConfirmation(dir);
        ASSERT_TRUE(confirmation);
        Click(Button(confirmation, "&Finish"));
        HWND failure = setup.WaitWindow("TForm2");
        ASSERT_TRUE(failure) << setup.LastError();
        EXPECT_TRUE(Answers(failure));
        EXPECT_EQ(std::vector<std::string>{"kept.txt"}, Listing(dir))
            << "nothing removed, created or written";
        EXPECT_FALSE(KeyExists(".cmp"));
        EXPECT_FALSE(Exists(StartMenuFolder()));
        Click(Button(failure, "OK"));
        EXPECT_EQ(0u, setup.WaitExit());
    }
}

TEST_F(Install, FinishClicksQueuedDuringAnInstallStartNoOther) {
    HWND confirmation = WalkToConfirmation(kTypical);
    ASSERT_TRUE(confirmation);
    HWND finish = Button(confirmation, "&Finish");
    // Three more clicks wait in the queue while the first one installs.
    for (int i = 0; i < 4; i++)
        Click(finish);
    // Handled after the clicks: by then a second install, had one started,
    // would have shown its own success page.
    EXPECT_TRUE(PostedHandled(Button(confirmation, "&Back"), 60000)) << "the program did not answer";
    HWND success = SuccessPage();
    ASSERT_TRUE(success);
    EXPECT_EQ(1u, setup.AllWindows("TForm5").size()) << "one install, one success page";
    Click(Button(success, "OK"));
    EXPECT_EQ(0u, setup.WaitExit(20000));
    ExpectTree(kTypical);
}

TEST_F(Install, WithoutDirectDrawTheNoteFollowsTheSuccessPageOnce) {
    ASSERT_TRUE(SetAppDllOverride("Setup.exe", "ddraw", ""));
    HWND confirmation = WalkToConfirmation(kTypical);
    ASSERT_TRUE(confirmation);
    // The note comes after the success page.
    HWND success = FinishToSuccess(confirmation);
    ASSERT_TRUE(success);
    Click(Button(success, "OK"));
    MessageBoxInfo note = setup.WaitMessageBox();
    ASSERT_TRUE(note.hwnd) << setup.LastError();
    EXPECT_EQ(kNote, note.text);
    EXPECT_TRUE(setup.AnswerMessageBox(note.hwnd));
    EXPECT_EQ(0u, setup.WaitExit());
}

// How another user may have prepared the install folder before an
// administrator installs: the folder itself a link to a folder elsewhere, its
// Images subfolder such a link, or entries whose names the ANSI code page
// turns into paths out of it (fullwidth forms of "..\..\..\rel-outside\..."
// and "C:\rel-outside\...").
enum class Prepared { LinkedFolder, LinkedImages, ConvertedNames };

class PreparedFolder : public Install, public ::testing::WithParamInterface<Prepared> {
  protected:
    const std::string parent = "C:\\E2E Prepared", dir = parent + "\\Vantorelle", outside = "C:\\rel-outside";
    void SetUp() override {
        Install::SetUp();
        RemoveTree(parent);
        RemoveTree(outside);
    }
    void TearDown() override {
        RemoveTree(parent);
        RemoveTree(outside);
        Install::TearDown();
    }
};

// Whatever the folder holds, the install changes nothing outside it, byte for
// byte: a link where it must write ends it on the failure page, with nothing
// written through the link; names that only look like paths are cleared as
// the names they are, and the install succeeds.
TEST_P(PreparedFolder, NothingOutsideTheFolderChanges) {
    ASSERT_TRUE(MakeFolders(outside + "\\bf-victim\\Sub"));
    WriteText(outside + "\\bf-victim\\keep.txt", "kept");
    WriteText(outside + "\\bf-victim\\Sub\\deep.txt", "deep");
    WriteText(outside + "\\bf-file.txt", "a file of someone else's");
    WriteText(outside + "\\Vantorelle.exe", "not the program");
    std::string image;
    for (const ManifestRow &file : Manifest())
        if (image.empty() && file.folder == "Images")
            image = file.name;
    WriteText(outside + "\\" + image, "someone else's picture");
    const auto sentinels = Tree(outside);
    ASSERT_EQ(7u, sentinels.size());

    ASSERT_TRUE(MakeFolders(parent));
    if (GetParam() == Prepared::LinkedFolder) {
        ASSERT_TRUE(MakeLink(dir, outside));
    } else {
        ASSERT_TRUE(MakeFolders(dir));
        WriteText(dir + "\\stale.txt", "stale");
    }
    if (GetParam() == Prepared::LinkedImages) {
        ASSERT_TRUE(MakeLink(dir + "\\Images", outside));
    }
    if (GetParam() == Prepared::ConvertedNames) {
        ASSERT_EQ(1252u, GetACP()) << "the converted names need code page 1252";
        ASSERT_TRUE(
            MakeConvertedNames(dir, "..\\..\\..\\rel-outside\\bf-victim", "C:\\rel-outside\\bf-file.txt"));
    }

    HWND confirmation = WalkToConfirmation(parent);
    ASSERT_TRUE(confirmation);
    ASSERT_EQ(dir, GetText(FindChild(confirmation, "Edit")));
    if (GetParam() == Prepared::ConvertedNames) {
        EXPECT_EQ(0u, FinishAndConfirm(confirmation));
        ExpectTree(dir);
        ExpectShortcuts(dir);
    } else {
        Click(Button(confirmation, "&Finish"));
        // The install ends on one of the two pages; what it wrote on its way
        // to the wrong one is compared below all the same.
        HWND failure = nullptr, success = nullptr;
        WaitFor([&] { return (failure = setup.FindPage("TForm2")) || (success = setup.FindPage("TForm5")); },
                60000);
        EXPECT_TRUE(failure && !success) << "a link where the install writes ends it on the failure page";
        EXPECT_TRUE(Answers(failure ? failure : success));
        EXPECT_FALSE(KeyExists(".cmp"));
        EXPECT_FALSE(Exists(StartMenuFolder()));
        Click(Button(failure ? failure : success, "OK"));
        EXPECT_EQ(0u, setup.WaitExit(20000));
    }
    EXPECT_EQ("", TreeChanges(sentinels, Tree(outside))) << "outside the install folder";
}

std::ostream &operator<<(std::ostream &out, Prepared prepared) {
    const char *const names[] = {"LinkedFolder", "LinkedImages", "ConvertedNames"};
    return out << names[int(prepared)];
}

std::string PreparedName(const ::testing::TestParamInfo<Prepared> &info) {
    return (std::ostringstream() << info.param).str();
}

INSTANTIATE_TEST_SUITE_P(Install, PreparedFolder,
                         ::testing::Values(Prepared::LinkedFolder, Prepared::LinkedImages,
                                           Prepared::ConvertedNames),
                         PreparedName);

// Files named like system DLLs beside Setup.exe, as a folder of downloads may
// hold them, are never loaded, through a whole install: every module the
// loader trace shows taken from Setup.exe's folder is one that Wine binds
// there for any program, measured with a probe that restricts the search as
// its first act. The test e2e_Planting runs this with the trace on.
TEST_F(Install, PlantedDllsBesideSetupAreNeverLoaded) {
    const char *trace = getenv("LOADER_TRACE");
    if (!trace)
        GTEST_SKIP() << "run by the test e2e_Planting, with Wine's loader trace in LOADER_TRACE";
    const char *names[] = {"uxtheme", "msimg32", "dwmapi",    "version",  "setupapi", "userenv",
                           "propsys", "profapi", "cryptbase", "apphelp",  "oleacc",   "clbcatq",
                           "ntmarta", "ddraw",   "wined3d",   "opengl32", "comctl32", "oleaut32",
                           "rpcrt4",  "shlwapi", "imm32",     "winmm",    "comdlg32", "windowscodecs"};
    const std::string root = "C:\\Planted";
    RemoveTree(root);
    for (const char *folder : {"Setup", "Probe"}) {
        ASSERT_TRUE(MakeFolders(root + "\\" + folder));
        for (const char *name : names)
            ASSERT_TRUE(CopyFileA(WindowsPath(STANDIN_DLL).c_str(),
                                  (root + "\\" + folder + "\\" + name + ".dll").c_str(), FALSE));
    }
    const std::string exe = root + "\\Setup\\Setup.exe", probe = root + "\\Probe\\LoadProbe.exe";
    ASSERT_TRUE(CopyFileA(WindowsPath(SETUP_EXE).c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(WindowsPath(LOAD_PROBE_EXE).c_str(), probe.c_str(), FALSE));

    SetupProcess probing;
    ASSERT_TRUE(probing.StartProgram(probe, "Setup1024")) << probing.LastError();
    ASSERT_EQ(0u, probing.WaitExit(60000)) << "the probe could not restrict its DLL search";
    HWND confirmation = WalkToConfirmation(kTypical, nullptr, exe);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    ExpectTree(kTypical);

    // Modules taken from each folder, from lines such as
    // 0024:trace:loaddll:build_module Loaded L"C:\\Planted\\Setup\\uxtheme.dll" at 70D80000: builtin
    auto loadedFrom = [&](const std::string &folder) {
        std::set<std::string> modules;
        std::istringstream lines(FileText(WindowsPath(trace)));
        std::string line;
        while (std::getline(lines, line)) {
            size_t at = line.find("Loaded L\"");
            if (at == std::string::npos)
                continue;
            std::string path;
            for (size_t i = at + 9; i < line.size() && line[i] != '"'; i++)
                path += line[i] == '\\' && line[i + 1] == '\\' ? line[i++] : line[i];
            if (_strnicmp(path.c_str(), (folder + "\\").c_str(), folder.size() + 1) == 0)
                modules.insert(CharLowerA(&path[folder.size() + 1]));
        }
        return modules;
    };
    std::set<std::string> wine = loadedFrom(root + "\\Probe"), setup = loadedFrom(root + "\\Setup");
    ASSERT_TRUE(wine.count("loadprobe.exe") && setup.count("setup.exe")) << "no loader trace in " << trace;
    std::string fromSetup, fromWine, planted;
    for (const std::string &module : setup) {
        fromSetup += " " + module;
        if (module != "setup.exe" && !wine.count(module))
            planted += " " + module;
    }
    for (const std::string &module : wine)
        fromWine += " " + module;
    std::cout << "Taken from the probe's folder:" << fromWine
              << "\nTaken from Setup.exe's folder:" << fromSetup << "\n";
    EXPECT_EQ("", planted) << "Setup.exe loaded these from its own folder";
    for (const char *name : names)
        EXPECT_FALSE(FileExists(root + "\\Setup\\" + name + ".dll.ran")) << name << ".dll ran its own code";
}

} // namespace
