// The life of a form-layer page: its window goes before its object.
#include <gtest/gtest.h>

#include "forms/Application.h"
#include "forms/Form.h"

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

} // namespace
