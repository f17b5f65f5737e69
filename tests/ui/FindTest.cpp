// The block search and the window's keys, without a display.
#include <gtest/gtest.h>

#include "Find.h"
#include "Keys.h"
#include "StatusNotes.h"
#include "TestSupport.h"

namespace dualis {
namespace {

// Procedure record 2, Sub A, has 20 body lines; File 2 changes lines 3 and 4, and line 9. In
// the two-pane view its rows are its 22 lines: row 1 the header, rows 4-5 and 10 changed, row 22
// End Sub.
ComparisonState TwoBlocks(const CompareOptions& options = {}) {
    std::vector<std::string> one{"Option Explicit", "Sub A()"};
    std::vector<std::string> two{"Option Explicit", "Sub A()"};
    for (int i = 1; i <= 20; ++i) {
        const std::string line = "  x = " + std::to_string(i);
        one.push_back(line);
        two.push_back(i == 3 || i == 4 || i == 9 ? line + " + 1" : line);
    }
    one.push_back("End Sub");
    two.push_back("End Sub");
    return test::CompareTexts(test::Lines(one), test::Lines(two), options);
}

// The view of procedure A with a pane of `page` rows scrolled to `top`.
FindView View(const ComparisonState& state, int32_t hiLite, int32_t top, int32_t page,
              bool combined = false) {
    const int32_t n = combined ? state.CombinedCount(2) : state.SeparateCount(2);
    return {state, 2, combined, hiLite, top, std::min(n, top + page), page};
}

TEST(Find, NextMismatchLeavesTheBlockItFoundBeforeSearchingOn) {
    const ComparisonState state = TwoBlocks();
    ASSERT_EQ(state.SeparateCount(2), 22);
    FindState search;
    FindResult r = Find(FindNext, FindMismatch, View(state, 0, 1, 30), search);
    EXPECT_EQ(r.Found, 4);
    EXPECT_FALSE(r.ScrollValue);  // on screen: only the highlight moves
    r = Find(FindNext, FindMismatch, View(state, 4, 1, 30), r.State);
    EXPECT_EQ(r.Found, 10);  // not row 5, the second row of the first block
    // After the last block nothing is found, and the search state still follows the call.
    r = Find(FindNext, FindMismatch, View(state, 10, 1, 30), r.State);
    EXPECT_FALSE(r.Found);
    EXPECT_EQ(r.State.LastFindType, FindNext);
    // A Next Match from inside a mismatch block is a new kind of search: no block is left.
    r = Find(FindNext, FindMatch, View(state, 4, 1, 30), r.State);
    EXPECT_EQ(r.Found, 6);
}

TEST(Find, ScrollingPutsTheRowFoundWhereTheNextSearchContinues) {
    const ComparisonState state = TwoBlocks();
    // Forward, below the window: the row found becomes the pane's second row.
    FindResult r = Find(FindNext, FindMismatch, View(state, 5, 1, 3), {FindNext, 1, FindMatch});
    EXPECT_EQ(r.Found, 10);
    EXPECT_EQ(r.ScrollValue, 9);
    // Near the end the page ends with the procedure; row 1 puts the bar at 1.
    r = Find(FindLast, FindMatch, View(state, 0, 1, 5), {});
    EXPECT_EQ(r.Found, 22);
    EXPECT_EQ(r.ScrollValue, 22 - 5);  // backward: the row found is the pane's last row
    r = Find(FindFirst, FindMatch, View(state, 0, 10, 5), {});
    EXPECT_EQ(r.Found, 1);
    EXPECT_EQ(r.ScrollValue, 1);
    r = Find(FindNext, FindMatch, View(state, 19, 1, 5), {});
    EXPECT_EQ(r.Found, 20);
    EXPECT_EQ(r.ScrollValue, 22 - 5);
    // Backward, above the window, near the top.
    r = Find(FindPrior, FindMismatch, View(state, 8, 8, 5), {});
    EXPECT_EQ(r.Found, 5);
    EXPECT_EQ(r.ScrollValue, 1);
}

TEST(Find, WithoutAHighlightTheSearchStartsFromTheRowsDrawn) {
    const ComparisonState state = TwoBlocks();
    // Prior with nothing highlighted starts at the bottom row drawn, not at the procedure's end.
    FindResult r = Find(FindPrior, FindMatch, View(state, 0, 5, 5), {});
    EXPECT_EQ(r.TraceLines[0], "FindType=4 FindWhat=1");
    EXPECT_EQ(r.TraceLines[1], "FindDirection=-1 SearchStart=10 SearchEnd=1");
    EXPECT_EQ(r.Found, 9);
    // Next starts from row 1 when the highlight is 0, from the top row drawn when it is -1.
    r = Find(FindNext, FindMatch, View(state, 0, 7, 5), {});
    EXPECT_EQ(r.TraceLines[1], "FindDirection=1 SearchStart=1 SearchEnd=22");
    r = Find(FindNext, FindMatch, View(state, -1, 7, 5), {});
    EXPECT_EQ(r.TraceLines[1], "FindDirection=1 SearchStart=7 SearchEnd=22");
    EXPECT_EQ(r.Found, 7);
    // Prior from the first row finds nothing: the search never wraps round.
    r = Find(FindPrior, FindMatch, View(state, 1, 1, 5), {});
    EXPECT_FALSE(r.Found);
    r = Find(FindFirst, FindMismatch, View(state, 0, 1, 5), {});
    EXPECT_EQ(r.TraceLines[1], "FindDirection=1 SearchStart=1 SearchEnd=22");
}

TEST(Find, TheCombinedViewSearchesItsOwnRows) {
    CompareOptions options;
    options.DifferencesOnly = true;
    options.DifferencesBefore = 1;
    options.DifferencesAfter = 1;
    const ComparisonState state = TwoBlocks(options);
    const auto rows = state.CombinedDisplay.Row(2);
    FindResult r = Find(FindFirst, FindMismatch, View(state, 0, 1, 40, true), {});
    ASSERT_TRUE(r.Found);
    EXPECT_EQ(rows[*r.Found - 1].Symbol, LineSymbol::Deleted);
    r = Find(FindNext, FindMismatch, View(state, *r.Found, 1, 40, true), r.State);
    ASSERT_TRUE(r.Found);
    // The second block: File 1's line 11 against File 2's.
    EXPECT_EQ(rows[*r.Found - 1].RawLine, 11);
    EXPECT_EQ(rows[*r.Found - 1].Side, 0);
    // Every match found is a line shown, never one hidden by DifferencesOnly.
    for (int32_t from = 0;; from = *r.Found) {
        r = Find(FindNext, FindMatch, View(state, from, 1, 40, true), {});
        if (!r.Found) break;
        EXPECT_GT(rows[*r.Found - 1].RawLine, 0);
    }
}

TEST(Keys, EachKeyAndItsModifiers) {
    const FocusPane pane = FocusPane::First;
    EXPECT_EQ(DecideKey(Key::PageDown, 0, pane, false), KeyCommand::PageDown);
    EXPECT_EQ(DecideKey(Key::PageDown, ShiftBit | AltBit, pane, false), KeyCommand::PageDown);
    EXPECT_EQ(DecideKey(Key::PageDown, CtrlBit, FocusPane::None, false), KeyCommand::NextProc);
    EXPECT_EQ(DecideKey(Key::PageUp, CtrlBit, pane, false), KeyCommand::PriorProc);
    EXPECT_EQ(DecideKey(Key::Home, CtrlBit, pane, false), KeyCommand::FirstProc);
    EXPECT_EQ(DecideKey(Key::End, 0, FocusPane::Second, false), KeyCommand::Bottom);
    // Alt+Down scrolls a line, as every modifier does with the arrows.
    EXPECT_EQ(DecideKey(Key::Down, AltBit, pane, false), KeyCommand::LineDown);
    EXPECT_EQ(DecideKey(Key::Left, CtrlBit, pane, false), KeyCommand::ColumnLeft);
    // The scrolling keys need a pane.
    EXPECT_EQ(DecideKey(Key::Down, 0, FocusPane::None, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Home, 0, FocusPane::None, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Minus, 0, FocusPane::None, false), KeyCommand::NextMismatch);
    EXPECT_EQ(DecideKey(Key::Minus, CtrlBit | AltBit, pane, false), KeyCommand::PriorMismatch);
    EXPECT_EQ(DecideKey(Key::Minus, ShiftBit, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Equal, AltBit, pane, false), KeyCommand::NextMatch);
    EXPECT_EQ(DecideKey(Key::Equal, CtrlBit, pane, false), KeyCommand::PriorMatch);
    EXPECT_EQ(DecideKey(Key::F3, 0, pane, false), KeyCommand::RepeatFind);
    EXPECT_EQ(DecideKey(Key::F3, ShiftBit, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::F4, AltBit, pane, false), KeyCommand::Exit);
    EXPECT_EQ(DecideKey(Key::F9, CtrlBit, pane, false), KeyCommand::ArmDebugKeys);
    // Ctrl+F10 shows or hides the Debug menu only once the keys are armed.
    EXPECT_EQ(DecideKey(Key::F10, CtrlBit, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::F10, CtrlBit, pane, true), KeyCommand::ShowHideDebugMenu);
    const int all = ShiftBit | CtrlBit | AltBit;
    EXPECT_EQ(DecideKey(Key::F2, all, pane, false), KeyCommand::EndAtOnce);
    EXPECT_EQ(DecideKey(Key::F3, all, pane, false), KeyCommand::RaiseOverflow);
    EXPECT_EQ(DecideKey(Key::F5, all, pane, false), KeyCommand::Dump);
    EXPECT_EQ(DecideKey(Key::F5, CtrlBit | AltBit, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Other, 0, pane, false), KeyCommand::None);
}

TEST(Keys, UpAndDownScrollWithAnyModifierOutsideTheExtendMode) {
    const FocusPane pane = FocusPane::First;
    for (int modifiers : {0, ShiftBit, CtrlBit, AltBit, ShiftBit | CtrlBit | AltBit}) {
        EXPECT_EQ(DecideKey(Key::Down, modifiers, pane, false), KeyCommand::LineDown);
        EXPECT_EQ(DecideKey(Key::Up, modifiers, pane, false), KeyCommand::LineUp);
        EXPECT_EQ(DecideKey(Key::Down, modifiers, pane, false, ExtendMode::OtherPane),
                  KeyCommand::LineDown);
        // In the pane whose selection the mode extends, they extend it, whatever is held.
        EXPECT_EQ(DecideKey(Key::Down, modifiers, pane, false, ExtendMode::FocusedPane),
                  KeyCommand::ExtendDown);
        EXPECT_EQ(DecideKey(Key::Up, modifiers, pane, false, ExtendMode::FocusedPane),
                  KeyCommand::ExtendUp);
    }
}

TEST(Keys, F8StartsAndEndsTheExtendModeAndEscEndsIt) {
    const FocusPane pane = FocusPane::Second;
    EXPECT_EQ(DecideKey(Key::F8, 0, pane, false), KeyCommand::StartExtend);
    EXPECT_EQ(DecideKey(Key::F8, 0, pane, false, ExtendMode::FocusedPane), KeyCommand::EndExtend);
    EXPECT_EQ(DecideKey(Key::F8, 0, pane, false, ExtendMode::OtherPane), KeyCommand::EndExtend);
    EXPECT_EQ(DecideKey(Key::Escape, 0, pane, false, ExtendMode::FocusedPane),
              KeyCommand::EndExtend);
    EXPECT_EQ(DecideKey(Key::Escape, 0, pane, false, ExtendMode::OtherPane), KeyCommand::EndExtend);
    // Outside the mode Esc is not the window's; F8 with a modifier is nobody's.
    EXPECT_EQ(DecideKey(Key::Escape, 0, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Escape, ShiftBit, pane, false, ExtendMode::FocusedPane),
              KeyCommand::None);
    for (int modifiers : {ShiftBit, CtrlBit, AltBit})
        EXPECT_EQ(DecideKey(Key::F8, modifiers, pane, false), KeyCommand::None);
    // The mode needs a pane: the list and the find bar keep F8 and Esc.
    for (FocusPane focus : {FocusPane::None, FocusPane::TextField}) {
        EXPECT_EQ(DecideKey(Key::F8, 0, focus, false), KeyCommand::None);
        EXPECT_EQ(DecideKey(Key::Escape, 0, focus, false, ExtendMode::OtherPane), KeyCommand::None);
    }
}

TEST(Keys, F7StepsToTheNextOrPriorChangedProcedureOrModuleFromAnywhere) {
    for (FocusPane focus :
         {FocusPane::None, FocusPane::First, FocusPane::Second, FocusPane::TextField}) {
        EXPECT_EQ(DecideKey(Key::F7, 0, focus, false), KeyCommand::NextChangedProc);
        EXPECT_EQ(DecideKey(Key::F7, ShiftBit, focus, false), KeyCommand::PriorChangedProc);
        EXPECT_EQ(DecideKey(Key::F7, CtrlBit, focus, false), KeyCommand::NextChangedModule);
        EXPECT_EQ(DecideKey(Key::F7, CtrlBit | ShiftBit, focus, false),
                  KeyCommand::PriorChangedModule);
        // Alt+F7 belongs to the desktop.
        EXPECT_EQ(DecideKey(Key::F7, AltBit, focus, false), KeyCommand::None);
        EXPECT_EQ(DecideKey(Key::F7, CtrlBit | AltBit, focus, false), KeyCommand::None);
    }
}

TEST(StatusNotes, NothingFoundNamesTheKeyToTheNextChangedProcedure) {
    EXPECT_EQ(NothingFoundNote(FindNext, FindMismatch),
              "No further mismatch in this procedure; F7 goes to the next changed procedure");
    EXPECT_EQ(NothingFoundNote(FindNext, FindMatch),
              "No further match in this procedure; F7 goes to the next changed procedure");
    // Searching back, the key that goes back.
    EXPECT_EQ(NothingFoundNote(FindPrior, FindMismatch),
              "No earlier mismatch in this procedure; Shift+F7 goes to the prior changed "
              "procedure");
    EXPECT_EQ(NothingFoundNote(FindFirst, FindMatch),
              "No match in this procedure; F7 goes to the next changed procedure");
    EXPECT_EQ(NoChangedProcNote(1), "No changed procedure after this one");
    EXPECT_EQ(NoChangedProcNote(-1), "No changed procedure before this one");
    EXPECT_EQ(FoundTextNote("Total", 1), "Found \"Total\" in File 2");
    EXPECT_EQ(FoundTextNote("a\xE2\x80\xAE", 0), "Found \"a<U+202E>\" in File 1");
}

TEST(Keys, CopyingKeysActOnAFocusedPaneAndLeaveTheOthersAlone) {
    const FocusPane pane = FocusPane::Second;
    EXPECT_EQ(DecideKey(Key::C, CtrlBit, pane, false), KeyCommand::Copy);
    EXPECT_EQ(DecideKey(Key::A, CtrlBit, pane, false), KeyCommand::SelectAll);
    EXPECT_EQ(DecideKey(Key::Menu, 0, pane, false), KeyCommand::PaneMenu);
    EXPECT_EQ(DecideKey(Key::F10, ShiftBit, pane, false), KeyCommand::PaneMenu);
    // Without a pane, or with other modifiers, the keys are not the window's: the procedure
    // list and the typing in it keep them.
    EXPECT_EQ(DecideKey(Key::C, CtrlBit, FocusPane::None, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::A, CtrlBit, FocusPane::None, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Menu, 0, FocusPane::None, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::C, 0, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::C, CtrlBit | ShiftBit, pane, false), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::A, CtrlBit | AltBit, pane, false), KeyCommand::None);
    // The Debug menu's key keeps its meaning beside Shift+F10.
    EXPECT_EQ(DecideKey(Key::F10, CtrlBit, pane, true), KeyCommand::ShowHideDebugMenu);
    EXPECT_EQ(DecideKey(Key::F10, ShiftBit | CtrlBit, pane, true), KeyCommand::None);
    EXPECT_EQ(DecideKey(Key::Equal, CtrlBit, pane, false), KeyCommand::PriorMatch);
    EXPECT_EQ(DecideKey(Key::Minus, CtrlBit, pane, false), KeyCommand::PriorMismatch);
}

TEST(Keys, ATextFieldKeepsTheKeysThatTypeButNotTheFunctionKeys) {
    const FocusPane field = FocusPane::TextField;
    for (Key key : {Key::Equal, Key::Minus, Key::PageDown, Key::PageUp, Key::Home, Key::End,
                    Key::Down, Key::Left}) {
        for (int modifiers : {0, CtrlBit, ShiftBit}) {
            EXPECT_EQ(DecideKey(key, modifiers, field, false), KeyCommand::None);
        }
    }
    EXPECT_EQ(DecideKey(Key::F3, 0, field, false), KeyCommand::RepeatFind);
    EXPECT_EQ(DecideKey(Key::F4, AltBit, field, false), KeyCommand::Exit);
    // Ctrl+F opens the find bar from anywhere; F alone is a letter.
    for (FocusPane focus : {FocusPane::None, FocusPane::First, FocusPane::Second, field}) {
        EXPECT_EQ(DecideKey(Key::LetterF, CtrlBit, focus, false), KeyCommand::FindText);
        EXPECT_EQ(DecideKey(Key::LetterF, 0, focus, false), KeyCommand::None);
        EXPECT_EQ(DecideKey(Key::LetterF, CtrlBit | ShiftBit, focus, false), KeyCommand::None);
    }
}

TEST(Keys, PagingMovesOnToTheNeighbouringProcedureOnlyAtTheEnds) {
    const BarState bar{true, 50, 1, 81, 19};
    EXPECT_EQ(PageDown(bar).Value, 69);
    EXPECT_EQ(PageDown({true, 62, 1, 81, 19}).Value, 81);  // 62 + 19 is not below the maximum
    EXPECT_EQ(PageDown({true, 81, 1, 81, 19}).ProcStep, 1);
    EXPECT_EQ(PageDown({false, 1, 1, 1, 1}).ProcStep, 1);  // a procedure that fits
    EXPECT_EQ(PageUp(bar).Value, 31);
    EXPECT_EQ(PageUp({true, 20, 1, 81, 19}).Value, 1);
    const PageMove back = PageUp({true, 1, 1, 81, 19});
    EXPECT_FALSE(back.Value);
    EXPECT_EQ(back.ProcStep, -1);
}

}  // namespace
}  // namespace dualis
