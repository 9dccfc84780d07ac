// The user's choices on the pages of Setup.exe, worked from outside as a
// person would: the checks of the destination page's Next, the folder
// browser (what OK and Cancel leave in the destination, the current
// directory, the drive list with floppy drives), the file-type boxes, and
// the licence page's Page Up and Page Down keys.
#include "SetupTest.h"
#include "support/Paths.h"
#include "support/Readers.h"
#include "win32/CurrentDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <winioctl.h>

using namespace e2e;
using readers::PathOfLength;

namespace {

const char kTooLong[] = "Folder path is too long.";
const char kOnDriveA[] = "Program can not be installed on drive 'a:'";

// A folder tree that the browser tests walk through. Setup.exe inherits this
// test's current directory, Start, so the browser opens there whenever the
// destination names no existing folder.
const char kStart[] = "C:\\Choices\\Start";
const char *const kTreeFolders[] = {"C:\\Choices\\Start\\Alpha\\Inner", "C:\\Choices\\Start\\Beta",
                                    "C:\\Choices\\Start\\Gamma"};
const char kMissing[] = "C:\\Choices\\Missing";

// The directory list's items with each of these folders open: the path's
// folders from the root, then the folders below the open one.
const char kStartOpen[] = "c:\\ | Choices | Start | Alpha | Beta | Gamma";
const char kAlphaOpen[] = "c:\\ | Choices | Start | Alpha | Inner";
const char kGammaOpen[] = "c:\\ | Choices | Start | Gamma";

// Height of one directory list item.
const int kItemHeight = 16;

// The items of a list box or of a combo box's list. Asked from another
// process, Wine hands the item texts over as UTF-16 whichever way they were
// asked for, so they are asked for as such.
std::vector<std::string> Items(HWND box, bool combo) {
    std::vector<std::string> items;
    const int count = static_cast<int>(Send(box, combo ? CB_GETCOUNT : LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(Send(box, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i));
        std::vector<wchar_t> wide(length > 0 ? length + 1 : 1, L'\0');
        DWORD_PTR copied = 0;
        if (length > 0)
            SendMessageTimeoutW(box, combo ? CB_GETLBTEXT : LB_GETTEXT, i,
                                reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG, 5000, &copied);
        char text[MAX_PATH * 2] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text, sizeof text, nullptr, nullptr);
        items.emplace_back(text);
    }
    return items;
}

// The directory list's items in order, "c:\ | Choices | Start | Alpha".
std::string ListView(HWND list) {
    std::string view;
    for (const std::string &item : Items(list, false))
        view += (view.empty() ? "" : " | ") + item;
    return view;
}

// The directory list's highlighted item.
std::string Highlighted(HWND list) {
    const int selected = static_cast<int>(static_cast<LRESULT>(Send(list, LB_GETCURSEL)));
    std::vector<std::string> items = Items(list, false);
    return selected >= 0 && selected < static_cast<int>(items.size()) ? items[selected] : "(none)";
}

int IndexOf(HWND list, const std::string &name) {
    std::vector<std::string> items = Items(list, false);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

// The client point in the middle of a list item's text.
LPARAM ItemPoint(HWND list, int index) {
    const int top = static_cast<int>(Send(list, LB_GETTOPINDEX));
    return MAKELPARAM(60, (index - top) * kItemHeight + kItemHeight / 2);
}

// One click on an item: the list highlights it.
void ClickItem(HWND list, int index) {
    const LPARAM point = ItemPoint(list, index);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

// A double click on an item, as the mouse delivers it.
void DoubleClickItem(HWND list, int index) {
    ClickItem(list, index);
    const LPARAM point = ItemPoint(list, index);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

// Highlights an item and presses Enter on it.
void EnterItem(HWND list, int index) {
    Send(list, LB_SETCURSEL, index);
    SendKey(list, VK_RETURN);
}

// A drive letter defined for the running Wine prefix by its mount manager,
// the way Wine's drive configuration defines one: no restart is needed, and
// every program started afterwards sees the drive. A removable a: or b:
// becomes a floppy drive. The drive is removed again at the end.
class WineDrive {
  public:
    WineDrive(char letter, UINT type) : letter_(letter) {
        const char *prefix = std::getenv("WINEPREFIX");
        if (prefix == nullptr) {
            error_ = "WINEPREFIX is not set";
            return;
        }
        const std::string folder = std::string(prefix) + "/testdrive-" + letter;
        if (!MakeFolders(WindowsPath(folder))) {
            error_ = "cannot create " + folder;
            return;
        }
        defined_ = Define(type, folder);
    }
    ~WineDrive() {
        if (defined_)
            Define(DRIVE_NO_ROOT_DIR, "");
    }
    WineDrive(const WineDrive &) = delete;
    WineDrive &operator=(const WineDrive &) = delete;

    bool Defined() const { return defined_; }
    const std::string &Error() const { return error_; }

  private:
    // The mount manager's request to define (or, with DRIVE_NO_ROOT_DIR,
    // remove) a drive letter, as Wine 8 lays it out; the Unix folder follows
    // the structure.
    struct UnixDrive {
        ULONG size;
        ULONG type;
        ULONG fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset;
        USHORT deviceOffset;
        USHORT labelOffset;
    };

    bool Define(UINT type, const std::string &unixFolder) {
        const DWORD defineUnixDrive =
            CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        std::vector<char> request(sizeof(UnixDrive) + unixFolder.size() + 1, '\0');
        UnixDrive drive{};
        drive.size = static_cast<ULONG>(request.size());
        drive.type = type;
        drive.letter = static_cast<WCHAR>(letter_);
        if (!unixFolder.empty()) {
            drive.mountPointOffset = sizeof(UnixDrive);
            std::memcpy(&request[sizeof(UnixDrive)], unixFolder.c_str(), unixFolder.size());
        }
        std::memcpy(request.data(), &drive, sizeof drive);

        HANDLE manager = CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE) {
            error_ = "cannot open the mount manager: error " + std::to_string(GetLastError());
            return false;
        }
        DWORD returned = 0;
        const bool done = DeviceIoControl(manager, defineUnixDrive, request.data(),
                                          static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
        if (!done)
            error_ = std::string("the mount manager refused drive ") + letter_ + ": error " +
                     std::to_string(GetLastError());
        CloseHandle(manager);
        return done;
    }

    char letter_;
    bool defined_ = false;
    std::string error_;
};

class Choices : public SetupTest {
  protected:
    static void SetUpTestSuite() {
        for (const char *folder : kTreeFolders)
            MakeFolders(folder);
        RemoveDirectoryA(kMissing);
        // The browser starts at the current directory only while the default
        // destination does not exist; an earlier install may have made it.
        readers::RemoveTree(kDefaultFolder);
    }

    // Starts Setup.exe and walks on to the destination page.
    HWND StartToDestination() {
        HWND destination = WalkTo(kDestination);
        if (destination != nullptr)
            path = Control(destination, "Edit");
        return path != nullptr ? destination : nullptr;
    }

    // Presses Browse and returns the folder browser once its list is filled.
    HWND OpenBrowser(HWND destination) {
        HWND browser = SetupTest::OpenBrowser(destination);
        if (browser == nullptr)
            return nullptr;
        list = Control(browser, "ListBox");
        drives = Control(browser, "ComboBox");
        if (list != nullptr)
            WaitFor([&] { return Send(list, LB_GETCOUNT) > 0; }, 5000);
        return list != nullptr && drives != nullptr ? browser : nullptr;
    }

    // Waits until the directory list shows this view; the view it shows when
    // it does not.
    std::string WaitView(const std::string &expected) {
        std::string view;
        WaitFor([&] { return (view = ListView(list)) == expected; }, 5000);
        return view;
    }

    // The drive list's chosen item.
    std::string SelectedDrive() {
        const int selected = static_cast<int>(static_cast<LRESULT>(Send(drives, CB_GETCURSEL)));
        std::vector<std::string> items = Items(drives, true);
        return selected >= 0 && selected < static_cast<int>(items.size()) ? items[selected] : "(none)";
    }

    // Lets the program handle everything that was posted to it: a state
    // change posted to this push button behind the rest shows when it has.
    void Settle(HWND button) { EXPECT_TRUE(PostedHandled(button)) << "the program did not answer"; }

    // Next on the destination page opens the file-type page; its close box
    // then ends the program.
    void NextThenEnd(HWND destination) {
        HWND fileTypes = Forward(destination, kDestination);
        ASSERT_NE(nullptr, fileTypes);
        EndWith(fileTypes);
    }

    // What the test makes its current directory is put back after it.
    TCurrentDirectoryKeeper currentDirectory;
    HWND path = nullptr;   // the destination page's edit box
    HWND list = nullptr;   // the open browser's directory list
    HWND drives = nullptr; // the open browser's drive list
};

// ------------------------------------------------------- destination checks

// Destinations of a given length (readers::PathOfLength: C:\ and folders of
// eight characters). Next takes at most 259.
struct Refusal {
    const char *what;
    std::string text;
    const char *message;
};

TEST_F(Choices, RefusedDestinationsGetTheirMessageAndLeaveThePageAsItWas) {
    ASSERT_EQ(260u, PathOfLength(260).size());
    const Refusal refusals[] = {
        {"260 characters", PathOfLength(260), kTooLong},
        {"260 characters starting with a", "a" + PathOfLength(259), kTooLong},
        {"lower-case a:", "a:\\x", kOnDriveA},
        {"upper-case A:", "A:\\x", kOnDriveA},
        {"a blank, then a", " a...", kOnDriveA},
        {"tab, line end and blanks, then A", "\t\r\n  A:\\Vantorelle", kOnDriveA},
        {"a alone", "a", kOnDriveA},
    };
    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);
    HWND next = Button(destination, "&Next");
    ASSERT_NE(nullptr, next);

    for (const Refusal &refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        SetText(path, refusal.text);
        Click(next);
        MessageBoxInfo box = setup.WaitMessageBox();
        ASSERT_NE(nullptr, box.hwnd) << "expected the message \"" << refusal.message
                                     << "\": " << setup.LastError();
        EXPECT_EQ(refusal.message, box.text);
        EXPECT_EQ("", GetText(box.hwnd)) << "the message's caption";
        EXPECT_EQ(destination, GetWindow(box.hwnd, GW_OWNER))
            << "the message must belong to the destination page";
        ASSERT_TRUE(setup.AnswerMessageBox(box.hwnd)) << setup.LastError();
        Settle(next);

        EXPECT_EQ(nullptr, setup.FindPage(kMessageBoxClass)) << "a second message followed";
        EXPECT_EQ(refusal.text, GetText(path)) << "the destination changed";
        EXPECT_TRUE(IsVisible(destination)) << "the destination page left the screen";
        EXPECT_TRUE(setup.AllWindows("TExtensionsA").empty()) << "a file-type page was made";
        EXPECT_TRUE(setup.Running());
    }
    EndWith(destination);
}

TEST_F(Choices, AcceptedDestinationsOpenTheFileTypePage) {
    ASSERT_EQ(259u, PathOfLength(259).size());
    const std::string accepted[] = {PathOfLength(259), "", "   ", "C:\\a", "b:\\Vantorelle"};
    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);

    size_t made = 0;
    for (const std::string &text : accepted) {
        SCOPED_TRACE("destination \"" + text + "\"");
        SetText(path, text);
        Click(Button(destination, "&Next"));
        HWND fileTypes = setup.WaitWindow("TExtensionsA", "Files Extensions");
        ASSERT_NE(nullptr, fileTypes) << "expected the file-type page: " << setup.LastError()
                                      << (setup.FindPage(kMessageBoxClass) ? " (a message was shown)" : "");
        EXPECT_TRUE(Answers(fileTypes));
        EXPECT_EQ(++made, setup.AllWindows("TExtensionsA").size())
            << "each Next makes one new file-type page";
        EXPECT_TRUE(setup.WaitHidden(destination)) << setup.LastError();

        // Back shows the destination page with the text as it was.
        Click(Button(fileTypes, "&Back"));
        ASSERT_EQ(destination, setup.WaitWindow("TPathA", "Software Installation")) << setup.LastError();
        EXPECT_TRUE(setup.WaitHidden(fileTypes)) << setup.LastError();
        EXPECT_EQ(text, GetText(path));
    }
    EndWith(destination);
}

// ------------------------------------------------------------ folder browser

// However the browser is left, the process's current directory is what it
// was before: opened again on a destination that does not exist, the browser
// starts at the same folder as the first time. Moving through the list
// changes the current directory meanwhile, so every round opens a folder
// first.
struct WayOut {
    const char *name;
    const char *button; // null: the window's close box
    bool takesFolder;
};

class LeavingTheBrowser : public Choices, public ::testing::WithParamInterface<WayOut> {};

TEST_P(LeavingTheBrowser, KeepsTheCurrentDirectory) {
    const WayOut &way = GetParam();
    ASSERT_TRUE(SetCurrentDirectoryA(kStart)) << "cannot enter " << kStart;
    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);
    SetText(path, kMissing);

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        HWND browser = OpenBrowser(destination);
        ASSERT_NE(nullptr, browser);
        EXPECT_EQ(kStartOpen, WaitView(kStartOpen))
            << (round == 1 ? "the browser must open at the current directory"
                           : "the current directory was not restored");
        EXPECT_EQ("c: [", SelectedDrive().substr(0, 4))
            << "the drive list starts at the current directory's drive";

        EnterItem(list, IndexOf(list, "Alpha"));
        EXPECT_EQ(kAlphaOpen, WaitView(kAlphaOpen)) << "Enter must open the folder";
        // A folder below is only highlighted.
        ClickItem(list, IndexOf(list, "Inner"));
        Settle(Button(browser, "&Cancel"));
        CloseWith(browser, way.button);
        EXPECT_EQ(std::string(way.takesFolder ? "C:\\Choices\\Start\\Alpha" : kMissing), GetText(path))
            << way.name << " must " << (way.takesFolder ? "take the open folder" : "leave the destination");
        EXPECT_TRUE(IsVisible(destination));
        SetText(path, kMissing);
    }
    EndWith(destination);
}

