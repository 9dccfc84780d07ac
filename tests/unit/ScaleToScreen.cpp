// The backdrop's layout and the rule by which every page moves itself for the
// screen width, against the worked figures for 640, 800, 1024 and 1280 wide.
#include <gtest/gtest.h>

#include <memory>

#include "app/ScaleToScreen.h"
#include "forms/Application.h"
#include "pages/MainWindow.h"
#include "pages/Unit2.h"
#include "pages/Unit3.h"

namespace {

class Backdrop : public ::testing::Test {
  protected:
    void SetUp() override {
        application.Initialize();
        // The constructor only loads the design; the layout is applied per test.
        title.reset(new TForm1(nullptr));
        Form1 = title.get();
    }
    void TearDown() override {
        Form1 = nullptr;
        title.reset();
    }

    void ExpectBounds(TControl *control, int left, int top, int width, int height) {
        EXPECT_EQ(left, control->Left()) << control->Name;
        EXPECT_EQ(top, control->Top()) << control->Name;
        EXPECT_EQ(width, control->Width()) << control->Name;
        EXPECT_EQ(height, control->Height()) << control->Name;
    }

    TApplication application;
    std::unique_ptr<TForm1> title;
};

TEST(ScreenFactor, IsA32BitFloat) {
    EXPECT_EQ(1.2799999713897705, static_cast<double>(ScreenFactor(1024)));
    EXPECT_EQ(0.800000011920929, static_cast<double>(ScreenFactor(640)));
    // (188 - 163) x 1.28 would be 32 exactly; the float factor gives 31.99...
    EXPECT_EQ(194, ScaleCoordinate(188, 163, ScreenFactor(1024)));
}

TEST_F(Backdrop, At1024x768TheFiguresMoveAndGrow) {
    title->LayOutBackdrop(1024, 768, 32);
    EXPECT_EQ(1044, title->Width());
    EXPECT_EQ(788, title->Height());
    ExpectBounds(title->Shape1, 0, 0, 1044, 788);
    ExpectBounds(title->Shape2, 163, 51, 444, 268);
    ExpectBounds(title->Shape3, 455, 152, 345, 221);
    ExpectBounds(title->Shape4, 15, 336, 409, 243);
    EXPECT_EQ(547, title->Label1->Left());
    EXPECT_EQ(19, title->Label1->Top());
    EXPECT_EQ(670, title->Label2->Left());
    EXPECT_EQ(59, title->Label2->Top());
    ExpectBounds(title->Next, 589, 579, 75, 25);
    ExpectBounds(title->Cancel, 732, 579, 75, 25);
    EXPECT_EQ(wsMaximized, title->WindowState());
}

TEST_F(Backdrop, At640x480AndAt1280x1024) {
    title->LayOutBackdrop(640, 480, 32);
    EXPECT_EQ(660, title->Width());
    EXPECT_EQ(500, title->Height());
    ExpectBounds(title->Shape2, 102, 32, 277, 168);

    TForm1 large(nullptr);
    Form1 = &large;
    large.LayOutBackdrop(1280, 1024, 32);
    EXPECT_EQ(-12, large.Shape4->Left());
    Form1 = title.get();
}

TEST_F(Backdrop, At800OnlyThePageSizeChanges) {
    title->LayOutBackdrop(800, 600, 32);
    EXPECT_EQ(820, title->Width());
    EXPECT_EQ(620, title->Height());
    ExpectBounds(title->Shape2, 128, 40, 347, 210);
    ExpectBounds(title->Shape4, 40, 272, 320, 190);
    ExpectBounds(title->Next, 496, 464, 75, 25);
}

TEST_F(Backdrop, LowColourScreensGetTheDarkerPurple) {
    title->LayOutBackdrop(800, 600, 8);
    EXPECT_EQ(RGB(128, 0, 255), title->Shape1->BrushColor);
    EXPECT_EQ(RGB(128, 0, 255), title->Label1->EffectiveColor());
    EXPECT_EQ(RGB(128, 0, 255), title->Label2->EffectiveColor());

    TForm1 fullColour(nullptr);
    fullColour.LayOutBackdrop(800, 600, 16);
    EXPECT_EQ(RGB(160, 0, 255), fullColour.Shape1->BrushColor);
    EXPECT_EQ(RGB(160, 0, 255), fullColour.Label1->EffectiveColor());
}

TEST_F(Backdrop, PagesMoveAboutTheMovedShape2) {
    title->LayOutBackdrop(1024, 768, 32);
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
    title->LayOutBackdrop(640, 480, 32);
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
    title->LayOutBackdrop(800, 600, 32);
    TForm2 failure(nullptr);
    ScaleToScreenAt(failure, 800, -20, 20);
    EXPECT_EQ(39, failure.Left());
    EXPECT_EQ(299, failure.Top());
}

} // namespace
