// The main window's geometry in twips: view area, panes, splitter limits and the legend.
#include <gtest/gtest.h>

#include "Layout.h"
#include "Legend.h"
#include "ProcList.h"
#include "TestSupport.h"
#include "WindowMetrics.h"

namespace dualis {
namespace {

LayoutInput Window(std::string_view mode, double ratio = 0.5) {
    LayoutInput in;
    in.ViewMode = mode;
    in.InnerWidth = 9180;  // a view 9000 wide in the vertical view
    in.InnerHeight = 6000;
    in.ProcListHeight = 345;
    in.StatusHeight = 300;
    in.HScrollBarHeight = 255;
    in.VScrollBarWidth = 255;
    in.OneLineHeight = 195;
    in.TwoLineHeight = 390;
    in.LineHeight = {240, 240};
    in.CharWidth = {120, 120};
    in.SplitRatioV = ratio;
    in.SplitRatioH = ratio;
    return in;
}

TEST(PositionProcList, SitsBelowTheToolbar) {
    const ProcListPlace hidden = PositionProcList(0, 9000, {0, 0, 400, 195}, {0, 0, 0, 315});
    EXPECT_EQ(hidden.Label, (Rect{60, 60, 400, 195}));
    EXPECT_EQ(hidden.List, (Rect{535, 30, 9000 - 595, 315}));
    EXPECT_EQ(PositionProcList(420, 9000, {}, {}).List.Top, 450);
}

TEST(PositionViewArea, EachModeSharesTheInnerArea) {
    const ViewArea v = PositionViewArea(Window("V"));
    EXPECT_EQ(v.View, (Rect{60, 345, 9000, 6000 - 300 - 345}));
    ASSERT_TRUE(v.Splitter);
    EXPECT_EQ(v.Splitter->Left, 0.5 * 9000 + 60);
    EXPECT_EQ(v.Splitter->Height, v.View.Height - 390 - 255);
    const ViewArea h = PositionViewArea(Window("H"));
    EXPECT_EQ(h.View.Width, 9180 - 120);
    EXPECT_EQ(h.View.Height, 6000 - 345 - 60 - 300);
    EXPECT_EQ(h.Splitter->Width, h.View.Width - 255);
    const ViewArea c = PositionViewArea(Window("C"));
    EXPECT_FALSE(c.Splitter);
    EXPECT_EQ(c.View.Height, 6000 - 300 - 345);
}

TEST(PositionFindBar, TakesItsHeightFromTheViewAreaAboveTheStatusLine) {
    for (std::string_view mode : {"V", "H", "C"}) {
        LayoutInput in = Window(mode);
        const ViewArea without = PositionViewArea(in);
        in.FindBarHeight = 400;
        const ViewArea with = PositionViewArea(in);
        EXPECT_EQ(with.View.Height, without.View.Height - 400) << mode;
        const Rect bar = PositionFindBar(in);
        EXPECT_EQ(bar, (Rect{60, 6000 - 300 - 400, 9180 - 120, 400})) << mode;
        // The lowest pane ends where the bar begins.
        const DisplayAreas d = PositionDisplayAreas(in, with);
        const Rect& lowest = d.Pane[d.TwoPanes ? 1 : 0].Frame;
        EXPECT_DOUBLE_EQ(lowest.Top + lowest.Height, bar.Top) << mode;
    }
}

TEST(PositionDisplayAreas, TheVerticalViewSplitsTheWidth) {
    const LayoutInput in = Window("V");
    const DisplayAreas d = PositionDisplayAreas(in, PositionViewArea(in));
    ASSERT_TRUE(d.TwoPanes);
    EXPECT_EQ(d.Pane[0].Frame.Width, 4500);
    EXPECT_EQ(d.Pane[1].Frame.Left, 4560 + 60);
    EXPECT_EQ(d.Pane[0].Label.Height, 390);  // path and counts on two lines
    const PaneFrame& f = d.Pane[0];
    EXPECT_EQ(f.VScroll, (Rect{4500 - 255, 0, 255, f.Frame.Height - 255}));
    EXPECT_EQ(f.HScroll, (Rect{0, f.Frame.Height - 255, 4500 - 255, 255}));
    EXPECT_EQ(f.Picture, (Rect{0, 0, 32000, f.Frame.Height - 255}));
    EXPECT_FALSE(d.Splitter);
}

TEST(PositionDisplayAreas, ATooNarrowPaneIsWidenedToItsMinimum) {
    // 3 "W" widths and a scroll bar: 615 twips of 9000.
    for (double ratio : {0.02, 0.98}) {
        const LayoutInput in = Window("V", ratio);
        const DisplayAreas d = PositionDisplayAreas(in, PositionViewArea(in));
        const int narrow = ratio < 0.5 ? 0 : 1;
        EXPECT_DOUBLE_EQ(d.Pane[narrow].Frame.Width, 615);
        ASSERT_TRUE(d.Splitter);
        EXPECT_DOUBLE_EQ(d.Splitter->Left, d.SplitRatio * 9000 + 60);
    }
    // A ratio outside 0 to 1 starts again from the middle.
    const LayoutInput odd = Window("H", 1.5);
    EXPECT_EQ(PositionDisplayAreas(odd, PositionViewArea(odd)).SplitRatio, 0.5);
}

TEST(PositionDisplayAreas, TheHorizontalMinimumIsALabelABarAndOneAndAHalfRows) {
    const LayoutInput in = Window("H", 0.01);
    const DisplayAreas d = PositionDisplayAreas(in, PositionViewArea(in));
    const double height = PositionViewArea(in).View.Height;
    EXPECT_DOUBLE_EQ(d.SplitRatio * height, 195 + 255 + 360);
    EXPECT_EQ(d.Pane[1].Label.Top, d.Splitter->Top + 60);
}

TEST(PositionDisplayAreas, TheCombinedViewStacksBothLabelsAboveOnePane) {
    const LayoutInput in = Window("C");
    const DisplayAreas d = PositionDisplayAreas(in, PositionViewArea(in));
    EXPECT_FALSE(d.TwoPanes);
    EXPECT_EQ(d.Pane[1].Label.Top, 345 + 195);
    EXPECT_EQ(d.Pane[0].Frame.Top, 345 + 390);
}

TEST(PositionDisplayAreas, TheMapStandsBetweenTheTextAndTheVerticalBar) {
    for (const char* mode : {"V", "H", "C"}) {
        LayoutInput in = Window(mode);
        in.MapWidth = 180;
        const DisplayAreas d = PositionDisplayAreas(in, PositionViewArea(in));
        for (int p = 0; p < (d.TwoPanes ? 2 : 1); ++p) {
            const PaneFrame& f = d.Pane[p];
            EXPECT_EQ(f.Map, (Rect{f.Frame.Width - 255 - 180, 0, 180, f.VScroll.Height})) << mode;
            // The bars keep their places: the horizontal one runs on under the map.
            EXPECT_EQ(f.VScroll.Left, f.Frame.Width - 255) << mode;
            EXPECT_EQ(f.HScroll.Width, f.Frame.Width - 255) << mode;
        }
    }
    // Without a map the rectangle is empty and stands against the bar.
    const LayoutInput none = Window("C");
    const PaneFrame f = PositionDisplayAreas(none, PositionViewArea(none)).Pane[0];
    EXPECT_EQ(f.Map, (Rect{f.VScroll.Left, 0, 0, f.VScroll.Height}));
}

TEST(PositionDisplayAreas, ANarrowPaneKeepsThreeColumnsBesideItsMap) {
    LayoutInput in = Window("V", 0.02);
    in.MapWidth = 180;
    const DisplayAreas d = PositionDisplayAreas(in, PositionViewArea(in));
    EXPECT_DOUBLE_EQ(d.Pane[0].Frame.Width, 3 * 120 + 180 + 255);
    EXPECT_DOUBLE_EQ(d.Pane[0].Map.Left, 3 * 120);
}

TEST(Splitter, StopsFiftyTwipsFromTheWindowsEdge) {
    EXPECT_EQ(SplitterDragTarget(4560, 300, 60, 9300), 4560 + 300 - 30);
    EXPECT_FALSE(SplitterDragTarget(100, -40, 60, 9300));  // would reach 30
    EXPECT_FALSE(SplitterDragTarget(9200, 80, 60, 9300));  // would pass 9250
}

TEST(Splitter, DroppedOnAnEdgeMeansOnePane) {
    const LayoutInput in = Window("V");
    const Rect view = PositionViewArea(in).View;
    EXPECT_DOUBLE_EQ(*SplitterDrop("V", 60 + 2250, in, view), 0.25);
    EXPECT_FALSE(SplitterDrop("V", 60 + 200, in, view));  // within a bar's width
    EXPECT_FALSE(SplitterDrop("V", 60 + 9000 - 200, in, view));
    const LayoutInput h = Window("H");
    const Rect hv = PositionViewArea(h).View;
    EXPECT_FALSE(SplitterDrop("H", hv.Top + 195 + 100, h, hv));  // on the first label's bar
    EXPECT_TRUE(SplitterDrop("H", hv.Top + hv.Height / 2, h, hv));
}

TEST(MinimumWindow, NothingBelowThreeThousandTwips) {
    EXPECT_EQ(AtLeastMinimum(2500), 3000);
    EXPECT_EQ(AtLeastMinimum(2000), 3000);
    EXPECT_EQ(AtLeastMinimum(4000), 4000);
}

TEST(Legend, StaysInsideTheWindow) {
    // Dragged beyond the right edge: its right edge rests on the inner area's.
    const LegendPlace dragged = LegendDrag({8000, 500}, 2000, 10, 1500, 900, 240, 9000, 6000);
    EXPECT_EQ(dragged.Left, 9000 - 1500);
    EXPECT_EQ(dragged.Top, 500 + 10 - 120);
    const LegendPlace up = LegendDrag({100, 50}, 0, -500, 1500, 900, 240, 9000, 6000);
    EXPECT_EQ(up.Left, 0);
    EXPECT_EQ(up.Top, 0);
    // A narrower window keeps the legend's share of the width, or pulls it inside.
    const LegendPlace kept =
        LegendAfterResize({3000, 600}, 1500, 900, 12000, 8000, 6000, 8000, 5880, 7000);
    EXPECT_EQ(kept.Left, 1500);
    const LegendPlace pulled =
        LegendAfterResize({10400, 600}, 1500, 900, 12000, 8000, 6000, 8000, 5880, 7000);
    EXPECT_EQ(pulled.Left, 5880 - 1500);
}

TEST(Legend, ItsFirstPlaceIsABandAboveTheStatusLineThatThePanesLeaveFree) {
    for (std::string_view mode : {"V", "H", "C"}) {
        LayoutInput in = Window(mode);
        const ViewArea without = PositionViewArea(in);
        in.LegendBand = 900;
        in.FindBarHeight = 400;
        const ViewArea with = PositionViewArea(in);
        EXPECT_EQ(with.View.Height, without.View.Height - 900 - 400) << mode;
        // The find bar stands on the legend, the legend on the status line.
        const Rect bar = PositionFindBar(in);
        EXPECT_EQ(bar.Top + bar.Height, 6000 - 300 - 900) << mode;
        const LegendPlace first = FirstLegendPlace(1500, 900, 9180, 6000, 300);
        EXPECT_EQ(first.Left, 9180 - 1500);
        EXPECT_EQ(first.Top, 6000 - 300 - 900);
    }
    // Without the status line, in the corner; in a window too low for it, inside at the top.
    EXPECT_EQ(FirstLegendPlace(1500, 900, 9180, 6000, 0).Top, 6000 - 900);
    const LegendPlace low = FirstLegendPlace(1500, 900, 1000, 800, 300);
    EXPECT_EQ(low.Left, 0);
    EXPECT_EQ(low.Top, 0);
}

TEST(Legend, ExplainsTheBaseFileForEachView) {
    EXPECT_NE(LegendProse("V").find("In the left display and Proc list"), std::string::npos);
    EXPECT_NE(LegendProse("V").find("\r\nIn the right display, File 1"), std::string::npos);
    EXPECT_NE(LegendProse("H").find("In the bottom display"), std::string::npos);
    EXPECT_EQ(LegendProse("C"),
              "In the display and Proc list, File 1 is considered the base file. Lines are "
              "added, deleted or changed to create File 2.");
    EXPECT_EQ(LegendProse("Q"), "");
}

TEST(ProcListEntries, ListEveryProcedureOrOnlyTheDifferences) {
    const std::string one = test::Lines({"Option Explicit", "Sub A()", "End Sub"});
    const std::string two =
        test::Lines({"Option Explicit", "Sub A()", "End Sub", "Sub N()", "End Sub"});
    const ComparisonState state = test::CompareTexts(one, two);
    const auto all = ProcListEntries(state, false);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].Text, "= (General)");
    EXPECT_EQ(all[2].Text, "+ N");  // only in File 2: after File 1's procedures
    EXPECT_EQ(all[2].Proc, 3);
    const auto differences = ProcListEntries(state, true);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].Text, "+ N");
    EXPECT_TRUE(ProcListEntries(test::CompareTexts(one, one), true).empty());
}

