#include "controls/LicenseText.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "forms/Application.h"
#include "forms/Exceptions.h"
#include "forms/PackedResource.h"
#include "pages/MainWindow.h"
#include "pages/PathConfirm.h"
#include "pages/Unit4.h"

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

    try {
        control.WriteTextFile(folder / "missing\\License.txt");
        ADD_FAILURE() << "expected EFCreateError, nothing was raised";
    } catch (const EFCreateError &e) {
        EXPECT_EQ("Cannot create file " + (folder / "missing\\License.txt"), e.what());
    }
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

// The size of a text in a font as GDI gives it: one line, no wrapping.
SIZE TextSize(const TFont &font, const std::string &text, int *lineHeight) {
    HDC dc = GetDC(nullptr);
    TGdiObject handle(font.Create());
    HGDIOBJ old = SelectObject(dc, handle.Get());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    *lineHeight = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

// Labels fit themselves to their text once loaded and whenever the text
// changes; their place stays, and the licence control never resizes.
// The file-type page's picture is carried packed: it must come out as the
// picture that LoadImage makes of the bitmap file the build drew, in format,
// colours and pixels. A missing one is null, as LoadImage's.
TEST(PackedPicture, IsTheBitmapFileAsLoadImageMakesIt) {
    TGdiObject packed(LoadPackedBitmap("EXTENSIONS"));
    TGdiObject file(LoadImageA(nullptr, "Z:" PAYLOAD_DIR "/Extensions.bmp", IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, packed.Get());
    ASSERT_NE(nullptr, file.Get());
    DIBSECTION got, expected;
    ASSERT_EQ(int(sizeof(got)), GetObjectA(packed.Get(), sizeof(got), &got));
    ASSERT_EQ(int(sizeof(expected)), GetObjectA(file.Get(), sizeof(expected), &expected));
    EXPECT_EQ(0, std::memcmp(&expected.dsBmih, &got.dsBmih, sizeof(got.dsBmih)));
    ASSERT_EQ(expected.dsBm.bmWidthBytes * expected.dsBm.bmHeight, got.dsBm.bmWidthBytes * got.dsBm.bmHeight);
    EXPECT_EQ(0,
              std::memcmp(expected.dsBm.bmBits, got.dsBm.bmBits, got.dsBm.bmWidthBytes * got.dsBm.bmHeight));

    RGBQUAD colours[2][256];
    UINT counts[2];
    for (int i = 0; i < 2; i++) {
        TMemoryDC dc(nullptr);
        TSelectObject select(dc.Get(), (i ? file : packed).Get());
        counts[i] = GetDIBColorTable(dc.Get(), 0, 256, colours[i]);
    }
    EXPECT_EQ(counts[1], counts[0]);
    EXPECT_EQ(0, std::memcmp(colours[1], colours[0], counts[1] * sizeof(RGBQUAD)));

    EXPECT_EQ(nullptr, LoadPackedBitmap("NOSUCHPICTURE"));
}

// Numbers of the form data are whole ints; anything else is the loader's
// "bad value".
TEST(NumberAttributes, TakeWholeIntsAndRefuseTheRest) {
    TLabel label(nullptr);
    ASSERT_TRUE(label.SetAttribute("fontheight", "-13"));
    EXPECT_EQ(-13, label.Font.Height);
    for (const char *bad : {"", "x", "12abc", "99999999999"}) {
        try {
            label.SetAttribute("tab", bad);
            ADD_FAILURE() << "'" << bad << "' was taken";
        } catch (const EToolkitError &e) {
            EXPECT_STREQ("bad value", e.what()) << bad;
        }
    }
}

TEST(LabelSize, FitsTheTextKeepsThePlaceAndFixedSizesStay) {
    int line = 0;
    TLabel folders(nullptr);
    folders.SetBounds(24, 51, 37, 13);
    folders.SetCaption("Folders:");
    EXPECT_EQ(37, folders.Width()) << "no sizing before the form data is loaded";
    folders.Loaded();
    SIZE text = TextSize(folders.Font, "Folders:", &line);
    EXPECT_EQ(RECT({24, 51, 24 + text.cx, 51 + line}),
              RECT({folders.Left(), folders.Top(), folders.Left() + folders.Width(),
                    folders.Top() + folders.Height()}));
    folders.SetCaption("C:\\Program Files\\Vantorelle");
    EXPECT_EQ(TextSize(folders.Font, "C:\\Program Files\\Vantorelle", &line).cx, folders.Width())
        << "refitted";
    folders.SetCaption("");
    EXPECT_EQ(line, folders.Height()) << "an empty label keeps one line's height";

    TLabel wrapping(nullptr);
    wrapping.Font.Height = -13;
    wrapping.SetBounds(22, 59, 299, 20);
    ASSERT_TRUE(wrapping.SetAttribute("wrap", ""));
    wrapping.SetCaption("Free images, graphic compositions, new versions and updates are at ");
    wrapping.Loaded();
    TextSize(wrapping.Font, "x", &line);
    EXPECT_EQ(299, wrapping.Width()) << "a wrapping label keeps its width";
    EXPECT_EQ(2 * line, wrapping.Height()) << "and takes the height of its two lines";

    TLabel fixed(nullptr);
    fixed.SetBounds(177, 109, 113, 29);
    ASSERT_TRUE(fixed.SetAttribute("autosize", "false"));
    fixed.SetCaption("(you can leave it for your graphics editor)");
    fixed.Loaded();
    fixed.SetCaption("(you can leave it)");
    EXPECT_EQ(113, fixed.Width());
    EXPECT_EQ(29, fixed.Height());

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

} // namespace