INSTANTIATE_TEST_SUITE_P(Browser, LeavingTheBrowser,
                         ::testing::Values(WayOut{"Cancel", "&Cancel", false}, WayOut{"Ok", "&Ok", true},
                                           WayOut{"CloseBox", nullptr, false}),
                         [](const ::testing::TestParamInfo<WayOut> &info) { return info.param.name; });

TEST_F(Choices, BrowserOkTakesTheOpenFolderNotAHighlightedOne) {
    ASSERT_TRUE(SetCurrentDirectoryA(kStart)) << "cannot enter " << kStart;
    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);
    SetText(path, kMissing);

    // After opening, the open folder is the highlighted one. A single click
    // only highlights another folder; OK takes the open one.
    HWND browser = OpenBrowser(destination);
    ASSERT_NE(nullptr, browser);
    ASSERT_EQ(kStartOpen, WaitView(kStartOpen));
    EXPECT_EQ("Start", Highlighted(list)) << "the open folder must be highlighted when the browser opens";
    ClickItem(list, IndexOf(list, "Beta"));
    EXPECT_TRUE(WaitFor([&] { return Highlighted(list) == "Beta"; }, 5000))
        << "a click must highlight the folder, highlighted is " << Highlighted(list);
    EXPECT_EQ(kStartOpen, ListView(list)) << "a click must open nothing";
    CloseWith(browser, "&Ok");
    EXPECT_EQ(kStart, GetText(path));

    // A double click opens a folder; the browser opened on an existing
    // destination starts there.
    browser = OpenBrowser(destination);
    ASSERT_NE(nullptr, browser);
    ASSERT_EQ(kStartOpen, WaitView(kStartOpen)) << "the browser must open at the destination";
    DoubleClickItem(list, IndexOf(list, "Gamma"));
    EXPECT_EQ(kGammaOpen, WaitView(kGammaOpen)) << "a double click must open the folder";
    EXPECT_EQ("Gamma", Highlighted(list)) << "the opened folder must be highlighted";
    EnterItem(list, IndexOf(list, "Choices"));
    EXPECT_EQ("c:\\ | Choices | Start", WaitView("c:\\ | Choices | Start"))
        << "Enter must open a folder above";
    EXPECT_EQ("Choices", Highlighted(list)) << "the opened folder must be highlighted";
    DoubleClickItem(list, IndexOf(list, "Start"));
    EXPECT_EQ(kStartOpen, WaitView(kStartOpen)) << "a double click must open the folder";
    DoubleClickItem(list, IndexOf(list, "Gamma"));
    EXPECT_EQ(kGammaOpen, WaitView(kGammaOpen)) << "a double click must open the folder";
    CloseWith(browser, "&Ok");
    EXPECT_EQ("C:\\Choices\\Start\\Gamma", GetText(path));

    browser = OpenBrowser(destination);
    ASSERT_NE(nullptr, browser);
    EXPECT_EQ(kGammaOpen, WaitView(kGammaOpen)) << "the browser must open at the destination";
    CloseWith(browser, "&Cancel");
    EXPECT_EQ("C:\\Choices\\Start\\Gamma", GetText(path));

    // The destination the browser gave passes Next.
    NextThenEnd(destination);
}