TEST(ProcListEntries, TypingFindsANameWhateverItsStatusAndCase) {
    const std::vector<ProcListEntry> entries{{"= (General)", 1, ProcEqual},
                                             {"# cmdSave_Click", 2, ProcChanged},
                                             {"+ cmdPrint_Click", 3, ProcAdded},
                                             {"- Form_Load", 4, ProcDeleted}};
    EXPECT_EQ(EntryStartingWith(entries, "CMDp", 0), 2);
    EXPECT_EQ(EntryStartingWith(entries, "cmd", 2), 2);
    EXPECT_EQ(EntryStartingWith(entries, "cmd", 3), 1);  // round from the top
    EXPECT_EQ(EntryStartingWith(entries, "(", 1), 0);
    EXPECT_EQ(EntryStartingWith(entries, "#", 0), -1);  // the symbol is no part of the name
    EXPECT_EQ(EntryStartingWith(entries, "Form_Loads", 0), -1);
    EXPECT_EQ(EntryStartingWith({}, "a", 0), -1);
}

TEST(ProcListEntries, StepToTheNextChangedOneWithoutGoingRound) {
    // Deleted (only File 1), equal, added (only File 2), equal, changed.
    const std::vector<ProcListEntry> entries{{"- A", 1, ProcDeleted},
                                             {"= B", 2, ProcEqual},
                                             {"+ C", 3, ProcAdded},
                                             {"= D", 4, ProcEqual},
                                             {"# E", 5, ProcChanged}};
    EXPECT_EQ(ChangedEntry(entries, -1, 1), 0);  // nothing selected: from the top
    EXPECT_EQ(ChangedEntry(entries, 0, 1), 2);
    EXPECT_EQ(ChangedEntry(entries, 2, 1), 4);
    EXPECT_EQ(ChangedEntry(entries, 3, 1), 4);
    EXPECT_EQ(ChangedEntry(entries, 4, 1), -1);  // the last changed one: no way round
    EXPECT_EQ(ChangedEntry(entries, 4, -1), 2);
    EXPECT_EQ(ChangedEntry(entries, 1, -1), 0);
    EXPECT_EQ(ChangedEntry(entries, 0, -1), -1);
    EXPECT_EQ(ChangedEntry({}, -1, 1), -1);
    EXPECT_EQ(ChangedEntry({{"= B", 2, ProcEqual}}, 0, 1), -1);
    // The entries carry their record's status; with only the differences listed, every entry
    // is one to step to.
    const std::string one =
        test::Lines({"Option Explicit", "Sub A()", "End Sub", "Sub B()", "  x = 1", "End Sub"});
    const std::string two =
        test::Lines({"Option Explicit", "Sub B()", "  x = 2", "End Sub", "Sub N()", "End Sub"});
    const ComparisonState state = test::CompareTexts(one, two);
    const auto all = ProcListEntries(state, false);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1].Text, "- A");
    EXPECT_EQ(all[1].Status, ProcDeleted);
    EXPECT_EQ(all[2].Status, ProcChanged);
    EXPECT_EQ(all[3].Status, ProcAdded);
    const auto differences = ProcListEntries(state, true);
    for (int from = -1; from + 1 < static_cast<int>(differences.size()); ++from)
        EXPECT_EQ(ChangedEntry(differences, from, 1), from + 1);
}

