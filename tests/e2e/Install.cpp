// Whole installs of Setup.exe, driven from outside as a person would, and
// checked where they leave their traces: the folder tree, License.txt, the
// file-type classes in the registry and the Start-menu shortcuts.
#include "driver/Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

using namespace e2e;

namespace {

const char kTypical[] = "C:\\Program Files\\Vantorelle";

struct TypeRow {
    const char *box;       // caption of the check box on the file-type page
    const char *extension; // the registry rows it stands for
    const char *type;
    const char *description;
    const char *icon;
};

const TypeRow kTypes[] = {
    {"Vantorelle &Composition Files (.cmp)", ".cmp", "cmp", "CMP File", ",1"},
    {"Vantorelle &Packed Composition Files (.cmn)", ".cmn", "cmn", "CMN File", ",0"},
    {"&JPEG Files (.jpg)", ".jpg", "jpg", "JPG File", ",1"},
    {"PN&G Files (.png)", ".png", "png", "PNG File", ",1"},
    {"&Bitmap Files (.bmp)", ".bmp", "bmp", "BMP File", ",1"},
    {"&MP3 Files (.mp3)", ".mp3", "mp3", "MP3 File", ",1"},
    {"MP3 &Playlist Files (.m3u .pls)", ".m3u", "m3u", "M3U File", ",1"},
    {"MP3 &Playlist Files (.m3u .pls)", ".pls", "pls", "PLS File", ",1"},
    {"&RealMedia Files (.ra .rm)", ".ra", "ra", "RA File", ",1"},
    {"&RealMedia Files (.ra .rm)", ".rm", "rm", "RM File", ",1"},
};

// The 43 carried files: manifest id, folder below the install folder, name.
struct Carried {
    int id;
    const char *folder;
    const char *name;
};

const Carried kFiles[] = {
    {1, "", "Vantorelle.prp"},
    {2, "", "Vantorelle.hlp"},
    {3, "", "Vantorelle.cnt"},
    {4, "", "Vantorelle.gid"},
    {5, "", "Redist.txt"},
    {6, "", "OrderForm.doc"},
    {7, "", "ShapesFiles.bmp"},
    {8, "", "Tovx.dll"},
    {9, "", "Vantorelle.exe"},
    {2001, "Compositions", "Default.bmp"},
    {2002, "Compositions", "Happy New Year.cmp"},
    {2003, "Compositions", "I Love You, Baby.cmp"},
    {2004, "Compositions", "Millennium.cmp"},
    {2005, "Compositions", "OK.cmp"},
    {3001, "Images", "Baby.bmp"},
    {3002, "Images", "Cristmas Tree.bmp"},
    {3003, "Images", "FireLight.bmp"},
    {3004, "Images", "Fluffy.jpg"},
    {3005, "Images", "GarlandA.bmp"},
    {3006, "Images", "GarlandB.bmp"},
    {3007, "Images", "Gerbers.jpg"},
    {3008, "Images", "GerberWhite.jpg"},
    {3009, "Images", "Happy.bmp"},
    {3010, "Images", "Huge Cloud Gold.jpg"},
    {3011, "Images", "Huge Cloud.jpg"},
    {3012, "Images", "I love you.bmp"},
    {3013, "Images", "Lights.bmp"},
    {3014, "Images", "New.bmp"},
    {3015, "Images", "Pine Branch.jpg"},
    {3016, "Images", "RhombGold.bmp"},
    {3017, "Images", "RhombGreenish.bmp"},
    {3018, "Images", "RhombSky.bmp"},
    {3019, "Images", "RhombFuchsia.bmp"},
    {3020, "Images", "Rose.jpg"},
    {3021, "Images", "RoseSmall.bmp"},
    {3022, "Images", "Star.bmp"},
    {3023, "Images", "StarBG.bmp"},
    {3024, "Images", "Tulip.jpg"},
    {3025, "Images", "Year.bmp"},
    {4001, "Shapes", "Heart.shc"},
    {4002, "Shapes", "MarchHeart.shc"},
    {4003, "Shapes", "Millennium.shc"},
    {4004, "Shapes", "OK.shc"},
};

const char kNote[] =
    "Note: It seems that there is no DirectDraw installed. If you feel some inconvenience playing back "
    "compositions, please, see section \"Performance/Improving performance\" in help system.";

std::string ReadFile(const std::string &path, bool *found = nullptr) {
    std::ifstream in(path, std::ios::binary);
    if (found)
        *found = static_cast<bool>(in);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// A path for the wide file functions, which take the "\\?\" form beyond
// MAX_PATH characters.
std::wstring LongPath(const std::string &path) {
    wchar_t wide[1024];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 1024);
    return L"\\\\?\\" + std::wstring(wide);
}

// The names in a folder, without "." and ".."; false when it cannot be listed.
bool ListFolder(const std::string &folder, std::vector<std::wstring> &names) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((LongPath(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (lstrcmpW(found.cFileName, L".") && lstrcmpW(found.cFileName, L".."))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

int CountEntries(const std::string &folder) {
    std::vector<std::wstring> names;
    return ListFolder(folder, names) ? static_cast<int>(names.size()) : -1;
}

// The agreement as License.txt must hold it: the licence page's text from its
// form data, lines joined with CR LF, each "&&" written as one "&".
std::string ExpectedLicence() {
    std::string form = ReadFile(WindowsPath(SOURCE_DIR "/resources/forms/Form4.form"));
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

std::string RegText(const std::string &key, const char *value = nullptr, bool *found = nullptr) {
    HKEY handle;
    if (found)
        *found = false;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return "";
    char data[1024] = "";
    DWORD size = sizeof(data), type = 0;
    LONG result = RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return "";
    if (found)
        *found = true;
    return data;
}

std::string RegBinary(const std::string &key, const char *value) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return "missing key";
    BYTE data[16];
    DWORD size = sizeof(data), type = 0;
    LONG result = RegQueryValueExA(handle, value, nullptr, &type, data, &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || type != REG_BINARY)
        return "missing value";
    std::string hex;
    for (DWORD i = 0; i < size; i++) {
        char b[4];
        wsprintfA(b, i ? " %02X" : "%02X", data[i]);
        hex += b;
    }
    return hex;
}

bool KeyExists(const std::string &key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

void DeleteTypes() {
    for (const TypeRow &row : kTypes) {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, row.extension);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(row.type) + "_auto_file").c_str());
    }
}

std::string ProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE);
    return path;
}

