// The procedure map: its bins for short and very long procedures, the colours of its marks, the
// frame round the rows on screen and the scroll value of a point on it.
#include <gtest/gtest.h>

#include <algorithm>

#include "ProcMap.h"

namespace dualis {
namespace {

using S = LineSymbol;
using M = MapMark;

std::vector<CombinedRow> Combined(const std::vector<S>& symbols) {
    std::vector<CombinedRow> rows;
    for (S s : symbols) rows.push_back({1, s, 0});
    return rows;
}

TEST(MapBins, TenRowsAreTenBandsWithTheirClassesInPlace) {
    const std::vector<S> symbols{S::Equal,   S::Changed, S::Equal, S::Added,        S::Deleted,
                                 S::Ignored, S::Equal,   S::Equal, S::HiddenMarker, S::Changed};
    const std::vector<M> expected{M::None, M::Changed, M::None, M::Added, M::Deleted,
                                  M::None, M::None,    M::None, M::None,  M::Changed};
    // The same rows in the two-pane arrays: a line only one file has is Added in its own pane
    // and faces a Deleted filler. Both panes' maps mark the row as the combined array does.
    std::vector<SeparateRow> separate;
    for (S s : symbols) {
        const DisplayCell line{1, s == S::Added || s == S::Deleted ? S::Added : s};
        const DisplayCell filler{0, S::Deleted};
        separate.push_back({{s == S::Added ? filler : line, s == S::Deleted ? filler : line}});
    }
    for (const std::vector<M>& bins :
         {MapBins(Combined(symbols), 700), MapBins(separate, 0, 700), MapBins(separate, 1, 700)}) {
        ASSERT_EQ(bins.size(), 700u);
        for (size_t pixel = 0; pixel < bins.size(); ++pixel) {
            ASSERT_EQ(bins[pixel], expected[pixel / 70]) << "pixel " << pixel;
        }
    }
    // Bands that do not divide evenly still meet: 3 rows on 10 pixels take 3, 3 and 4.
    EXPECT_EQ(MapBins(Combined({S::Added, S::Equal, S::Deleted}), 10),
              (std::vector<M>{M::Added, M::Added, M::Added, M::None, M::None, M::None, M::Deleted,
                              M::Deleted, M::Deleted, M::Deleted}));
}

TEST(MapBins, AMillionRowsKeepEveryLoneDifference) {
    constexpr int32_t kRows = 1'000'000;
    std::vector<S> symbols(kRows, S::Equal);
    symbols[0] = S::Added;
    symbols[777'777] = S::Changed;
    symbols[kRows - 1] = S::Deleted;
    const std::vector<M> bins = MapBins(Combined(symbols), 700);
    ASSERT_EQ(bins.size(), 700u);
    EXPECT_EQ(bins[0], M::Added);
    EXPECT_EQ(bins[777'777LL * 700 / kRows], M::Changed);
    EXPECT_EQ(bins[699], M::Deleted);
    EXPECT_EQ(std::count(bins.begin(), bins.end(), M::None), 700 - 3);
}

TEST(MapBins, APixelSharedByClassesShowsTheHighestWhateverTheirOrder) {
    // 1,000 rows on 10 pixels: rows 0 to 99 share pixel 0, and so on.
    std::vector<S> symbols(1000, S::Equal);
    const std::vector<std::pair<size_t, S>> differences{{10, S::Added},   {20, S::Changed},
                                                        {30, S::Deleted}, {110, S::Deleted},
                                                        {190, S::Added},  {210, S::Added}};
    for (auto [row, s] : differences) symbols[row] = s;
    const std::vector<M> bins = MapBins(Combined(symbols), 10);
    EXPECT_EQ(std::vector<M>(bins.begin(), bins.begin() + 4),
              (std::vector<M>{M::Changed, M::Deleted, M::Added, M::None}));
}

TEST(ProcMapBins, TakesTheRowsOfTheProcedureAndView) {
    ComparisonState state;
    // An equal row, then File 1's line 2 that File 2 lacks.
    state.SeparateDisplay.Add({{DisplayCell{1, S::Equal}, DisplayCell{1, S::Equal}}});
    state.SeparateDisplay.Add({{DisplayCell{2, S::Added}, DisplayCell{0, S::Deleted}}});
    state.SeparateDisplay.EndProc();
    for (S s : {S::Equal, S::Added, S::Equal}) state.CombinedDisplay.Add({1, s, 1});
    state.CombinedDisplay.EndProc();
    EXPECT_EQ(ProcMapBins(state, 1, "V", 0, 2), (std::vector<M>{M::None, M::Deleted}));
    EXPECT_EQ(ProcMapBins(state, 1, "C", 0, 3), (std::vector<M>{M::None, M::Added, M::None}));
    EXPECT_EQ(ViewRowCount(state, 1, "C"), 3);
    EXPECT_EQ(ProcMapBins(state, 7, "H", 0, 4), std::vector<M>(4, M::None));
    EXPECT_TRUE(ProcMapBins(state, 1, "C", 0, 0).empty());
}

TEST(MarkColour, APaleBackColourGivesWayToTheTextColour) {
    constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kPink = 0xC0C0FF;
    EXPECT_EQ(MarkColour(kRed, 0, kWhite), kRed);           // a strong back colour is kept
    EXPECT_EQ(MarkColour(kPink, kRed, kWhite), kRed);       // pink vanishes in one pixel
    EXPECT_EQ(MarkColour(kPink, 0xF0F0F0, kWhite), kPink);  // both pale: the farther one
    EXPECT_EQ(MarkColour(kPink, kRed, 0), kPink);           // on a dark ground pink is strong
    Settings s;
    s.BackColorChanged = 0x00A5FF;  // a strong orange
    const MapColours c = ProcMapColours(s);
    EXPECT_EQ(c.Ground, s.BackColorEqual);
    EXPECT_EQ(c.Mark[static_cast<size_t>(M::Added)], s.ForeColorAdded);  // white backs
    EXPECT_EQ(c.Mark[static_cast<size_t>(M::Changed)], s.BackColorChanged);
}

TEST(MapFrame, CoversTheRowsOnScreenAndKeepsItsLeastHeightInside) {
    // 100 rows on 700 pixels: 7 pixels a row; a part of a pixel counts.
    EXPECT_EQ(MapFrame(100, {1, 21}, 700, 4), (PixelSpan{0, 147}));
    EXPECT_EQ(MapFrame(100, {80, 100}, 700, 4), (PixelSpan{553, 700}));
    EXPECT_EQ(MapFrame(3000, {3, 4}, 700, 1), (PixelSpan{0, 1}));
    // A page of a million rows: the least height, inside the strip at either end.
    constexpr int32_t kRows = 1'000'000;
    EXPECT_EQ(MapFrame(kRows, {1, 41}, 700, 8), (PixelSpan{0, 8}));
    EXPECT_EQ(MapFrame(kRows, {kRows - 40, kRows}, 700, 8), (PixelSpan{692, 700}));
    EXPECT_EQ(MapFrame(kRows, {500'000, 500'040}, 700, 8), (PixelSpan{346, 354}));
    EXPECT_EQ(MapFrame(kRows, {1, 41}, 6, 8), (PixelSpan{0, 6}));
    // Nothing on screen, no frame.
    EXPECT_EQ(MapFrame(0, {1, 0}, 700, 4), PixelSpan{});
    EXPECT_EQ(MapFrame(10, {1, 10}, 0, 4), PixelSpan{});
}

TEST(MapScrollValue, PutsTheRowPointedAtInTheMiddleOfThePageWithinTheBar) {
    // 1,000 rows, pages of 40, the bar from 1 to 961, a strip of 500 pixels: 2 rows a pixel.
    EXPECT_EQ(MapScrollValue(250, 500, 1000, 40, 961), 501 - 20);
    EXPECT_EQ(MapScrollValue(250.9, 500, 1000, 40, 961), 502 - 20);
    for (double top : {0.0, 10.0, -30.0}) EXPECT_EQ(MapScrollValue(top, 500, 1000, 40, 961), 1);
    for (double end : {499.5, 500.0, 900.0}) {
        EXPECT_EQ(MapScrollValue(end, 500, 1000, 40, 961), 961);
    }
    EXPECT_EQ(MapScrollValue(700, 700, 1'000'000, 40, 999'961), 999'961);
    // Nothing to scroll stays at the top.
    EXPECT_EQ(MapScrollValue(100, 500, 0, 40, 1), 1);
    EXPECT_EQ(MapScrollValue(100, 0, 1000, 40, 961), 1);
}

}  // namespace
}  // namespace dualis
