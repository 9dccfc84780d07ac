#pragma once

class TForm;

// The factor by which positions move on a screen w pixels wide: w / 800 as a
// 32-bit float (1024 gives 1.2799999713897705).
float ScreenFactor(int screenWidth);

// Moves one coordinate about an anchor: trunc((value - anchor) * factor + anchor),
// computed in double precision and cut toward zero.
int ScaleCoordinate(int value, int anchor, float factor);

// Places a page as its constructor does: size and position, a negative left
// or top raised to 0, normal window state.
void PlacePage(TForm &page, int left, int top, int width, int height);

// Moves a page for screen widths other than 800 about the title page's Shape2,
// adding the offsets on screens wider than 800. Sizes never change.
void ScaleToScreen(TForm &page, int offsetX, int offsetY);
// The same for a given screen width.
void ScaleToScreenAt(TForm &page, int screenWidth, int offsetX, int offsetY);
