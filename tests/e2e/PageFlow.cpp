// The page sequence of Setup.exe, worked from outside as a person would:
// every move between the pages that needs no install, the ways the program
// ends, the exit confirmation, the backdrop's raising of the current page and
// where the pages stand on screens of different widths.
#include "SetupTest.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "support/Readers.h"

using namespace e2e;

namespace {

std::string Geometry(int left, int top, int width, int height) {
    return RectText(RECT{left, top, left + width, top + height});
}

BOOL CALLBACK DescribeChild(HWND hwnd, LPARAM param) {
    auto *out = reinterpret_cast<std::string *>(param);
    std::string cls = ClassOf(hwnd);
    *out += cls + " \"" + GetText(hwnd) + "\"" + (IsVisible(hwnd) ? "" : " hidden");
    if (cls == "Button" && IsChecked(hwnd))
        *out += " ticked";
    *out += "\n";
    return TRUE;
}

// Everything of a page that a person can see from outside: where it stands,
// whether it shows, and the texts and ticks of its controls.
std::string PageState(HWND page) {
    std::string state = RectText(WindowRect(page)) + (IsVisible(page) ? " visible\n" : " hidden\n");
    EnumChildWindows(page, DescribeChild, reinterpret_cast<LPARAM>(&state));
    return state;
}

class PageFlow : public SetupTest {
  protected:
    // A program told to quit handles nothing posted to it after that: a
    // state change posted now to one of the page's buttons, handled, shows
    // that the program goes on.
    void ExpectStillRunning(HWND page, const char *button) {
        EXPECT_TRUE(PostedHandled(Button(page, button))) << "the program ended or stopped answering";
        EXPECT_TRUE(setup.Running()) << "the program ended";
    }

