// The form layer: a page's window goes before its object, the packed
// picture and the numbers of the form data.
#include <gtest/gtest.h>

#include <cstring>

#include "forms/Application.h"
#include "forms/Exceptions.h"
#include "forms/Form.h"
#include "forms/GraphicCtrls.h"
#include "forms/PackedResource.h"
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

class Form : public ::testing::Test {
  protected:
    void SetUp() override { application.Initialize(); }
    TApplication application;
};

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
        try {
            label.SetAttribute("tab", bad);
            ADD_FAILURE() << "'" << bad << "' was taken";
        } catch (const EToolkitError &e) {
            EXPECT_STREQ("bad value", e.what()) << bad;
        }
    }
}

} // namespace
