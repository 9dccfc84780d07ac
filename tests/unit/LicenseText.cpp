#include "controls/LicenseText.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include <oleacc.h>

#include "EngineTestSupport.h"
#include "MessageBoxWatcher.h"
#include "forms/Application.h"
#include "pages/MainWindow.h"
#include "install/InstallState.h"
#include "install/SetupMessage.h"
#include "pages/PathConfirm.h"
#include "pages/Unit2.h"
#include "pages/Unit4.h"
#include "support/Readers.h"
#include "win32/KernelHandle.h"

// RECT has no comparison or printing of its own.
bool operator==(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const RECT &r, std::ostream *out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << " x " << r.bottom << ")";
}

namespace {

std::string ReadText(const std::string &path) {
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// Counts the repaints that the setters ask for.
class TCountingText : public TLicenseText {
  public:
    using TLicenseText::TLicenseText;
    int Repaints = 0;
    void Dispatch(UINT message, WPARAM wParam) override {
        Repaints += message == WM_PAINT && !wParam;
        TLicenseText::Dispatch(message, wParam);
    }
};

TEST(LicenseTextFile, WritesEachDoubledAmpersandAsOneAndReplacesTheFile) {
    TTempFolder folder;
    const std::string path = folder / "License.txt";
    const struct {
        const char *Text, *Written;
    } cases[] = {
        {"&&&&", "&&"}, {"&&&", "&&"}, {"Save & Exit", "Save & Exit"}, {"A && B\r\nC", "A & B\r\nC"}};
    TLicenseText control(nullptr);
    control.SetcText("agreement");
    EXPECT_EQ(0, control.WriteTextFile(path)) << "written without a cTextFile";
    EXPECT_FALSE(FileExists(path));

    control.SetcTextFile("License.txt");
    for (const auto &c : cases) {
        WriteWholeFile(path, std::vector<uint8_t>(64, 'x'));
        control.SetcText(c.Text);
        EXPECT_EQ(1, control.WriteTextFile(path)) << c.Text;
        EXPECT_EQ(c.Written, ReadText(path)) << c.Text;
        // Closed again: nothing keeps the file from being deleted.
        EXPECT_TRUE(DeleteFileA(path.c_str())) << c.Text << ": error " << GetLastError();
    }

    EXPECT_EQ(0, control.WriteTextFile(folder / "missing\\License.txt"));
    EXPECT_EQ("Cannot create file " + (folder / "missing\\License.txt"), TakeRaised());
}

TEST(LicenseTextPaint, TextIsWrappedClearOfTheRightMargin) {
    TLicenseText control(nullptr);
    control.SetBounds(0, 0, 373, 120);
    std::string text;
    for (int i = 0; i < 100; i++)
        text += "to be or not ";
    control.SetcText(text);
    TBitmap bitmap;
    ASSERT_TRUE(bitmap.SetSize(373, 120));
    control.Dispatch(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()));
    int nearEdge = 0, inMargin = 0;
    for (int y = 0; y < 120; y++)
        for (int x = 320; x < 373; x++)
            if (bitmap.Pixel(x, y) != ColorToRGB(clBtnFace))
                (x < 348 ? nearEdge : inMargin)++;
    EXPECT_GT(nearEdge, 0) << "lines were broken well before 348 pixels";
    EXPECT_EQ(0, inMargin) << "pixels drawn in the 25-pixel right margin";
}

// The licence control keeps the size it is given when it is loaded.
TEST(LicenseTextSize, LoadingKeepsTheBounds) {
    TLicenseText licence(nullptr);
    licence.SetBounds(6, 13, 373, 5454);
    licence.Loaded();
    EXPECT_EQ(373, licence.Width());
    EXPECT_EQ(5454, licence.Height());
}

// The title page and the licence page, made the way the setup makes them.
class LicencePage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        new TApplication;
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->CreateForm(Form4);
    }
    static void TearDownTestSuite() { delete Application; }
};

