// The form layer: a page's window goes before its object, its errors reach
// the exception display and end the handler, the packed picture and the
// numbers of the form data.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "MessageBoxWatcher.h"
#include "forms/Application.h"
#include "forms/Errors.h"
#include "forms/Form.h"
#include "forms/GraphicCtrls.h"
#include "forms/PackedResource.h"
#include "forms/StdCtrls.h"
#include "win32/Gdi.h"

namespace {

// Runs the thread's messages for a while, as the message loop would.
void Pump() {
    for (int i = 0; i < 30; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
}

// A page that notes what its window told it and what was left at its end.
class TWatchedPage : public TForm {
  public:
    explicit TWatchedPage(bool &destroySeen, HWND &windowAtEnd)
        : TForm(nullptr), DestroySeen(destroySeen), WindowAtEnd(windowAtEnd) {
        ClassName = "TWatchedPage";
        SetBounds(10, 10, 200, 100);
    }
    ~TWatchedPage() override { WindowAtEnd = Handle(); }

  protected:
    bool MessageHook(UINT message, WPARAM, LPARAM, LRESULT &) override {
        if (message == WM_DESTROY)
            DestroySeen = true;
        return false;
    }

  private:
    bool &DestroySeen;
    HWND &WindowAtEnd;
};

// A page whose window runs the test's handler on WM_APP, through the window
// procedure as every handler of a page runs.
class THandlerHost : public TForm {
  public:
    std::function<void()> Handler;
    THandlerHost() : TForm(nullptr) { ClassName = "THandlerHost"; }

  protected:
    bool MessageHook(UINT message, WPARAM, LPARAM, LRESULT &) override {
        if (message != WM_APP)
            return false;
        Handler();
        return true;
    }
};

// The failure page's form data, loaded by a page that has none of its handlers.
class TNoHandlersPage : public TForm {
  public:
    explicit TNoHandlersPage(TForm *owner) : TForm(owner) {
        static const THandlerRow none[] = {{}};
        LoadForm("Form2", none);
    }
};

// A page to be shown whose window cannot be made: its class is nowhere.
class TNoWindowPage : public TForm {
  public:
    explicit TNoWindowPage(TForm *owner) : TForm(owner) { IsVisible = true; }

  protected:
    void CreateParams(TCreateParams &params) override {
        TForm::CreateParams(params);
        params.ClassName = "TNoSuchWindowClass";
        params.Standard = true;
    }
};

class Form : public ::testing::Test {
  protected:
    void SetUp() override { application.Initialize(); }

    // Runs the handler as a page's event handler; the texts that the
    // exception display showed meanwhile.
    std::vector<std::string> ShownBy(const std::function<void()> &handler) {
        MessageBoxWatcher watcher;
        TFormPtr<THandlerHost> host(new THandlerHost);
        host->Handler = handler;
        host->HandleNeeded();
        SendMessageA(host->Handle(), WM_APP, 0, 0);
        return watcher.Texts();
    }

    TApplication application;
};

// A page that raises while it is made: the error's text reaches the exception
// display and the handler that made it stops there. Form data: the page is
// gone again and its reference null; a window: the page stays unshown.
TEST_F(Form, AnErrorRaisedByANewPageEndsTheHandlerAtTheDisplay) {
    TNoHandlersPage *faulty = nullptr;
    bool after = false;
    EXPECT_EQ(std::vector<std::string>{"Form data line 2: Handler FormCreate not found in form Form2."},
              ShownBy([&] {
                  if (application.CreateForm(faulty))
                      after = true;
              }));
    EXPECT_FALSE(after) << "the handler went on after the form data's error";
    EXPECT_EQ(nullptr, faulty);

    TNoWindowPage *unmade = nullptr;
    EXPECT_EQ(std::vector<std::string>{"Error creating window."}, ShownBy([&] {
                  if (application.CreateForm(unmade))
                      after = true;
              }));
    EXPECT_FALSE(after) << "the handler went on after the window's error";
    ASSERT_NE(nullptr, unmade);
    EXPECT_FALSE(unmade->HandleAllocated());
    EXPECT_FALSE(Raised()) << "each error is shown once";
}

// Whether its owner frees it or it releases itself, a page sees its window's
// destruction while it is whole, and its destructor finds no window left.
TEST_F(Form, TheWindowGoesBeforeThePage) {
    bool destroySeen = false;
    HWND windowAtEnd = reinterpret_cast<HWND>(1);
    TFormPtr<TWatchedPage> owned(new TWatchedPage(destroySeen, windowAtEnd));
    owned->Show();
    owned.reset();
    EXPECT_TRUE(destroySeen) << "freed by its owner";
    EXPECT_EQ(nullptr, windowAtEnd) << "freed by its owner";

    destroySeen = false;
    windowAtEnd = reinterpret_cast<HWND>(1);
    TWatchedPage *released = new TWatchedPage(destroySeen, windowAtEnd);
    released->Show();
    released->Release();
    Pump();
    EXPECT_TRUE(destroySeen) << "released";
    EXPECT_EQ(nullptr, windowAtEnd) << "released";
}

// What the system does to the windows, the controls report: a button moved,
// sized and hidden from outside the form layer, then shown in a page that is
// hidden, and the page moved. A button in a scrolled box keeps its place in
// the box's contents, its window moved up by the scroll.
TEST_F(Form, ControlsReportWhatTheSystemDidToTheirWindows) {
    TFormPtr<THandlerHost> page(new THandlerHost);
    page->SetBounds(10, 10, 300, 200);
    auto add = [&](TControl *control, TWinControl *parent, int left, int top, int width, int height) {
        page->AddComponent(control);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    };
    auto bounds = [](TControl *c) { return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}; };
    TControl *button = add(new TButton(page.get()), page.get(), 5, 6, 75, 25);
    auto *box = static_cast<TScrollBox *>(add(new TScrollBox(page.get()), page.get(), 100, 0, 150, 100));
    auto *inBox = static_cast<TWinControl *>(add(new TButton(page.get()), box, 10, 20, 50, 20));
    add(new TShape(page.get(), stRectangle), box, 0, 300, 10, 10);
    ASSERT_TRUE(page->HandleNeeded());
    HWND window = static_cast<TWinControl *>(button)->Handle();

    SetWindowPos(window, nullptr, 30, 40, 80, 30, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    EXPECT_EQ((std::vector<int>{30, 40, 80, 30}), bounds(button));
    EXPECT_FALSE(button->Visible());
    ShowWindow(window, SW_SHOWNA);
    EXPECT_TRUE(button->Visible());
    SetWindowPos(page->Handle(), nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((std::vector<int>{50, 60, 300, 200}), bounds(page.get()));

    box->SetVertPosition(50);
    EXPECT_EQ((std::vector<int>{10, 20, 50, 20}), bounds(inBox));
    RECT shown;
    GetWindowRect(inBox->Handle(), &shown);
    MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT *>(&shown), 2);
    EXPECT_EQ(-30, shown.top);
}

// The file-type page's picture is carried packed: it must come out as the
// picture that LoadImage makes of the bitmap file the build drew, in format,
// colours and pixels. A missing one is null, as LoadImage's.
TEST(PackedPicture, IsTheBitmapFileAsLoadImageMakesIt) {
    TGdiObject packed(LoadPackedBitmap("EXTENSIONS"));
    TGdiObject file(static_cast<HBITMAP>(LoadImageA(nullptr, "Z:" PAYLOAD_DIR "/Extensions.bmp", IMAGE_BITMAP,
                                                    0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
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
        EXPECT_FALSE(label.SetAttribute("tab", bad)) << "'" << bad << "' was taken";
        EXPECT_EQ("bad value", TakeRaised()) << bad;
    }
}

} // namespace