TEST(ProcListEntries, AreListedInTheColoursOfTheirClass) {
    Settings s;
    s.ForeColorAdded = 0x1;
    s.BackColorAdded = 0x2;
    s.ForeColorChanged = 0x3;
    s.BackColorChanged = 0x4;
    s.ForeColorDeleted = 0x5;
    s.BackColorDeleted = 0x6;
    s.ForeColorEqual = 0x7;
    s.BackColorEqual = 0x8;
    auto colours = [&](int16_t status) {
        const LineColours c = ProcEntryColours(status, s);
        return std::pair(c.Fore, c.Back);
    };
    // "+" (only File 2) in the Added colours, "-" (only File 1) in the Deleted ones.
    EXPECT_EQ(colours(ProcAdded), std::pair(0x1u, 0x2u));
    EXPECT_EQ(colours(ProcChanged), std::pair(0x3u, 0x4u));
    EXPECT_EQ(colours(ProcDeleted), std::pair(0x5u, 0x6u));
    EXPECT_EQ(colours(ProcEqual), std::pair(0x7u, 0x8u));
}

TEST(PlacementAtLoad, TooSmallCentresMaximisedMaximisesTheRestRestores) {
    Settings s;
    s.MainWindowWidth = 2999;
    s.MainWindowHeight = 5000;
    EXPECT_EQ(PlacementAtLoad(s), LoadPlacement::Centre);
    s.MainWindowState = 1;  // minimised: moved to its placement all the same
    EXPECT_EQ(PlacementAtLoad(s), LoadPlacement::Restore);
    s.MainWindowState = 2;
    EXPECT_EQ(PlacementAtLoad(s), LoadPlacement::Maximise);
}

