// The confirmation page: the install folder's normal form and the progress
// gauge that the extraction drives.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <oleacc.h>

#include "PageTest.h"
#include "forms/Application.h"
#include "install/InstallState.h"
#include "pages/PathConfirm.h"
#include "support/Readers.h"
#include "win32/CurrentDirectory.h"
#include "win32/Com.h"

namespace {

TEST(NormalizePath, EndsInTheProductNameOnce) {
    EXPECT_EQ("C:\\Program Files\\Vantorelle", TPathConfirmA::NormalizePath("C:\\Program Files"));
    EXPECT_EQ("C:\\Program Files\\Vantorelle",
              TPathConfirmA::NormalizePath("C:\\Program Files\\Vantorelle\\"));
    EXPECT_EQ("D:\\Apps\\MyVantorelle", TPathConfirmA::NormalizePath("D:\\Apps\\MyVantorelle"));
    EXPECT_EQ("D:\\vantorelle\\Vantorelle", TPathConfirmA::NormalizePath("D:\\vantorelle"));
    EXPECT_EQ("C:\\Vantorelle", TPathConfirmA::NormalizePath("C:\\"));
    EXPECT_EQ("C:\\Games\\Vantorelle", TPathConfirmA::NormalizePath("C:\\Games  "));
    EXPECT_EQ("\\Vantorelle", TPathConfirmA::NormalizePath(""));
    // Normalising twice changes nothing more.
    EXPECT_EQ("C:\\Games\\Vantorelle",
              TPathConfirmA::NormalizePath(TPathConfirmA::NormalizePath("C:\\Games")));
}

// The install folder is a full path whatever the folder text: the empty text
// that the browser gives for drive a is the current drive's \Vantorelle.
TEST(NormalizePath, InstallDirIsTheFullPath) {
    TCurrentDirectoryKeeper keeper;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    EXPECT_EQ("C:\\Vantorelle", TPathConfirmA::InstallDirFor(""));
    EXPECT_EQ("C:\\Program Files\\Vantorelle", TPathConfirmA::InstallDirFor("C:\\Program Files\\"));
    EXPECT_EQ("C:\\Apps\\Vantorelle", TPathConfirmA::InstallDirFor("C:\\Games\\..\\Apps"));
    EXPECT_EQ("C:\\windows\\Games\\Vantorelle", TPathConfirmA::InstallDirFor("Games"));
}

// ------------------------------------------------------------------ gauge

class Gauge : public PageTest<TPathConfirmA, PathConfirmA> {
  protected:
    COLORREF Pixel(int x, int y) { return page->ProgressBitmap->Pixel(x, y); }
};

const COLORREF Fuchsia = RGB(255, 0, 255);
const COLORREF LightBlue = RGB(128, 128, 255);
const COLORREF Black = RGB(0, 0, 0);
const COLORREF Green = RGB(0, 192, 128);
const COLORREF White = RGB(255, 255, 255);

TEST_F(Gauge, StartsFilledWithThePanelColour) {
    EXPECT_EQ(170, page->ProgressBitmap->Width());
    EXPECT_EQ(42, page->ProgressBitmap->Height());
    EXPECT_EQ(Green, Pixel(0, 0));
    EXPECT_EQ(Green, Pixel(169, 41));
}

TEST_F(Gauge, AtZeroThePieIsAWholeLightBlueEllipse) {
    DrawProgress("", 0.0f);
    EXPECT_EQ(LightBlue, Pixel(84, 6)) << "no wedge at the top";
    EXPECT_EQ(LightBlue, Pixel(5, 20));
    EXPECT_EQ(LightBlue, Pixel(165, 20));
    EXPECT_EQ(Green, Pixel(85, 41)) << "inner ellipse";
}

TEST_F(Gauge, TheWedgeWidensWithTheFraction) {
    DrawProgress("", 0.25f);
    EXPECT_EQ(Fuchsia, Pixel(84, 5)) << "wedge between (49, 4) and (119, 4)";
    EXPECT_EQ(Black, Pixel(30, 12)) << "pie left of the wedge";
    EXPECT_EQ(Black, Pixel(140, 12));

    DrawProgress("", 0.5f);
    EXPECT_EQ(Fuchsia, Pixel(40, 12)) << "wedge between (18, 10) and (150, 10)";
    EXPECT_EQ(Black, Pixel(5, 20));
    EXPECT_EQ(Black, Pixel(165, 20));

    DrawProgress("", 0.75f);
    EXPECT_EQ(Fuchsia, Pixel(10, 16)) << "wedge between (-5, 19) and (173, 19)";
    EXPECT_EQ(Black, Pixel(2, 30));

    DrawProgress("", 1.0f);
    EXPECT_EQ(Fuchsia, Pixel(3, 24)) << "wedge between (-17, 30) and (185, 30)";
    EXPECT_EQ(Green, Pixel(85, 41));
}

TEST_F(Gauge, TinyFractionsDrawAWholeBlackPie) {
    // 0.005 puts the points (83, 2) and (85, 2) less than 3 pixels apart: no wedge yet.
    DrawProgress("", 0.005f);
    EXPECT_EQ(Black, Pixel(84, 5));
    EXPECT_EQ(Black, Pixel(5, 20));
}

TEST_F(Gauge, TheTextIsWhiteOnTheInnerEllipse) {
    DrawProgress("", 0.5f);
    int whiteBefore = 0;
    for (int y = 27; y < 40; y++)
        for (int x = 48; x < 120; x++)
            whiteBefore += Pixel(x, y) == White;
    EXPECT_EQ(0, whiteBefore);

    DrawProgress("Vantorelle.exe", 0.5f);
    int white = 0, green = 0;
    for (int y = 27; y < 40; y++)
        for (int x = 48; x < 120; x++) {
            white += Pixel(x, y) == White;
            green += Pixel(x, y) == Green;
        }
    EXPECT_GT(white, 20);
    EXPECT_GT(green, 20) << "opaque text on the inner ellipse's colour";
}

TEST_F(Gauge, ProgressWithoutPayloadBytesStaysAtZero) {
    PayloadTotalBytes = 0;
    PayloadDoneBytes = 0;
    ExtractStartTick = SetupTickCount();
    ExtractProgress(nullptr, "", "Vantorelle.exe", 0.5f, 10, 10, 10, 10);
    EXPECT_EQ(10u, PayloadDoneBytes);
    EXPECT_EQ(LightBlue, Pixel(84, 6)) << "fraction 0, not NaN";
}

// ----------------------------------------------------------- screen reader

// The page's texts, read as a screen reader reads them: simple elements after
// the child windows, in the order they are painted.
class Reader : public PageTest<TPathConfirmA, PathConfirmA> {
  protected:
    static VARIANT Id(long id) {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    }
    // The name changes that screen readers are told of (hwnd, object, child).
    static std::vector<std::vector<LONG_PTR>> Changes;
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
        Changes.push_back({reinterpret_cast<LONG_PTR>(window), object, child});
    }
};
std::vector<std::vector<LONG_PTR>> Reader::Changes;