// Floppy drives a: and b: are left out of the drive list; the fixed drives
// are listed with their volume names.
TEST_F(Choices, BrowserLeavesOutRemovableDrivesAAndB) {
    WineDrive a('a', DRIVE_REMOVABLE);
    WineDrive b('b', DRIVE_REMOVABLE);
    ASSERT_TRUE(a.Defined()) << a.Error();
    ASSERT_TRUE(b.Defined()) << b.Error();
    ASSERT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), GetDriveTypeA("A:\\")) << "drive a: is not removable";
    ASSERT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), GetDriveTypeA("B:\\")) << "drive b: is not removable";

    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);
    HWND browser = OpenBrowser(destination);
    ASSERT_NE(nullptr, browser);
    std::vector<std::string> items = Items(drives, true);
    std::string all;
    bool fixedC = false;
    for (const std::string &item : items) {
        all += "\"" + item + "\" ";
        EXPECT_NE('a', item.empty() ? 0 : item[0]) << "drive a: is listed: " << item;
        EXPECT_NE('b', item.empty() ? 0 : item[0]) << "drive b: is listed: " << item;
        fixedC = fixedC || (item.rfind("c: [", 0) == 0 && item.back() == ']');
    }
    EXPECT_TRUE(fixedC) << "expected drive c: as \"c: [label]\" among " << all;
    CloseWith(browser, "&Cancel");
    EndWith(destination);
}