TEST(WindowMetrics, StoredPlacementIsBroughtInsideTheScreen) {
    WindowMetrics m;
    m.TwipsPerPixel = 10;  // 144 dots per inch
    Settings s;
    s.MainWindowLeft = 1000;
    s.MainWindowTop = 505;
    s.MainWindowWidth = 9000;
    s.MainWindowHeight = 7004;
    EXPECT_EQ(StoredOuterPlacement(s, m), (PixelRect{100, 51, 900, 700}));
    const PixelRect screen{0, 30, 1280, 770};  // a panel above
    EXPECT_EQ(FitInside({100, 51, 900, 700}, screen), (PixelRect{100, 51, 900, 700}));
    // Off the right and bottom, partly or wholly; above and left of the area.
    EXPECT_EQ(FitInside({1000, 500, 900, 700}, screen), (PixelRect{380, 100, 900, 700}));
    EXPECT_EQ(FitInside({5000, 5000, 900, 700}, screen), (PixelRect{380, 100, 900, 700}));
    EXPECT_EQ(FitInside({-300, 0, 900, 700}, screen), (PixelRect{0, 30, 900, 700}));
    // Larger than the area: the area's size.
    EXPECT_EQ(FitInside({10, 40, 3000, 2000}, screen), (PixelRect{0, 30, 1280, 770}));
    // On a second screen to the right, it stays there.
    EXPECT_EQ(FitInside({1400, 100, 900, 700}, {1280, 0, 1920, 1080}),
              (PixelRect{1400, 100, 900, 700}));
}

