// The form layer's label: how it fits its box to its text.
#include <gtest/gtest.h>

#include <string>

#include "forms/GraphicCtrls.h"
#include "win32/Gdi.h"

namespace {

// The size of a text in a font as GDI gives it: one line, no wrapping.
SIZE TextSize(const TFont &font, const std::string &text, int *lineHeight) {
    TWindowDC screen(nullptr);
    TGdiObject handle(font.Create());
    TSelectObject select(screen.Get(), handle.Get());
    SIZE size{};
    GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    *lineHeight = metrics.tmHeight;
    return size;
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
    SIZE text = TextSize(folders.Font, "Folders:", &line);
    EXPECT_EQ(24, folders.Left());
    EXPECT_EQ(51, folders.Top());
    EXPECT_EQ(text.cx, folders.Width());
    EXPECT_EQ(line, folders.Height());
    folders.SetCaption("C:\\Program Files\\Vantorelle");
    EXPECT_EQ(TextSize(folders.Font, "C:\\Program Files\\Vantorelle", &line).cx, folders.Width())
        << "refitted";
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

} // namespace