// A fixed drive a: stays in the list; choosing it empties the directory list,
// OK then gives the empty destination, and Next takes that.
TEST_F(Choices, BrowserOnAFixedDriveAGivesTheEmptyDestination) {
    WineDrive a('a', DRIVE_FIXED);
    ASSERT_TRUE(a.Defined()) << a.Error();
    ASSERT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeA("A:\\")) << "drive a: is not fixed";
    ASSERT_TRUE(SetCurrentDirectoryA(kStart)) << "cannot enter " << kStart;

    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);
    HWND browser = OpenBrowser(destination);
    ASSERT_NE(nullptr, browser);
    ASSERT_EQ(kStartOpen, WaitView(kStartOpen));
    std::vector<std::string> items = Items(drives, true);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ("a: [", items[0].substr(0, 4)) << "the fixed drive a: must stay listed, first";
    ASSERT_EQ(1, static_cast<int>(Send(drives, CB_GETCURSEL))) << "the list must start at drive c:";

    // Up in the drive list chooses drive a:.
    SendKey(drives, VK_UP);
    EXPECT_TRUE(WaitFor([&] { return Send(drives, CB_GETCURSEL) == 0; }, 5000)) << "drive a: was not chosen";
    EXPECT_TRUE(WaitFor([&] { return Send(list, LB_GETCOUNT) == 0; }, 5000))
        << "choosing drive a: must empty the directory list, it shows " << ListView(list);
    CloseWith(browser, "&Ok");
    EXPECT_EQ("", GetText(path));
    NextThenEnd(destination);
}