TEST_F(LicencePage, ShippedAgreementFitsItsBoxAndIsWrittenToLicenseTxt) {
    const std::string &text = Form4->LicenseText1->cText();
    TBitmap surface;
    ASSERT_TRUE(surface.SetSize(1, 1));
    TGdiObject font(Form4->LicenseText1->EffectiveFont().Create());
    TSelectObject select(surface.Canvas().Handle(), font.Get());
    RECT rect = {0, 0, 348, 0};
    DrawTextA(surface.Canvas().Handle(), text.c_str(), int(text.size()), &rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_LE(rect.bottom, 5454) << "the wrapped agreement is taller than its box";

    TTempFolder folder;
    InstallDir = folder.Path();
    EXPECT_EQ(1, Form4->LicenseText1->SaveToFile());
    std::string expected = text;
    size_t pairs = 0;
    for (size_t at = 0; (at = expected.find("&&", at)) != std::string::npos; at++, pairs++)
        expected.erase(at, 1);
    const std::string written = ReadText(folder / "License.txt");
    EXPECT_EQ(text.size() - pairs, written.size());
    EXPECT_EQ(expected, written);
}

// License.txt cannot be made (held open): Finish shows the file stream's
// error and stops at the licence, with no failure page and nothing unpacked.
TEST_F(LicencePage, AFileErrorEndsFinishAtTheDisplay) {
    TTempFolder folder;
    const std::string dir = folder / "Vantorelle";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    TKernelHandle held(CreateFileA((dir + "\\License.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.Valid());
    ASSERT_TRUE(Application->CreateForm(PathConfirmA));
    PathConfirmA->ActualPathEdit->SetText(dir);

    MessageBoxWatcher watcher;
    PathConfirmA->Finish->Click();
    EXPECT_EQ(std::vector<std::string>{"Cannot create file " + dir + "\\License.txt."}, watcher.Texts());
    EXPECT_EQ(nullptr, Form2) << "a failure page after the file error";
    EXPECT_FALSE(DirectoryExists(dir + "\\Images")) << "the payload was unpacked after the file error";
    EXPECT_EQ(nullptr, InstallDirBuffer);
}

TEST_F(LicencePage, ExpandModesFitTheControlToTheScrollBox) {
    TLicenseText *shipped = Form4->LicenseText1;
    EXPECT_EQ(expNone, shipped->cExpand());
    EXPECT_EQ((RECT{6, 13, 373, 5454}),
              (RECT{shipped->Left(), shipped->Top(), shipped->Width(), shipped->Height()}));

    RECT box;
    GetClientRect(Form4->ScrollBox1->Handle(), &box);
    const struct {
        TExpandMode Mode;
        RECT Bounds; // left, top, width, height
    } cases[] = {{expFully, {0, 0, box.right, box.bottom}},
                 {expHorizontally, {0, 13, box.right, 5454}},
                 {expVertically, {6, 0, 373, box.bottom}}};
    for (const auto &c : cases) {
        TCountingText control(Form4);
        control.SetParent(Form4->ScrollBox1);
        control.SetcExpand(expNone);
        control.SetBounds(6, 13, 373, 5454);
        control.Repaints = 0;
        control.SetcExpand(c.Mode);
        auto bounds = [&] { return RECT{control.Left(), control.Top(), control.Width(), control.Height()}; };
        EXPECT_EQ(c.Bounds, bounds()) << "mode " << int(c.Mode);
        EXPECT_EQ(1, control.Repaints) << "mode " << int(c.Mode);

        // The same mode again changes nothing; cnApperance always lays out anew.
        control.SetBounds(6, 13, 373, 5454);
        control.SetcExpand(c.Mode);
        EXPECT_EQ((RECT{6, 13, 373, 5454}), bounds()) << "mode " << int(c.Mode);
        EXPECT_EQ(1, control.Repaints) << "mode " << int(c.Mode);
        control.SetcnApperance(false);
        EXPECT_EQ(c.Bounds, bounds()) << "mode " << int(c.Mode);
        EXPECT_EQ(2, control.Repaints) << "mode " << int(c.Mode);
    }
}

// A screen reader reads the whole agreement, as it is shown, in the scroll box.
TEST_F(LicencePage, ReadersGetTheAgreementAsReadOnlyText) {
    std::vector<readers::AccessibleChild> children = readers::ReadAccessible(Form4->ScrollBox1->Handle());
    ASSERT_EQ(1u, children.size());
    const readers::AccessibleChild &text = children[0];
    EXPECT_FALSE(text.object);
    EXPECT_EQ(ROLE_SYSTEM_TEXT, text.role);
    EXPECT_EQ(STATE_SYSTEM_READONLY, text.state);
    EXPECT_EQ("VANTORELLE", text.name);
    EXPECT_EQ(0u,
              text.value.find("VANTORELLE\r\nEND-USER LICENSE AGREEMENT\r\n\r\nPlease read this agreement"));
    const std::string end = "UNDERSTAND IT, AND THAT YOU AGREE TO BE\r\nBOUND BY ITS TERMS & CONDITIONS.";
    EXPECT_EQ(text.value.size() - end.size(), text.value.rfind(end)) << "\"&&\" reads \"&\"";
    EXPECT_EQ(std::string::npos, text.value.find("&&"));
    EXPECT_EQ(373, text.location.right);
    EXPECT_EQ(5454, text.location.bottom);
}

} // namespace