void DeleteStartMenuFolder() {
    std::string folder = ProgramsFolder() + "\\Vantorelle";
    std::string files = folder + '\0' + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = files.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

struct ShortcutInfo {
    bool loaded = false;
    std::string path, description, workingDirectory;
};

ShortcutInfo ReadShortcut(const std::string &file) {
    ShortcutInfo info;
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        IPersistFile *persist = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persist)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
                char text[MAX_PATH] = "";
                info.loaded = true;
                link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
                info.path = text;
                text[0] = 0;
                link->GetDescription(text, MAX_PATH);
                info.description = text;
                text[0] = 0;
                link->GetWorkingDirectory(text, MAX_PATH);
                info.workingDirectory = text;
            }
            persist->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return info;
}

class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteTypes();
        DeleteStartMenuFolder();
    }
    void TearDown() override {
        SetAppDllOverride("Setup.exe", "ddraw", nullptr);
        DeleteTypes();
        DeleteStartMenuFolder();
    }

    // A page may be shown before its buttons are made: waits for the button.
    HWND Button(HWND page, const char *text) {
        HWND button = nullptr;
        WaitFor([&] { return (button = FindChild(page, "Button", text)) != nullptr; });
        EXPECT_TRUE(button) << "no button " << text << " on the page " << ClassOf(page);
        return button;
    }

    // Title page to confirmation page with the given destination text; the
    // ticks are set as asked (null keeps the designed ones). The program is
    // this build's Setup.exe unless another copy is named.
    HWND WalkToConfirmation(const std::string &destination, const std::vector<bool> *ticks = nullptr,
                            const std::string &exe = WindowsPath(SETUP_EXE)) {
        EXPECT_TRUE(setup.StartProgram(exe, "Setup1024")) << setup.LastError();
        HWND title = setup.WaitWindow("TForm1");
        EXPECT_TRUE(title) << setup.LastError();
        Click(Button(title, "&Next"));
        HWND welcome = setup.WaitWindow("TForm3");
        Click(Button(welcome, "&Next"));
        HWND licence = setup.WaitWindow("TForm4");
        Click(Button(licence, "&Agree"));
        HWND path = setup.WaitWindow("TPathA");
        EXPECT_TRUE(path) << setup.LastError();
        SetText(FindChild(path, "Edit"), destination);
        Click(Button(path, "&Next"));
        HWND types = setup.WaitWindow("TExtensionsA");
        EXPECT_TRUE(types) << setup.LastError();
        if (ticks) {
            const char *boxes[] = {kTypes[0].box, kTypes[1].box, kTypes[2].box, kTypes[3].box,
                                   kTypes[4].box, kTypes[5].box, kTypes[6].box, kTypes[8].box};
            for (size_t i = 0; i < 8; i++)
                SetChecked(FindChild(types, "Button", boxes[i]), (*ticks)[i]);
        }
        Click(Button(types, "&Next"));
        HWND confirmation = setup.WaitWindow("TPathConfirmA");
        EXPECT_TRUE(confirmation) << setup.LastError();
        EXPECT_TRUE(setup.WaitIdle());
        return confirmation;
    }

    // Finish, then the success page's OK; returns the program's exit code.
    // With a shot name, pictures of the turning gauge and of the success page
    // are left in the screenshot folder.
    DWORD FinishAndConfirm(HWND confirmation, const char *shots = nullptr) {
        Click(Button(confirmation, "&Finish"));
        if (shots) {
            MakeFolders(WindowsPath(SCREENSHOT_DIR));
            Sleep(2000);
            setup.Screenshot(WindowsPath(SCREENSHOT_DIR "/") + shots + "-10-installing.png");
        }
        HWND success = setup.WaitWindow("TForm5", "Software Installation", 60000);
        if (shots && success) {
            setup.WaitIdle();
            setup.Screenshot(WindowsPath(SCREENSHOT_DIR "/") + shots + "-11-success.png");
        }
        EXPECT_TRUE(success) << "no success page: " << setup.LastError();
        EXPECT_TRUE(setup.FindPage("TPathConfirmA")) << "the confirmation page stays under the success page";
        Click(Button(success, "OK"));
        return setup.WaitExit(20000);
    }

    // Every file as its source holds it: the build's stand-ins, or a product
    // folder laid out as the installed tree.
    void ExpectTree(const std::string &dir, const std::string &product = "") {
        for (const char *folder :
             {"InBox", "OutBox", "Images", "Shapes", "Compositions", "Music", "ScreenShots"})
            EXPECT_TRUE(IsFolder(dir + "\\" + folder)) << folder;
        for (const char *empty : {"InBox", "OutBox", "Music", "ScreenShots"})
            EXPECT_EQ(0, CountEntries(dir + "\\" + empty)) << empty;
        EXPECT_EQ(25, CountEntries(dir + "\\Images"));
        EXPECT_EQ(4, CountEntries(dir + "\\Shapes"));
        EXPECT_EQ(5, CountEntries(dir + "\\Compositions"));
        // 9 files, License.txt and the 7 folders.
        EXPECT_EQ(17, CountEntries(dir));
        for (const Carried &file : kFiles) {
            std::string rel = (file.folder[0] ? std::string(file.folder) + "\\" : "") + file.name;
            std::string installed = dir + "\\" + rel;
            bool found = false;
            std::string got = ReadFile(installed, &found);
            std::string want = product.empty()
                                   ? ReadFile(WindowsPath(PAYLOAD_DIR "/files/" + std::to_string(file.id)))
                                   : ReadFile(WindowsPath(product) + "\\" + rel);
            ASSERT_TRUE(found) << installed;
            EXPECT_TRUE(got == want) << installed << " differs from its source (" << got.size() << " bytes, "
                                     << want.size() << " expected)";
        }
        std::string licence = ReadFile(dir + "\\License.txt");
        std::string expected = ExpectedLicence();
        EXPECT_GT(expected.size(), 10000u);
        EXPECT_EQ(expected.size(), licence.size());
        EXPECT_TRUE(licence == expected) << "License.txt is the agreement with each && written as &";
    }

    void ExpectType(const TypeRow &row, const std::string &dir) {
        std::string cls = std::string(row.type) + "_auto_file";
        EXPECT_EQ(cls, RegText(row.extension)) << row.extension;
        EXPECT_EQ("\"" + dir + "\\Vantorelle.exe\" %1", RegText(cls + "\\shell\\open\\command")) << cls;
        EXPECT_EQ(row.description, RegText(cls)) << cls;
        EXPECT_EQ("00 00 00 00", RegBinary(cls, "EditFlags")) << cls;
        EXPECT_EQ(dir + "\\Vantorelle.exe" + row.icon, RegText(cls + "\\DefaultIcon")) << cls;
        bool found = false;
        EXPECT_EQ("", RegText(cls + "\\shell", nullptr, &found));
        EXPECT_TRUE(found) << cls << "\\shell has an empty default value";
        EXPECT_EQ("", RegText(cls + "\\shell\\open", nullptr, &found));
        EXPECT_TRUE(found) << cls << "\\shell\\open has an empty default value";
        EXPECT_EQ("01 00 00 00", RegBinary(cls + "\\shell\\open", "EditFlags")) << cls;
    }

    void ExpectShortcuts(const std::string &dir) {
        std::string folder = ProgramsFolder() + "\\Vantorelle";
        ShortcutInfo program = ReadShortcut(folder + "\\Vantorelle.lnk");
        ASSERT_TRUE(program.loaded) << folder << "\\Vantorelle.lnk";
        EXPECT_EQ(dir + "\\Vantorelle.exe", program.path);
        EXPECT_EQ("", program.workingDirectory);
        EXPECT_EQ("2.0", program.description.substr(program.description.size() - 3));
        ShortcutInfo help = ReadShortcut(folder + "\\Help.lnk");
        ASSERT_TRUE(help.loaded) << folder << "\\Help.lnk";
        EXPECT_EQ(dir + "\\Vantorelle.hlp", help.path);
        EXPECT_EQ("", help.workingDirectory);
        EXPECT_EQ(program.description, help.description);
        EXPECT_EQ(2, CountEntries(folder));
    }

    SetupProcess setup;
};