// ----------------------------------------------------------------- file types

TEST_F(Choices, EveryFileTypeClearedStillProceeds) {
    HWND destination = StartToDestination();
    ASSERT_NE(nullptr, destination);
    HWND fileTypes = Forward(destination, kDestination);
    ASSERT_NE(nullptr, fileTypes);

    for (const TypeBox &type : kTypeBoxes) {
        HWND box = Button(fileTypes, type.caption);
        ASSERT_NE(nullptr, box);
        EXPECT_TRUE(IsVisible(box) && IsEnabled(box)) << type.caption << " must be visible and enabled";
        SetChecked(box, false);
    }
    // Forward also waits for the file-type page to leave the screen.
    HWND confirmation = Forward(fileTypes, kFileTypes);
    ASSERT_NE(nullptr, confirmation);

    Click(Button(confirmation, "&Back"));
    ASSERT_EQ(fileTypes, setup.WaitWindow("TExtensionsA", "Files Extensions")) << setup.LastError();
    for (const TypeBox &type : kTypeBoxes)
        EXPECT_FALSE(IsChecked(Button(fileTypes, type.caption))) << type.caption << " came back ticked";
    EndWith(fileTypes);
}

// --------------------------------------------------------------- licence keys

// Wine answers GetScrollInfo only for windows of the caller's own process, so
// the scroll position of the licence page is read from the screen: how far
// the agreement moved between two pictures of the scroll box's client area.