    void ExpectDefaultTicks(HWND page) {
        for (const TypeBox &box : kTypeBoxes) {
            HWND check = Button(page, box.caption);
            if (check != nullptr) {
                EXPECT_EQ(box.ticked, IsChecked(check)) << box.caption;
            }
        }
    }
};

TEST_F(PageFlow, ForwardMovesShowTheNextPageAndHideOrFreeTheLastOne) {
    HWND title = Start();
    ASSERT_NE(nullptr, title);
    HWND titleNext = Button(title, "&Next");
    HWND titleCancel = Button(title, "&Cancel");
    ASSERT_NE(nullptr, titleCancel);

    // The title page stays as the backdrop and only hides its own buttons.
    HWND welcome = Forward(title, kTitle);
    ASSERT_NE(nullptr, welcome);
    EXPECT_TRUE(WaitFor([&] { return !IsVisible(titleNext) && !IsVisible(titleCancel); }, 5000))
        << "the title page's Next and Cancel are still visible";
    EXPECT_TRUE(IsVisible(title));

    // The welcome page is freed, the licence page only hidden.
    HWND licence = Forward(welcome, kWelcome);
    ASSERT_NE(nullptr, licence);
    EXPECT_TRUE(setup.WaitDestroyed(welcome)) << setup.LastError();
    HWND destination = Forward(licence, kLicence);
    ASSERT_NE(nullptr, destination);
    EXPECT_TRUE(IsWindow(licence)) << "the licence page was destroyed; it must live on hidden";
    HWND path = Control(destination, "Edit");
    ASSERT_NE(nullptr, path);
    EXPECT_EQ(kDefaultFolder, GetText(path));

    HWND fileTypes = Forward(destination, kDestination);
    ASSERT_NE(nullptr, fileTypes);
    EXPECT_TRUE(IsWindow(destination));
    ExpectDefaultTicks(fileTypes);

    HWND confirmation = Forward(fileTypes, kFileTypes);
    ASSERT_NE(nullptr, confirmation);
    EXPECT_TRUE(IsWindow(fileTypes));
    HWND actualPath = Control(confirmation, "Edit");
    ASSERT_NE(nullptr, actualPath);
    EXPECT_EQ(kDefaultFolder, GetText(actualPath));
    EXPECT_NE(nullptr, Button(confirmation, "&Finish"));

    EXPECT_TRUE(IsVisible(title)) << "the backdrop left the screen";
    CloseBox(confirmation);
    ExpectEndsWithZero();
}

TEST_F(PageFlow, BackFromFileTypesShowsTheSameDestinationAndNextMakesAFreshFileTypePage) {
    HWND fileTypes = WalkTo(kFileTypes);
    ASSERT_NE(nullptr, fileTypes);
    std::vector<HWND> destinations = setup.AllWindows("TPathA");
    ASSERT_EQ(1u, destinations.size());
    HWND destination = destinations.front();
    SetChecked(Button(fileTypes, "&JPEG Files (.jpg)"), false);
    SetChecked(Button(fileTypes, "&Bitmap Files (.bmp)"), true);

    Click(Button(fileTypes, "&Back"));
    EXPECT_EQ(destination, setup.WaitWindow("TPathA"))
        << "Back must show the destination page that was hidden";
    EXPECT_TRUE(setup.WaitHidden(fileTypes)) << setup.LastError();
    EXPECT_EQ(kDefaultFolder, GetText(Control(destination, "Edit")));

    HWND fresh = Forward(destination, kDestination);
    ASSERT_NE(nullptr, fresh);
    EXPECT_NE(fileTypes, fresh) << "Next must make a new file-type page";
    ExpectDefaultTicks(fresh);
    EXPECT_TRUE(IsWindow(fileTypes)) << "the page left with Back lives on hidden";
    EXPECT_FALSE(IsVisible(fileTypes));
    EXPECT_EQ(2u, setup.AllWindows("TExtensionsA").size());

    CloseBox(fresh);
    ExpectEndsWithZero();
}

TEST_F(PageFlow, BackFromConfirmationFreesItKeepsTheTicksAndNextReadsThePathAfresh) {
    HWND fileTypes = WalkTo(kFileTypes);
    ASSERT_NE(nullptr, fileTypes);
    SetChecked(Button(fileTypes, "&Bitmap Files (.bmp)"), true);
    SetChecked(Button(fileTypes, "&MP3 Files (.mp3)"), false);

    HWND confirmation = Forward(fileTypes, kFileTypes);
    ASSERT_NE(nullptr, confirmation);
    Click(Button(confirmation, "&Back"));
    EXPECT_EQ(fileTypes, setup.WaitWindow("TExtensionsA", "Files Extensions"));
    EXPECT_TRUE(setup.WaitDestroyed(confirmation)) << "Back must free the confirmation page";
    EXPECT_TRUE(IsChecked(Button(fileTypes, "&Bitmap Files (.bmp)")));
    EXPECT_FALSE(IsChecked(Button(fileTypes, "&MP3 Files (.mp3)")));

    // A new destination typed in reaches the next confirmation page, which
    // adds the product's folder.
    Click(Button(fileTypes, "&Back"));
    HWND destination = Page(kDestination);
    ASSERT_NE(nullptr, destination);
    SetText(Control(destination, "Edit"), "D:\\Games");
    HWND fresh = Forward(Forward(destination, kDestination), kFileTypes);
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ("D:\\Games\\Vantorelle", GetText(Control(fresh, "Edit")));
    EXPECT_EQ(1u, setup.AllWindows("TPathConfirmA").size());

    CloseBox(fresh);
    ExpectEndsWithZero();
}

// Cancel, No and the close box end the program at once, without a question:
// a question would keep it running past the wait.
struct Ending {
    const char *name;
    Stage stage;
    const char *button; // null: the window's close box
};

class EndsAtOnce : public PageFlow, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndsAtOnce, WithExitCodeZero) {
    HWND page = WalkTo(GetParam().stage);
    ASSERT_NE(nullptr, page);
    if (GetParam().button != nullptr) {
        HWND button = Button(page, GetParam().button);
        ASSERT_NE(nullptr, button);
        Click(button);
    } else {
        CloseBox(page);
    }
    ExpectEndsWithZero();
}

INSTANTIATE_TEST_SUITE_P(Pages, EndsAtOnce,
                         ::testing::Values(Ending{"TitleCancel", kTitle, "&Cancel"},
                                           Ending{"WelcomeCancel", kWelcome, "&Cancel"},
                                           Ending{"WelcomeCloseBox", kWelcome, nullptr},
                                           Ending{"LicenceNo", kLicence, "&No"},
                                           Ending{"LicenceCloseBox", kLicence, nullptr},
                                           Ending{"DestinationCloseBox", kDestination, nullptr},
                                           Ending{"FileTypesCloseBox", kFileTypes, nullptr},
                                           Ending{"ConfirmationCloseBox", kConfirmation, nullptr}),
                         [](const ::testing::TestParamInfo<Ending> &info) { return info.param.name; });

// The Exit Setup buttons ask first: No and the dialog's close box leave the
// page as it was, Exit ends the program.
struct ExitButton {
    const char *name;
    Stage stage;
    const char *button;
};

class ExitSetupAsks : public PageFlow, public ::testing::WithParamInterface<ExitButton> {};