TEST_F(Install, TypicalRunLeavesTreeLicenceTypesAndShortcuts) {
    HWND confirmation = WalkToConfirmation(kTypical);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(kTypical, GetText(FindChild(confirmation, "Edit")));
    // Something left by an earlier install is cleared first.
    MakeFolders(std::string(kTypical) + "\\Old");
    std::ofstream(std::string(kTypical) + "\\Old\\stale.txt") << "stale";

    EXPECT_EQ(0u, FinishAndConfirm(confirmation, "Setup1024"));

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

TEST_F(Install, FolderWithBlanksAndEveryTypeTicked) {
    std::string parent = "C:\\Program Files\\E2E Every Type";
    ASSERT_TRUE(MakeFolders(parent));
    std::vector<bool> all(8, true);
    HWND confirmation = WalkToConfirmation(parent + "\\", &all);
    ASSERT_TRUE(confirmation);
    std::string dir = parent + "\\Vantorelle";
    EXPECT_EQ(dir, GetText(FindChild(confirmation, "Edit")));
    EXPECT_EQ(0u, FinishAndConfirm(confirmation));
    for (const TypeRow &row : kTypes)
        ExpectType(row, dir);
    ExpectShortcuts(dir);
}

TEST_F(Install, NothingTickedWritesNoTypeAndShowsNoNote) {
    std::vector<bool> none(8, false);
    HWND confirmation = WalkToConfirmation(kTypical, &none);
    ASSERT_TRUE(confirmation);
    Click(Button(confirmation, "&Finish"));
    HWND success = setup.WaitWindow("TForm5", "Software Installation", 60000);
    ASSERT_TRUE(success) << setup.LastError();
    EXPECT_FALSE(setup.WaitMessageBox(300).hwnd) << "no note before the success page";
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
    setup.WaitIdle();
    MakeFolders(WindowsPath(SCREENSHOT_DIR));
    setup.Screenshot(WindowsPath(SCREENSHOT_DIR "/Setup1024-12-failure.png"));
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

TEST_F(Install, TooLongAfterNormalisingFailsCleanly) {
    // 259 characters pass the destination page; normalising adds 11 more.
    std::string parent = "C:\\" + std::string(256, 'L');
    ASSERT_EQ(259u, parent.size());
    HWND confirmation = WalkToConfirmation(parent);
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(parent + "\\Vantorelle", GetText(FindChild(confirmation, "Edit")));
    Click(Button(confirmation, "&Finish"));
    EXPECT_TRUE(setup.WaitWindow("TForm2")) << "a failure page, not a crash: " << setup.LastError();
    EXPECT_FALSE(setup.FindPage("TForm5"));
    EXPECT_FALSE(KeyExists(".cmp"));
    CloseBox(setup.FindPage("TForm2"));
    EXPECT_EQ(0u, setup.WaitExit());
}

// An install folder of n characters: C:\LLL...\Vantorelle, its parent made.
std::string LongInstallFolder(size_t n) {
    std::string parent = "C:\\" + std::string(n - 3 - 11, 'L');
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
        std::vector<std::wstring> names;
        ASSERT_TRUE(ListFolder(dir, names));
        EXPECT_EQ(std::vector<std::wstring>{L"kept.txt"}, names) << "nothing removed, created or written";
        EXPECT_FALSE(KeyExists(".cmp"));
        EXPECT_FALSE(Exists(ProgramsFolder() + "\\Vantorelle"));
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
    HWND success = setup.WaitWindow("TForm5", "Software Installation", 60000);
    ASSERT_TRUE(success) << setup.LastError();
    // Long enough for a second install to reach its own success page.
    Sleep(8000);
    EXPECT_EQ(1u, setup.AllWindows("TForm5").size()) << "one install, one success page";
    Click(Button(success, "OK"));
    EXPECT_EQ(0u, setup.WaitExit(20000));
    ExpectTree(kTypical);
}

TEST_F(Install, WithoutDirectDrawTheNoteFollowsTheSuccessPageOnce) {
    ASSERT_TRUE(SetAppDllOverride("Setup.exe", "ddraw", ""));
    HWND confirmation = WalkToConfirmation(kTypical);
    ASSERT_TRUE(confirmation);
    Click(Button(confirmation, "&Finish"));
    HWND success = setup.WaitWindow("TForm5", "Software Installation", 60000);
    ASSERT_TRUE(success) << setup.LastError();
    EXPECT_FALSE(setup.WaitMessageBox(300).hwnd) << "the note comes after the success page";
    Click(Button(success, "OK"));
    MessageBoxInfo note = setup.WaitMessageBox();
    ASSERT_TRUE(note.hwnd) << setup.LastError();
    EXPECT_EQ(kNote, note.text);
    EXPECT_TRUE(setup.AnswerMessageBox(note.hwnd));
    EXPECT_EQ(0u, setup.WaitExit());
}

} // namespace