// The scroll box's client area (without its scroll bar) as it is on screen
// once the program has handled everything posted to it so far. A state
// change posted to a button behind the rest shows when they are through;
// the page is painted after that, when nothing else waits.
Picture ClientPicture(SetupProcess &setup, HWND box, HWND button) {
    PostedHandled(button, 5000);

    RECT client{};
    GetClientRect(box, &client);
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    // The picture once two captures in a row agree.
    Picture crop, last;
    int same = 0;
    WaitFor(
        [&] {
            setup.WaitIdle(2000);
            Picture screen = setup.Capture();
            crop = Picture{};
            crop.width = client.right;
            crop.height = client.bottom;
            for (int y = 0; y < crop.height; ++y)
                for (int x = 0; x < crop.width; ++x)
                    crop.pixels.push_back(screen.At(origin.x + x, origin.y + y));
            same = crop.pixels == last.pixels ? same + 1 : 0;
            last = crop;
            return same >= 2;
        },
        2000);
    return crop;
}

bool SameRows(const Picture &a, int rowA, const Picture &b, int rowB, int count) {
    const auto *pa = a.pixels.data() + static_cast<size_t>(rowA) * a.width;
    const auto *pb = b.pixels.data() + static_cast<size_t>(rowB) * b.width;
    return std::equal(pa, pa + static_cast<size_t>(count) * a.width, pb);
}

bool Uniform(const Picture &p, int row, int count) {
    const auto *first = p.pixels.data() + static_cast<size_t>(row) * p.width;
    return std::all_of(first, first + static_cast<size_t>(count) * p.width,
                       [&](uint32_t pixel) { return pixel == *first; });
}

// How many rows the contents moved up from the picture `from` to `to`: the
// shift s for which the rows of `to` show what `from` showed s rows lower.
// Only overlaps of at least two text lines that hold more than background
// count. -1 when no shift fits.
int ContentShift(const Picture &from, const Picture &to) {
    const int minOverlap = 26;
    if (from.Empty() || from.width != to.width || from.height != to.height)
        return -1;
    for (int shift = 0; shift <= from.height - minOverlap; ++shift) {
        const int overlap = from.height - shift;
        if (!Uniform(to, 0, overlap) && SameRows(from, shift, to, 0, overlap))
            return shift;
    }
    return -1;
}

// One click on the scroll bar's up or down arrow.
void ScrollLine(HWND box, WORD direction) {
    PostMessageA(box, WM_VSCROLL, direction, 0);
}

