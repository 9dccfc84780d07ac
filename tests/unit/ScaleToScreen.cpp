// The backdrop's layout and the rule by which every page moves itself for the
// screen width, against the worked figures for 640, 800, 1024 and 1280 wide.
#include <gtest/gtest.h>

#include "PageTest.h"
#include "app/ScaleToScreen.h"
#include "pages/MainWindow.h"
#include "pages/Unit2.h"
#include "pages/Unit3.h"

namespace {

// The title page is the backdrop.
class Backdrop : public PageTest<TForm1, Form1> {
  protected:
    // Lays the backdrop out for a full-colour screen of this size and checks
    // the size of the window.
    void LayOut(int screenWidth, int screenHeight, int width, int height) {
        page->LayOutBackdrop(screenWidth, screenHeight, 32);
        EXPECT_EQ(width, page->Width());
        EXPECT_EQ(height, page->Height());
    }

    void ExpectBounds(TControl *control, int left, int top, int width, int height) {
        EXPECT_EQ(left, control->Left()) << control->Name;
        EXPECT_EQ(top, control->Top()) << control->Name;
        EXPECT_EQ(width, control->Width()) << control->Name;
        EXPECT_EQ(height, control->Height()) << control->Name;
    }
};

TEST(ScreenFactor, IsA32BitFloat) {
    EXPECT_EQ(1.2799999713897705, static_cast<double>(ScreenFactor(1024)));
    EXPECT_EQ(0.800000011920929, static_cast<double>(ScreenFactor(640)));
    // (188 - 163) x 1.28 would be 32 exactly; the float factor gives 31.99...
    EXPECT_EQ(194, ScaleCoordinate(188, 163, ScreenFactor(1024)));
}

TEST_F(Backdrop, At1024x768TheFiguresMoveAndGrow) {
    LayOut(1024, 768, 1044, 788);
    ExpectBounds(page->Shape1, 0, 0, 1044, 788);
    ExpectBounds(page->Shape2, 163, 51, 444, 268);
    ExpectBounds(page->Shape3, 455, 152, 345, 221);
    ExpectBounds(page->Shape4, 15, 336, 409, 243);
    EXPECT_EQ(547, page->Label1->Left());
    EXPECT_EQ(19, page->Label1->Top());
    EXPECT_EQ(670, page->Label2->Left());
    EXPECT_EQ(59, page->Label2->Top());
    ExpectBounds(page->Next, 589, 579, 75, 25);
    ExpectBounds(page->Cancel, 732, 579, 75, 25);
    EXPECT_EQ(wsMaximized, page->WindowState());
}

TEST_F(Backdrop, At640x480AndAt1280x1024) {
    LayOut(640, 480, 660, 500);
    ExpectBounds(page->Shape2, 102, 32, 277, 168);

    TForm1 large(nullptr);
    Form1 = &large;
    large.LayOutBackdrop(1280, 1024, 32);
    EXPECT_EQ(-12, large.Shape4->Left());
    Form1 = page.get();
}

TEST_F(Backdrop, At800OnlyThePageSizeChanges) {
    LayOut(800, 600, 820, 620);
    ExpectBounds(page->Shape2, 128, 40, 347, 210);
    ExpectBounds(page->Shape4, 40, 272, 320, 190);
    ExpectBounds(page->Next, 496, 464, 75, 25);
}

TEST_F(Backdrop, LowColourScreensGetTheDarkerPurple) {
    page->LayOutBackdrop(800, 600, 8);
    EXPECT_EQ(RGB(128, 0, 255), page->Shape1->BrushColor);
    EXPECT_EQ(RGB(128, 0, 255), page->Label1->EffectiveColor());
    EXPECT_EQ(RGB(128, 0, 255), page->Label2->EffectiveColor());

    TForm1 fullColour(nullptr);
    fullColour.LayOutBackdrop(800, 600, 16);
    EXPECT_EQ(RGB(160, 0, 255), fullColour.Shape1->BrushColor);
    EXPECT_EQ(RGB(160, 0, 255), fullColour.Label1->EffectiveColor());
}

TEST_F(Backdrop, PagesMoveAboutTheMovedShape2) {
    page->LayOutBackdrop(1024, 768, 32);
    TForm3 welcome(nullptr);
    EXPECT_EQ(156, welcome.Left());
    EXPECT_EQ(106, welcome.Top());
    ScaleToScreenAt(welcome, 1024, 30, 50);
    EXPECT_EQ(184, welcome.Left());
    EXPECT_EQ(171, welcome.Top());
    EXPECT_EQ(478, welcome.Width());
    EXPECT_EQ(341, welcome.Height());

    TForm2 failure(nullptr);
    ScaleToScreenAt(failure, 1024, -20, 20);
    EXPECT_EQ(-16, failure.Left()) << "positions are not clamped";
    EXPECT_EQ(388, failure.Top());

    // The float factor decides the last pixel: 188 gives 224, not 225.
    welcome.SetBounds(188, 106, 478, 341);
    ScaleToScreenAt(welcome, 1024, 30, 50);
    EXPECT_EQ(224, welcome.Left());
}

TEST_F(Backdrop, NarrowScreensAddNoOffsets) {
    page->LayOutBackdrop(640, 480, 32);
    TForm3 welcome(nullptr);
    ScaleToScreenAt(welcome, 640, 30, 50);
    EXPECT_EQ(145, welcome.Left());
    EXPECT_EQ(91, welcome.Top());
    TForm2 failure(nullptr);
    ScaleToScreenAt(failure, 640, -20, 20);
    EXPECT_EQ(51, failure.Left());
    EXPECT_EQ(245, failure.Top());
}

TEST_F(Backdrop, At800PagesStayWhereTheyArePut) {
    page->LayOutBackdrop(800, 600, 32);
    TForm2 failure(nullptr);
    ScaleToScreenAt(failure, 800, -20, 20);
    EXPECT_EQ(39, failure.Left());
    EXPECT_EQ(299, failure.Top());
}

} // namespace
