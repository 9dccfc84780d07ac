#include "pages/MainWindow.h"

#include "app/ScaleToScreen.h"
#include "app/Setup.h"
#include "forms/Application.h"
#include "install/SetupMessage.h"
#include "pages/Unit3.h"

TForm1 *Form1 = nullptr;

const THandlerRow TForm1::HandlerTable[] = {
    FORM_HANDLER(TForm1, FormCreate),
    FORM_HANDLER(TForm1, FormActivate),
    FORM_HANDLER(TForm1, NextClick),
    FORM_HANDLER(TForm1, CancelClick),
    {},
};

FORM_CONTROLS(TForm1, Shape1, Shape2, Shape3, Shape4, Label1, Label2, Next, Cancel)

TForm1::TForm1(TForm *owner) : TForm(owner) {
    LoadForm("Form1", HandlerTable);
}

TForm1::~TForm1() {
    SetDefaultMessageOwner(nullptr);
}

void TForm1::FormCreate(TObject *) {
    TCanvas &canvas = Canvas();
    // Messages without an owner stand over the backdrop.
    SetDefaultMessageOwner(Handle());
    LayOutBackdrop(canvas.DeviceCaps(HORZRES), canvas.DeviceCaps(VERTRES), canvas.DeviceCaps(BITSPIXEL));
}

void TForm1::LayOutBackdrop(int w, int h, int bitsPerPixel) {
    SetBounds(0, 0, 820, 620);
    Shape1->SetBounds(Shape1->Left(), Shape1->Top(), 820, 620);

    if (bitsPerPixel <= 8) {
        Shape1->SetBrushColor(LowColorPurple);
        Label1->SetColor(LowColorPurple);
        Label2->SetColor(LowColorPurple);
    }

    SetBounds(Left(), Top(), w + 20, h + 20);
    Shape1->SetBounds(Shape1->Left(), Shape1->Top(), w + 20, h + 20);

    if (w != 800) {
        float x = ScreenFactor(w);
        TShape *shapes[] = {Shape2, Shape3, Shape4};
        for (TShape *shape : shapes)
            shape->SetWidth(static_cast<int>(shape->Width() * static_cast<double>(x)));
        for (TShape *shape : shapes)
            shape->SetHeight(static_cast<int>(shape->Height() * static_cast<double>(x)));

        // Shape2 has not moved yet: the others move about its designed place.
        int ax = Shape2->Left(), ay = Shape2->Top();
        TControl *moved[] = {Label1, Label2, Shape3, Shape4};
        for (TControl *control : moved) {
            control->SetLeft(ScaleCoordinate(control->Left(), ax, x));
            control->SetTop(ScaleCoordinate(control->Top(), ay, x));
        }
        Shape2->SetLeft(static_cast<int>(Shape2->Left() * static_cast<double>(x)));
        Shape2->SetTop(static_cast<int>(Shape2->Top() * static_cast<double>(x)));

        ax = Shape2->Left();
        ay = Shape2->Top();
        TControl *buttons[] = {Next, Cancel};
        for (TControl *button : buttons) {
            button->SetLeft(ScaleCoordinate(button->Left(), ax, x));
            button->SetTop(ScaleCoordinate(button->Top(), ay, x));
        }
    }

    // No caption, frame, minimise or maximise box.
    const LONG frame = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    static_assert(~frame == LONG(0xFF38FFFF), "the caption, frame and boxes are the styles cleared");
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~frame);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowState(wsMaximized);
}

void TForm1::FormActivate(TObject *) {
    RaiseVisiblePage();
}

void TForm1::NextClick(TObject *) {
    if (!Application->CreateForm(Form3))
        return;
    Next->SetVisible(false);
    Cancel->SetVisible(false);
}

void TForm1::CancelClick(TObject *) {
    QuitSetup();
}