TEST_P(ExitSetupAsks, NoAndCloseBoxStayExitEnds) {
    HWND page = WalkTo(GetParam().stage);
    ASSERT_NE(nullptr, page);
    if (GetParam().stage == kFileTypes)
        SetChecked(Button(page, "&RealMedia Files (.ra .rm)"), true);
    setup.WaitIdle(2000);
    const std::string before = PageState(page);

    // No, then the dialog's close box.
    for (const char *way : {"&No", static_cast<const char *>(nullptr)}) {
        HWND dialog = OpenExitConfirmation(page, GetParam().button);
        ASSERT_NE(nullptr, dialog);
        if (way != nullptr) {
            ASSERT_NE(nullptr, Button(dialog, "&No"));
            EXPECT_NE(nullptr, Button(dialog, "&Exit"));
        }
        CloseWith(dialog, way);
        ExpectStillRunning(page, GetParam().button);
        EXPECT_EQ(before, PageState(page)) << (way ? "No" : "the dialog's close box") << " changed the page";
    }

    HWND dialog = OpenExitConfirmation(page, GetParam().button);
    ASSERT_NE(nullptr, dialog);
    Click(Button(dialog, "&Exit"));
    ExpectEndsWithZero();
}

INSTANTIATE_TEST_SUITE_P(Pages, ExitSetupAsks,
                         ::testing::Values(ExitButton{"Destination", kDestination, "&Exit Setup"},
                                           ExitButton{"FileTypes", kFileTypes, "&Exit Setup"},
                                           ExitButton{"Confirmation", kConfirmation, "&ExitSetup"}),
                         [](const ::testing::TestParamInfo<ExitButton> &info) { return info.param.name; });

TEST_F(PageFlow, EnterOnTheExitConfirmationChoosesNo) {
    HWND page = WalkTo(kDestination);
    ASSERT_NE(nullptr, page);
    HWND dialog = OpenExitConfirmation(page, "&Exit Setup");
    ASSERT_NE(nullptr, dialog);
    HWND no = Button(dialog, "&No");
    ASSERT_NE(nullptr, no);
    // No comes first in tab order, so it has the focus when the dialog opens.
    HWND focus = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (focus = setup.Focus()) == no; }, 5000))
        << "expected the focus on No, found "
        << (focus ? ClassOf(focus) + " \"" + GetText(focus) + "\"" : "none");
    ASSERT_NE(nullptr, focus);

    SendKey(focus, VK_RETURN);
    EXPECT_TRUE(setup.WaitDestroyed(dialog)) << "Enter did not close the exit confirmation";
    ExpectStillRunning(page, "&Exit Setup");
    EXPECT_TRUE(IsVisible(page));

    CloseBox(page);
    ExpectEndsWithZero();
}

TEST_F(PageFlow, ActivatingTheBackdropRaisesTheCurrentPage) {
    HWND title = Start();
    ASSERT_NE(nullptr, title);
    // With only the backdrop on screen there is nothing to raise.
    setup.Activate(title);
    ExpectStillRunning(title, "&Next");

    HWND page = title;
    for (int s = kWelcome; s <= kConfirmation; ++s) {
        const char *name = kPages[s].className;
        page = Forward(page, static_cast<Stage>(s - 1));
        ASSERT_NE(nullptr, page);
        ASSERT_TRUE(setup.Activate(title)) << name << ": " << setup.LastError();
        EXPECT_TRUE(WaitFor([&] { return IsTopmost(page); }, 5000)) << name << " was not made topmost";
        EXPECT_TRUE(IsVisible(page)) << name;
        EXPECT_TRUE(IsAbove(page, title)) << name << " lies under the backdrop";
    }
    CloseBox(page);
    ExpectEndsWithZero();
}

TEST_F(PageFlow, ExitConfirmationOpensAboveARaisedPage) {
    HWND page = WalkTo(kDestination);
    ASSERT_NE(nullptr, page);
    HWND title = setup.FindPage("TForm1");
    ASSERT_TRUE(setup.Activate(title)) << setup.LastError();
    ASSERT_TRUE(WaitFor([&] { return IsTopmost(page); }, 5000))
        << "the destination page was not made topmost";

    HWND dialog = OpenExitConfirmation(page, "&Exit Setup");
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsAbove(dialog, page)) << "the exit confirmation opened under the topmost page";
    Click(Button(dialog, "&Exit"));
    ExpectEndsWithZero();
}

