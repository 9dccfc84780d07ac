#include "app/ScaleToScreen.h"

#include "forms/Controls.h"
#include "forms/Form.h"
#include "pages/MainWindow.h"

float ScreenFactor(int screenWidth) {
    return static_cast<float>(screenWidth * 0.00125);
}

int ScaleCoordinate(int value, int anchor, float factor) {
    return static_cast<int>((value - anchor) * static_cast<double>(factor) + anchor);
}

const TPagePlace WizardPagePlace = {156, 106, 478, 341, 30, 50};
const TPagePlace FailurePagePlace = {39, 299, 337, 205, -20, 20};
const TPagePlace SuccessPagePlace = {226, 314, 337, 205, 5, 20};

void PlacePage(TForm &page, const TPagePlace &place) {
    page.SetBounds(place.Left < 0 ? 0 : place.Left, place.Top < 0 ? 0 : place.Top, place.Width, place.Height);
    page.SetWindowState(wsNormal);
}

void ScaleToScreen(TForm &page, int offsetX, int offsetY) {
    ScaleToScreenAt(page, page.Canvas().DeviceCaps(HORZRES), offsetX, offsetY);
}

void ScaleToScreen(TForm &page, const TPagePlace &place) {
    ScaleToScreen(page, place.OffsetX, place.OffsetY);
}

void ScaleToScreenAt(TForm &page, int width, int offsetX, int offsetY) {
    if (width == 800)
        return;
    float factor = ScreenFactor(width);
    int ax = Form1->Shape2->Left();
    int ay = Form1->Shape2->Top();
    page.SetLeft(ScaleCoordinate(page.Left(), ax, factor));
    page.SetTop(ScaleCoordinate(page.Top(), ay, factor));
    if (width > 800) {
        page.SetLeft(page.Left() + offsetX);
        page.SetTop(page.Top() + offsetY);
    }
}