TEST_F(Choices, LicencePageKeysScrollOneViewOnlyFromAgree) {
    HWND licence = WalkTo(kLicence);
    ASSERT_NE(nullptr, licence);
    HWND scrollBox = Control(licence, "TScrollBox");
    HWND no = Button(licence, "&No");
    HWND agree = Button(licence, "&Agree");
    ASSERT_TRUE(scrollBox && no && agree);
    RECT client{};
    GetClientRect(scrollBox, &client);
    // One view: the box is 257 pixels high, less its sunken edge.
    EXPECT_EQ(253, client.bottom) << "the scroll box's client height";

    const Picture top = ClientPicture(setup, scrollBox, no);
    ASSERT_FALSE(Uniform(top, 0, top.height)) << "the agreement is not on screen";
    // The scroll bar's arrows move the agreement by a line: the yardstick.
    ScrollLine(scrollBox, SB_LINEDOWN);
    const int line = ContentShift(top, ClientPicture(setup, scrollBox, no));
    ASSERT_GT(line, 0) << "the scroll bar's down arrow did not scroll";
    ScrollLine(scrollBox, SB_LINEUP);
    ASSERT_EQ(0, ContentShift(top, ClientPicture(setup, scrollBox, no)))
        << "the up arrow did not scroll back";

    HWND focus = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (focus = setup.Focus()) == no; }, 5000))
        << "expected the focus on No, found " << (focus ? GetText(focus) : "none");
    SendKey(no, VK_NEXT);
    EXPECT_EQ(0, ContentShift(top, ClientPicture(setup, scrollBox, no)))
        << "Page Down with the focus on No must not scroll";
    ASSERT_TRUE(setup.Running());

    SendKey(no, VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return (focus = setup.Focus()) == agree; }, 5000))
        << "Tab did not move the focus to Agree, found " << (focus ? GetText(focus) : "none");
    SendKey(agree, VK_NEXT);
    const Picture oneView = ClientPicture(setup, scrollBox, no);
    EXPECT_EQ(-1, ContentShift(top, oneView)) << "after Page Down the view must show none of the first one";
    SendKey(agree, VK_NEXT);
    const Picture twoViews = ClientPicture(setup, scrollBox, no);
    EXPECT_NE(oneView.pixels, twoViews.pixels) << "a second Page Down did not scroll";
    SendKey(agree, VK_PRIOR);
    EXPECT_EQ(0, ContentShift(oneView, ClientPicture(setup, scrollBox, no)))
        << "Page Up must scroll back by as much as Page Down scrolled";

    // Where one Page Down led: back up line by line until the first view's
    // rows show again.
    int position = -1;
    for (int lines = 1; lines <= 40 && position < 0; ++lines) {
        ScrollLine(scrollBox, SB_LINEUP);
        const int shift = ContentShift(top, ClientPicture(setup, scrollBox, no));
        if (shift >= 0)
            position = shift + lines * line;
    }
    EXPECT_EQ(253, position) << "Page Down must scroll by one view of the scroll box";

    // Page Up stops at the top.
    for (int i = 0; i < 3; ++i)
        SendKey(agree, VK_PRIOR);
    EXPECT_EQ(0, ContentShift(top, ClientPicture(setup, scrollBox, no))) << "Page Up did not stop at the top";
    EXPECT_TRUE(IsVisible(licence));
    EndWith(licence);
}

// ------------------------------------------------------- 1024 x 768 and shots

// At 1024 x 768 the wizard pages move with the screen but the folder browser
// keeps its own place. The pages of the user's choices are kept as
// screenshots for people to look at.
TEST_F(Choices, At1024TheBrowserKeepsItsPlaceAndThePagesAreShot) {
    const std::string folder = WindowsPath(SCREENSHOT_DIR);
    ASSERT_TRUE(MakeFolders(folder)) << "cannot create " << folder;
    ASSERT_TRUE(SetCurrentDirectoryA(kStart)) << "cannot enter " << kStart;

    HWND licence = WalkTo(kLicence, "Setup1024");
    ASSERT_NE(nullptr, licence);
    Shoot(licence, "choices-licence");
    HWND destination = Forward(licence, kLicence);
    ASSERT_NE(nullptr, destination);
    path = Control(destination, "Edit");
    ASSERT_NE(nullptr, path);
    EXPECT_EQ("(184, 171) 478 x 341", RectText(WindowRect(destination))) << "the destination page";
    Shoot(destination, "choices-destination");

    HWND browser = OpenBrowser(destination);
    ASSERT_NE(nullptr, browser);
    EXPECT_EQ("(156, 106) 478 x 341", RectText(WindowRect(browser))) << "the browser must not be scaled";
    EnterItem(list, IndexOf(list, "Alpha"));
    EXPECT_EQ(kAlphaOpen, WaitView(kAlphaOpen));
    Shoot(browser, "choices-browser");
    CloseWith(browser, "&Ok");

    HWND fileTypes = Forward(destination, kDestination);
    ASSERT_NE(nullptr, fileTypes);
    Shoot(fileTypes, "choices-file-types");
    EndWith(fileTypes);
}

} // namespace