// Where the pages stand: every wizard page is placed at (156, 106) and moved
// for the screen width; the exit confirmation keeps its designed place.
struct Screen {
    const char *desktop;
    int pageLeft, pageTop;
    bool titleButtonsKnown;
    int nextLeft, nextTop, cancelLeft, cancelTop;
};

class PagePositions : public PageFlow, public ::testing::WithParamInterface<Screen> {};

TEST_P(PagePositions, FollowTheScreenWidth) {
    const Screen &screen = GetParam();
    HWND title = Start(screen.desktop);
    ASSERT_NE(nullptr, title);
    if (screen.titleButtonsKnown) {
        HWND next = Button(title, "&Next");
        HWND cancel = Button(title, "&Cancel");
        ASSERT_NE(nullptr, cancel);
        EXPECT_EQ(Geometry(screen.nextLeft, screen.nextTop, 75, 25), RectText(ChildRect(next)))
            << "title Next";
        EXPECT_EQ(Geometry(screen.cancelLeft, screen.cancelTop, 75, 25), RectText(ChildRect(cancel)))
            << "title Cancel";
    }

    const std::string expected = Geometry(screen.pageLeft, screen.pageTop, 478, 341);
    HWND page = title;
    for (int s = kWelcome; s <= kConfirmation; ++s) {
        page = Forward(page, static_cast<Stage>(s - 1));
        ASSERT_NE(nullptr, page);
        EXPECT_EQ(expected, RectText(WindowRect(page))) << kPages[s].className;
        if (s == kDestination) {
            HWND dialog = OpenExitConfirmation(page, "&Exit Setup");
            ASSERT_NE(nullptr, dialog);
            EXPECT_EQ(Geometry(200, 104, 311, 156), RectText(WindowRect(dialog))) << "exit confirmation";
            ASSERT_TRUE(CloseWith(dialog, "&No"));
        }
    }
    CloseBox(page);
    ExpectEndsWithZero();
}

INSTANTIATE_TEST_SUITE_P(Screens, PagePositions,
                         ::testing::Values(Screen{"Setup800", 156, 106, true, 496, 464, 608, 464},
                                           Screen{"Setup1024", 184, 171, true, 589, 579, 732, 579},
                                           Screen{"Setup640", 145, 91, false, 0, 0, 0, 0}),
                         [](const ::testing::TestParamInfo<Screen> &info) {
                             return std::string(info.param.desktop);
                         });

// A screen reader in another process reads the texts that the pages paint:
// the welcome sentence, the whole licence agreement and the exit question.
TEST_F(PageFlow, AScreenReaderInAnotherProcessReadsThePagesTexts) {
    HWND welcome = WalkTo(kWelcome);
    ASSERT_NE(nullptr, welcome);
    std::string name;
    std::vector<readers::AccessibleChild> children = readers::ReadAccessible(welcome, &name);
    EXPECT_EQ("Software Installation", name);
    ASSERT_EQ(3u, children.size()) << "two buttons and the welcome sentence";
    EXPECT_TRUE(children[0].object);
    EXPECT_EQ("Welcome to an installation of Vantorelle program.", children[2].name);
    EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, children[2].role);
    EXPECT_EQ(WindowRect(welcome).left + 153 + GetSystemMetrics(SM_CXFRAME), children[2].location.left);

    HWND licence = Forward(welcome, kWelcome);
    ASSERT_NE(nullptr, licence);
    HWND box = Control(licence, "TScrollBox");
    ASSERT_NE(nullptr, box);
    children = readers::ReadAccessible(box);
    ASSERT_EQ(1u, children.size());
    EXPECT_EQ(ROLE_SYSTEM_TEXT, children[0].role);
    EXPECT_EQ(STATE_SYSTEM_READONLY, children[0].state);
    EXPECT_EQ("VANTORELLE", children[0].name);
    const std::string end = "BOUND BY ITS TERMS & CONDITIONS.";
    EXPECT_EQ(children[0].value.size() - end.size(), children[0].value.rfind(end));

    HWND destination = Forward(licence, kLicence);
    ASSERT_NE(nullptr, destination);
    HWND confirmation = OpenExitConfirmation(destination, "&Exit Setup");
    ASSERT_NE(nullptr, confirmation);
    children = readers::ReadAccessible(confirmation, &name);
    EXPECT_EQ("Software Installation", name);
    ASSERT_EQ(3u, children.size());
    EXPECT_EQ("Do you really want to exit Setup? ", children[2].name);
    ASSERT_TRUE(CloseWith(confirmation, "&No"));
    EndWith(destination);
}

} // namespace
