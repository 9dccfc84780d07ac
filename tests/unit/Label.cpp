// The form layer's label: how it fits its box to its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "forms/Canvas.h"
#include "forms/GraphicCtrls.h"
#include "win32/Gdi.h"

namespace {

// The size of a text in a font as GDI gives it (one line, no wrapping), and
// the font's line height; its whole metrics too where asked.
SIZE TextSize(const TFont &font, const std::string &text, int *lineHeight, TEXTMETRICA *all = nullptr) {
    TWindowDC screen(nullptr);
    TGdiObject handle(font.Create());
    TSelectObject select(screen.Get(), handle.Get());
    SIZE size{};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    *lineHeight = metrics.tmHeight;
    if (all)
        *all = metrics;
    return size;
}

// The columns that a line of text inks when drawn unclipped from x = 0.
int InkedWidth(const TFont &font, const std::string &text) {
    TBitmap surface;
    if (!surface.SetSize(800, 40))
        return -1;
    HDC dc = surface.Canvas().Handle();
    RECT all = {0, 0, 800, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TGdiObject handle(font.Create());
    TSelectObject select(dc, handle.Get());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &all, DT_NOCLIP);
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 800; ++x)
            if (surface.Pixel(x, y) != RGB(255, 255, 255) && x + 1 > inked)
                inked = x + 1;
    return inked;
}

// A one-line label is as wide as its text measures, or as its drawn text
// reaches where that is further: nothing of the text is cut.
void ExpectWholeText(const TLabel &label, const std::string &text) {
    int line = 0;
    const int measured = TextSize(label.Font, text, &line).cx;
    const int inked = InkedWidth(label.Font, text);
    EXPECT_EQ(std::max(measured, inked), label.Width())
        << text << ": measured " << measured << ", inked " << inked;
    EXPECT_EQ(line, label.Height()) << text;
}

// Labels fit themselves to their text once loaded and whenever the text
// changes; their place stays.
TEST(Label, FitsTheTextKeepsThePlaceAndFixedSizesStay) {
    int line = 0;
    TLabel folders(nullptr);
    folders.SetBounds(24, 51, 37, 13);
    folders.SetCaption("Folders:");
    EXPECT_EQ(37, folders.Width()) << "no sizing before the form data is loaded";
    folders.Loaded();
    EXPECT_EQ(24, folders.Left());
    EXPECT_EQ(51, folders.Top());
    ExpectWholeText(folders, "Folders:");
    // Refitted; under Wine the drawn "w"s reach past the measured width.
    for (const char *path : {"C:\\Program Files\\Vantorelle", "Z:\\work\\wt18\\build", "C:\\windows\\wow"}) {
        folders.SetCaption(path);
        ExpectWholeText(folders, path);
    }
    TextSize(folders.Font, "x", &line);
    folders.SetCaption("");
    EXPECT_EQ(line, folders.Height()) << "an empty label keeps one line's height";

    TLabel wrapping(nullptr);
    wrapping.Font.Height = -13;
    wrapping.SetBounds(22, 59, 299, 20);
    ASSERT_TRUE(wrapping.SetAttribute("wrap", ""));
    wrapping.SetCaption("Free images, graphic compositions, new versions and updates are at ");
    wrapping.Loaded();
    TextSize(wrapping.Font, "x", &line);
    EXPECT_EQ(299, wrapping.Width()) << "a wrapping label keeps its width";
    EXPECT_EQ(2 * line, wrapping.Height()) << "and takes the height of its two lines";

    TLabel fixed(nullptr);
    fixed.SetBounds(177, 109, 113, 29);
    ASSERT_TRUE(fixed.SetAttribute("autosize", "false"));
    fixed.SetCaption("(you can leave it for your graphics editor)");
    fixed.Loaded();
    fixed.SetCaption("(you can leave it)");
    EXPECT_EQ(113, fixed.Width());
    EXPECT_EQ(29, fixed.Height());
}

// The pages' face draws every character height the pages ask for (to a pixel
// of rounding), in italic where they ask for it. Under Wine that takes a
// scalable face: Wine's own bitmap "MS Sans Serif" has a few heights only, and
// the title page's large labels would shrink to one of them.
TEST(Label, PageFaceTakesEveryDesignedHeight) {
    const TFont designed[] = {
        {.Height = -11}, {.Height = -13}, {.Height = -16}, {.Height = -27, .Style = fsItalic}};
    for (const TFont &font : designed) {
        int line = 0;
        TEXTMETRICA metrics{};
        TextSize(font, "x", &line, &metrics);
        EXPECT_NEAR(-font.Height, metrics.tmHeight - metrics.tmInternalLeading, 1)
            << font.Name << " " << font.Height;
        EXPECT_EQ(font.Style == fsItalic, metrics.tmItalic != 0) << font.Name << " " << font.Height;
    }
}

} // namespace
