// The confirmation page: the install folder's normal form and the progress
// gauge that the extraction drives.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PageTest.h"
#include "forms/Application.h"
#include "install/InstallState.h"
#include "pages/PathConfirm.h"

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

} // namespace
