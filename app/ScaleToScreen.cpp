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

void PlacePage(TForm &page, int left, int top, int width, int height) {
    page.SetBounds(left < 0 ? 0 : left, top < 0 ? 0 : top, width, height);
    page.SetWindowState(wsNormal);
}

void ScaleToScreen(TForm &page, int offsetX, int offsetY) {
    ScaleToScreenAt(page, GetDeviceCaps(page.Canvas().Handle(), HORZRES), offsetX, offsetY);
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