TEST_F(Reader, LabelsAreStaticTextsAfterTheChildWindows) {
    page->Show();
    std::string name;
    auto children = readers::ReadAccessible(page->Handle(), &name);
    EXPECT_EQ("Software Installation", name) << "the page's name stays its caption";
    // The edit box, the panel and three buttons, then the two labels.
    ASSERT_EQ(7u, children.size());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(children[i].object) << i;
    // A button keeps what the system gives it (its window's client object).
    std::string button;
    readers::ReadAccessible(page->Finish->Handle(), &button);
    EXPECT_EQ("Finish", button);
    const char *texts[] = {"The program Vantorelle will be installed in directory:",
                           "Note that all existing files in this directory will be deleted."};
    TLabel *labels[] = {page->Label1, page->Label3};
    for (int i = 0; i < 2; ++i) {
        const readers::AccessibleChild &text = children[5 + i];
        EXPECT_FALSE(text.object);
        EXPECT_EQ(texts[i], text.name);
        EXPECT_EQ("", text.value);
        EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, text.role);
        EXPECT_EQ(STATE_SYSTEM_READONLY, text.state);
        POINT corner = {labels[i]->Left(), labels[i]->Top()};
        ClientToScreen(page->Handle(), &corner);
        EXPECT_EQ(corner.x, text.location.left);
        EXPECT_EQ(corner.y, text.location.top);
        EXPECT_EQ(labels[i]->Width(), text.location.right);
        EXPECT_EQ(labels[i]->Height(), text.location.bottom);
    }

    // The client object finds a text under the pointer and walks from one to the next.
    TComPtr<IAccessible> client;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(page->Handle(), OBJID_CLIENT, IID_IAccessible, client.Out()));
    VARIANT found;
    EXPECT_EQ(S_OK, client->accHitTest(children[6].location.left + 5, children[6].location.top + 5, &found));
    EXPECT_EQ(VT_I4, found.vt);
    EXPECT_EQ(7, found.lVal);
    EXPECT_EQ(S_OK, client->accNavigate(NAVDIR_NEXT, Id(6), &found));
    EXPECT_EQ(7, found.lVal);
    EXPECT_EQ(S_FALSE, client->accNavigate(NAVDIR_NEXT, Id(7), &found));
    EXPECT_EQ(S_OK, client->accNavigate(NAVDIR_LASTCHILD, Id(CHILDID_SELF), &found));
    EXPECT_EQ(7, found.lVal);
    HWND window = nullptr;
    EXPECT_EQ(S_OK, WindowFromAccessibleObject(client.Get(), &window));
    EXPECT_EQ(page->Handle(), window) << "the object names its window";
    IDispatch *none = nullptr;
    EXPECT_EQ(S_FALSE, client->get_accChild(Id(6), &none));
    EXPECT_EQ(nullptr, none);
    BSTR text = nullptr;
    EXPECT_EQ(E_INVALIDARG, client->get_accName(Id(8), &text));

    // A changed text is announced as that element's new name, "&&" read as "&".
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Hook,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    Changes.clear();
    page->Label3->SetCaption("Files && folders &here");
    MSG message;
    for (int i = 0; i < 20 && Changes.empty(); ++i, Sleep(10))
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    UnhookWinEvent(hook);
    std::vector<std::vector<LONG_PTR>> expected = {
        {reinterpret_cast<LONG_PTR>(page->Handle()), OBJID_CLIENT, 7}};
    EXPECT_EQ(expected, Changes);
    EXPECT_EQ("Files & folders here", readers::ReadAccessible(page->Handle())[6].name);

    // An object kept after its page is gone answers that it is disconnected.
    page.reset();
    PathConfirmA = nullptr;
    long count = -1;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, client->get_accChildCount(&count));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, client->get_accName(Id(6), &text));
}

} // namespace