TEST(WindowMetrics, TheDesignedWindowIsCentredInTheArea) {
    const PixelRect screen{0, 30, 1280, 770};
    EXPECT_EQ(CentreInside({0, 0, 900, 650}, screen), (PixelRect{190, 90, 900, 650}));
    // Larger than the area: its top left corner stays inside.
    EXPECT_EQ(CentreInside({500, 500, 1300, 800}, screen), (PixelRect{0, 30, 1300, 800}));
    EXPECT_EQ(CentreInside({0, 0, 900, 650}, {1280, 0, 1920, 1080}),
              (PixelRect{1790, 215, 900, 650}));
}

TEST(WindowMetrics, OneRowHeightAndOneRoundingForEveryConversion) {
    WindowMetrics m;
    m.TwipsPerPixel = 15;
    m.RowHeight = 17;
    m.CharWidth = 7.8;
    EXPECT_DOUBLE_EQ(m.RowHeightTwips(), 255);
    EXPECT_EQ(m.Pixels(m.Twips(123)), 123);
    EXPECT_EQ(m.Pixels(22.4), 1);
    // Scrolling by columns accumulates the fractional width instead of rounding it per column.
    EXPECT_EQ(m.ColumnShift(1), 0);
    EXPECT_EQ(m.ColumnShift(0), 0);
    EXPECT_EQ(m.ColumnShift(11), 78);
}

}  // namespace
}  // namespace dualis
