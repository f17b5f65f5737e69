// The options dialog's rules without its widgets: loading, enabling, what OK stores, the page
// keys.
#include <gtest/gtest.h>

#include "OptionsRules.h"

namespace dualis {
namespace {

TEST(OptionsRules, LoadingThenStoringUnchangedControlsChangesNothing) {
    Settings s;
    s.Compare.IgnoreCase = true;
    s.Compare.LineByLine = true;
    s.Compare.TabWidth = 8;
    s.FontName = "Mono";
    s.FontSize = 10.5f;
    s.BackColorHiLite = 0x123456;
    const OptionsControls c = LoadControls(s);
    EXPECT_TRUE(c.IgnoreCase);
    EXPECT_EQ(c.TabWidth, "8");
    EXPECT_EQ(c.Back[RowHiLite], 0x123456u);
    EXPECT_EQ(c.Font, (FontChoice{"Mono", 10.5f, false, false}));
    Settings stored = s;
    EXPECT_FALSE(StoreControls(c, stored));
    EXPECT_EQ(stored, s);
}

TEST(OptionsRules, OkStoresEveryControl) {
    Settings s;
    OptionsControls c = LoadControls(s);
    c.IgnoreTrailing = c.IgnoreComments = true;
    c.TabWidth = "12abc";  // the leading number counts
    c.ReSync = "2.5";      // rounded, halves to even
    c.DifferencesBefore = "";
    c.ShowSymbols = c.HighlightInLine = false;
    c.CountFromProcedure = true;
    c.Font = {"Serif", 14, true, true};
    c.Back[RowHiLite] = 0xABCDEF;
    c.Fore[RowHiLite] = 0x010203;
    ASSERT_FALSE(StoreControls(c, s));
    EXPECT_TRUE(s.Compare.IgnoreTrailingBlanks && s.Compare.IgnoreComments);
    EXPECT_EQ(s.Compare.TabWidth, 12);
    EXPECT_EQ(s.Compare.SyncNumber, 2);
    EXPECT_EQ(s.Compare.DifferencesBefore, 0);  // no number: 0
    EXPECT_FALSE(s.Symbols || s.HighlightInLine);
    EXPECT_TRUE(s.LineNumberByProc);
    EXPECT_EQ(s.FontName, "Serif");
    EXPECT_TRUE(s.FontBold && s.FontItalic);
    EXPECT_EQ(s.BackColorHiLite, 0xABCDEFu);
    EXPECT_EQ(s.ForeColorHiLite, 0x010203u);
    // The corrections every path applies: a resync count below 1 means 2.
    c.ReSync = "0";
    ASSERT_FALSE(StoreControls(c, s));
    EXPECT_EQ(s.Compare.SyncNumber, 2);
}

TEST(OptionsRules, ANumberBeyondWhatASettingHoldsIsRefusedAndNothingIsStored) {
    Settings s;
    OptionsControls c = LoadControls(s);
    c.IgnoreCase = true;
    c.DifferencesAfter = "40000";
    const auto problem = StoreControls(c, s);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Field, "Lines after");
    // The message names the range the field's spinner keeps to.
    EXPECT_EQ(problem->Message, "\"Lines after\" takes a whole number from 1 to 100.");
    c.DifferencesAfter = "3";
    c.ReSync = "99999";
    EXPECT_EQ(StoreControls(c, s)->Message,
              "\"Resync match on\" takes a whole number from 1 to 100.");
    EXPECT_FALSE(s.Compare.IgnoreCase);
    EXPECT_EQ(LeadingWholeNumber("32767"), 32767);
    EXPECT_EQ(LeadingWholeNumber("32767.5"), std::nullopt);  // rounds to 32768
    EXPECT_EQ(LeadingWholeNumber("  7 blanks"), 7);
    EXPECT_EQ(LeadingWholeNumber("-3"), -3);
}

TEST(OptionsRules, DependentControlsFollowTheirControllingBox) {
    OptionsControls c;
    OptionsEnabling e = EnablingOf(c);
    EXPECT_FALSE(e.TabWidth || e.DifferencesLines || e.LineNumberCount);
    EXPECT_TRUE(e.ReSync);
    c.LineByLine = true;
    c.ExpandTabs = c.DifferencesOnly = c.DisplayLineNumbers = true;
    e = EnablingOf(c);
    EXPECT_FALSE(e.ReSync);
    EXPECT_TRUE(e.TabWidth && e.DifferencesLines && e.LineNumberCount);
}

TEST(OptionsRules, PageKeysTitlesAndHelpContexts) {
    EXPECT_EQ(PageAfterKey(PageKey::AltD, 1), 2);
    EXPECT_EQ(PageAfterKey(PageKey::CtrlTab, 2), 1);
    EXPECT_EQ(PageAfterKey(PageKey::CtrlTab, 1), 2);
    EXPECT_EQ(PageAfterKey(PageKey::CtrlShiftTab, 2), 1);
    EXPECT_EQ(PageAfterKey(PageKey::AltC, 2), 1);
    EXPECT_EQ(PageHelpContext(1), 3000);
    EXPECT_EQ(PageHelpContext(2), 3100);
    EXPECT_EQ(ColourDialogTitle(RowAdded, 0), "Select Added Back Color");
    EXPECT_EQ(ColourDialogTitle(RowHiLite, 1), "Select HiLite Fore Color");
}

}  // namespace
}  // namespace dualis
