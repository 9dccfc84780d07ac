#pragma once

class TForm;

// The factor by which positions move on a screen w pixels wide: w / 800 as a
// 32-bit float (1024 gives 1.2799999713897705).
float ScreenFactor(int screenWidth);

// Moves one coordinate about an anchor: trunc((value - anchor) * factor + anchor),
// computed in double precision and cut toward zero.
int ScaleCoordinate(int value, int anchor, float factor);

// Where a page stands on a screen 800 pixels wide, and the offsets that
// ScaleToScreen adds on wider screens.
struct TPagePlace {
    int Left, Top, Width, Height;
    int OffsetX, OffsetY;
};
// The pages of the wizard's chain and the folder browser (which is not moved).
extern const TPagePlace WizardPagePlace;
extern const TPagePlace FailurePagePlace;
extern const TPagePlace SuccessPagePlace;

// Places a page as its constructor does: size and position, a negative left
// or top raised to 0, normal window state.
void PlacePage(TForm &page, const TPagePlace &place);

// Moves a page for screen widths other than 800 about the title page's Shape2,
// adding the offsets on screens wider than 800. Sizes never change.
void ScaleToScreen(TForm &page, int offsetX, int offsetY);
// The same with the offsets of the page's place.
void ScaleToScreen(TForm &page, const TPagePlace &place);
// The same for a given screen width.
void ScaleToScreenAt(TForm &page, int screenWidth, int offsetX, int offsetY);
