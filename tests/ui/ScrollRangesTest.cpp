// Scroll ranges of the panes and the synchronised partner value.
#include <gtest/gtest.h>

#include "ScrollRanges.h"

namespace dualis {
namespace {

// Panes 21 rows high and 60 "W" widths wide beside their bar, at 15 twips per pixel.
ScrollInput Input(std::string_view mode, int32_t rows) {
    ScrollInput in;
    in.ViewMode = mode;
    in.Rows = rows;
    for (PaneMeasures& m : in.Pane) m = {21 * 240.0, 60 * 120.0 + 255, 240, 120};
    in.VScrollBarWidth = 255;
    in.MaxLineColumns = {77, 10};
    in.RawCount = {100, 100};
    in.Symbols = true;
    return in;
}

TEST(SetScrollBars, TwoPaneViewsKeepOneRowSpare) {
    const auto s = SetScrollBars(Input("V", 100), {});
    EXPECT_EQ(s[0].LinesPerPane, 20);
    EXPECT_TRUE(s[0].VEnabled);
    EXPECT_EQ(s[0].VMax, 81);
    EXPECT_EQ(s[0].VPage, 19);
    // A procedure that just fits needs no bar.
    EXPECT_FALSE(SetScrollBars(Input("H", 20), {})[1].VEnabled);
}

TEST(SetScrollBars, TheCombinedViewEnablesItsBarWhenTheRowsFillThePage) {
    const auto s = SetScrollBars(Input("C", 21), {});
    EXPECT_EQ(s[0].LinesPerPane, 21);
    EXPECT_TRUE(s[0].VEnabled);
    EXPECT_EQ(s[0].VMax, 1);
}

TEST(SetScrollBars, TheWidthEstimateOfTheLongestLine) {
    const ScrollInput in = Input("V", 10);
    // 77 characters: (77 + 3) * 1.1 = 88, one more for the symbol.
    EXPECT_EQ(EstimatedLineWidth(in, 0), 89);
    const auto s = SetScrollBars(in, {});
    EXPECT_EQ(s[0].CharsPerPane, 60);
    EXPECT_TRUE(s[0].HEnabled);
    EXPECT_EQ(s[0].HMax, 29);
    EXPECT_FALSE(s[1].HEnabled);  // File 2's 10 characters fit
    ScrollInput numbered = in;
    numbered.LineNumbers = true;
    numbered.RawCount = {12345, 7};
    EXPECT_EQ(EstimatedLineWidth(numbered, 0), 89 + 2 + 5);
    // The combined view adds the columns before the tenth: (77 + 1 + 7 + 3) * 1.1 = 96.8.
    numbered.ViewMode = "C";
    EXPECT_EQ(EstimatedLineWidth(numbered, 0), 97);
}

TEST(SetScrollBars, TheMapNarrowsTheColumnsOfEveryView) {
    for (const char* mode : {"V", "C"}) {
        ScrollInput in = Input(mode, 10);
        in.MapWidth = 12 * 120;  // twelve "W" widths, to see it plainly
        const auto s = SetScrollBars(in, {});
        EXPECT_EQ(s[0].CharsPerPane, 60 - 12) << mode;
        EXPECT_EQ(s[0].HMax, EstimatedLineWidth(in, 0) - 48) << mode;
    }
}

TEST(SetScrollBars, LongProceduresKeepAWholeRange) {
    const auto s = SetScrollBars(Input("V", 5'000'000), {});
    EXPECT_EQ(s[0].VMax, 5'000'000 - 20 + 1);
}

TEST(SetScrollBars, AnUnknownViewChangesNothing) {
    std::array<PaneScroll, 2> before{};
    before[0].VMax = 42;
    EXPECT_EQ(SetScrollBars(Input("X", 100), before)[0].VMax, 42);
}

TEST(PartnerScrollValue, StopsAtThePartnersEnd) {
    EXPECT_EQ(PartnerScrollValue(70, 60), 60);
    EXPECT_EQ(PartnerScrollValue(30, 60), 30);
}

}  // namespace
}  // namespace dualis
