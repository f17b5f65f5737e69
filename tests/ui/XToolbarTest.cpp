// The toolbars without a display: the main window's layout, the button records, the hover
// texts and the press tracking.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Find.h"
#include "RunTimeError.h"
#include "XToolbar.h"

namespace dualis {
namespace {

struct MainToolbar {
    explicit MainToolbar(bool optionsButton = false) {
        AddMainWindowButtons(bar, id, optionsButton);
        bar.g_CalcToolbarButtons(id);
    }
    // The centre of the button at `position`.
    std::pair<int, int> Centre(int32_t position) const {
        const ButtonRecord& b = bar.Button(position);
        return {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
    }
    std::optional<HoverTexts> HoverOver(int32_t position, bool toolTips = true) {
        const auto [x, y] = Centre(position);
        return bar.Hover(id, x, y, toolTips);
    }
    int32_t Click(int32_t pressOn, int32_t releaseOn) {
        const auto [x0, y0] = Centre(pressOn);
        bar.PressDown(id, x0, y0);
        const auto [x1, y1] = Centre(releaseOn);
        bar.PressMove(id, x1, y1);
        return bar.PressUp(id, x1, y1);
    }

    XToolbar bar;
    int32_t id = bar.g_AddToolbar();
};

// The left edge of every position, -1 where no button stands.
std::vector<int32_t> Lefts(const XToolbar& bar) {
    std::vector<int32_t> lefts;
    for (int32_t position = 1; position <= bar.ButtonCount(); ++position)
        lefts.push_back(bar.Button(position).Defined() ? bar.Button(position).Left : -1);
    return lefts;
}

TEST(ToolbarLayout, TheMainWindowsButtonsStandInPositionOrder) {
    // Separators (1, 2, 5, 9, 17) advance by 7 and stand 3 back; buttons are 23 wide and abut.
    // Positions 14 (Options, for now) and 15 hold no button and take no room. The buttons to the
    // changed procedures follow Help, and those to the changed modules follow them.
    const MainToolbar t;
    EXPECT_EQ(Lefts(t.bar),
              (std::vector<int32_t>{4,   11,  14, 37, 64,  67,  90,  113, 140, 143, 166,
                                    189, 212, -1, -1, 235, 262, 265, 288, 311, 334}));
    EXPECT_EQ(t.bar.Button(ButtonNextChangedProc).ToolTip, "Next changed procedure");
    EXPECT_EQ(t.bar.Button(ButtonPriorChangedProc).DisabledHelp,
              "Not available unless a file is open");
    EXPECT_EQ(t.bar.Button(ButtonNextChangedModule).ToolTip, "Next changed module");
    EXPECT_EQ(t.bar.Button(ButtonPriorChangedModule).DisabledHelp,
              "Not available unless two projects or folders are open");
    const ButtonRecord& open = t.bar.Button(ButtonOpen);
    EXPECT_EQ((std::vector<int32_t>{open.Top, open.Right, open.Bottom, t.bar.Button(2).Bottom}),
              (std::vector<int32_t>{5, 37, 27, 27}));
    EXPECT_EQ(t.bar.ToolbarHeight(t.id), 32);
    const MainToolbar withOptions(true);
    EXPECT_EQ(Lefts(withOptions.bar)[ButtonOptions - 1], 235);
    EXPECT_EQ(Lefts(withOptions.bar)[ButtonHelp - 1], 258);
    EXPECT_EQ(withOptions.bar.Button(ButtonOptions).StatusHelp, "View and set options");
}

TEST(ToolbarFindButtons, EachRunsTheSearchItsToolTipNames) {
    const MainToolbar t(true);
    const std::vector<std::pair<std::string, ToolbarFind>> expected{
        {"Find next mismatch", {FindNext, FindMismatch}},
        {"Find prior mismatch", {FindPrior, FindMismatch}},
        {"Find next match", {FindNext, FindMatch}},
        {"Find prior match", {FindPrior, FindMatch}}};
    int finds = 0;
    for (int32_t position = 1; position <= t.bar.ButtonCount(); ++position) {
        const std::optional<ToolbarFind> find = MainToolbarFind(position);
        if (!find) continue;
        ++finds;
        const std::string& tip = t.bar.Button(position).ToolTip;
        const auto named = std::find_if(expected.begin(), expected.end(),
                                        [&](const auto& e) { return e.first == tip; });
        ASSERT_NE(named, expected.end()) << tip;
        EXPECT_EQ(*find, named->second) << tip;
    }
    EXPECT_EQ(finds, 4);
    EXPECT_FALSE(MainToolbarFind(NoButton));
}

TEST(ToolbarLayout, ButtonsThatDoNotAbutShareABorder) {
    XToolbar bar;
    const int32_t small = bar.g_AddToolbar(false, false);
    const int32_t large = bar.g_AddToolbar(true, false);
    for (int32_t position : {1, 3}) bar.g_AddToolbarButton(small, position, 1, "", "");
    bar.g_AddToolbarButton(small, 2, SeparatorImage, "", "");
    for (int32_t position : {4, 5}) bar.g_AddToolbarButton(large, position, 1, "", "");
    bar.g_CalcToolbarButtons(small);
    bar.g_CalcToolbarButtons(large);
    // Each toolbar starts at its own left edge; a gap of 6 puts the separator 3 back.
    EXPECT_EQ(Lefts(bar), (std::vector<int32_t>{0, 25, 28, 0, 30}));
    EXPECT_EQ((std::vector<int32_t>{bar.Button(1).Top, bar.Button(1).Right}),
              (std::vector<int32_t>{3, 23}));
    EXPECT_EQ((std::vector<int32_t>{bar.Button(5).Top, bar.Button(5).Right, bar.Button(5).Bottom}),
              (std::vector<int32_t>{4, 61, 34}));
}

TEST(ToolbarRecords, GrowKeepReplaceAndDefaultTheDisabledHelp) {
    XToolbar bar;
    const int32_t id = bar.g_AddToolbar();
    bar.g_AddToolbarButton(id, 2, 1, "Open files", "Open");
    bar.g_AddToolbarButton(id, 5, 2, "Again", "Recompare", "Not now");
    EXPECT_EQ(bar.ButtonCount(), 5);
    EXPECT_EQ(bar.Button(2).DisabledHelp, "Open files");
    EXPECT_EQ(bar.Button(2).State, ButtonState::Added);
    EXPECT_FALSE(bar.Button(3).Defined());
    bar.SetButtonState(5, ButtonState::Disabled);
    bar.g_AddToolbarButton(id, 5, 3, "Later", "Last");
    const ButtonRecord& replaced = bar.Button(5);
    EXPECT_EQ(replaced.Image, 3);
    EXPECT_EQ(replaced.DisabledHelp, "Later");
    EXPECT_EQ(replaced.State, ButtonState::Added);
    EXPECT_EQ(bar.Button(2).ToolTip, "Open");
    EXPECT_THROW(bar.g_AddToolbarButton(id, 0, 1, "", ""), RunTimeError);
    EXPECT_THROW(bar.g_AddToolbarButton(id + 1, 1, 1, "", ""), RunTimeError);
}

TEST(ToolbarRecords, LayingOutAgainKeepsADisabledButtonDisabled) {
    MainToolbar t;
    t.bar.SetButtonState(ButtonFindNextMatch, ButtonState::Disabled);
    t.bar.g_CalcToolbarButtons(t.id);
    EXPECT_EQ(t.bar.Look(ButtonFindNextMatch), ButtonLook::Greyed);
}

TEST(ToolbarHover, ShowsTheHelpOfTheButtonByItsStateAndTheSwitch) {
    MainToolbar t;
    EXPECT_EQ(t.HoverOver(ButtonViewHorizontal),
              (HoverTexts{"View horizontal view: above and below", "View horizontal"}));
    EXPECT_EQ(t.bar.Look(ButtonViewHorizontal), ButtonLook::Raised);
    t.bar.SetButtonState(ButtonFindNextMismatch, ButtonState::Disabled);
    EXPECT_EQ(t.HoverOver(ButtonFindNextMismatch),
              (HoverTexts{"Not available unless a file is open", "Find next mismatch"}));
    EXPECT_EQ(t.bar.Look(ButtonFindNextMismatch), ButtonLook::Greyed);
    t.bar.SetButtonState(ButtonFindNextMismatch, ButtonState::Enabled);
    EXPECT_EQ(t.HoverOver(ButtonFindNextMismatch)->StatusHelp, "Find the next mismatched block");
    // With the switch off a button changes neither text, though it still rises.
    EXPECT_EQ(t.HoverOver(ButtonOpen, false), std::nullopt);
    EXPECT_EQ(t.bar.Look(ButtonOpen), ButtonLook::Raised);
    EXPECT_EQ(t.bar.Look(ButtonFindNextMismatch), ButtonLook::Flat);
}

TEST(ToolbarHover, OffTheButtonsBothTextsAreEmptied) {
    MainToolbar t;
    // The left margin, a separator, above Open and past the last button, with the switch on and
    // off.
    for (bool toolTips : {true, false})
        for (const auto& [x, y] : {std::pair{2, 10}, {11, 10}, {20, 2}, {370, 10}})
            EXPECT_EQ(t.bar.Hover(t.id, x, y, toolTips), HoverTexts{});
    EXPECT_EQ(t.bar.Toolbar(t.id).Hovered, NoButton);
    t.HoverOver(ButtonHelp);
    t.bar.HoverEnd(t.id);
    EXPECT_EQ(t.bar.Look(ButtonHelp), ButtonLook::Flat);
}

TEST(ToolbarPress, OnlyAReleaseOverThePressedButtonRunsIt) {
    MainToolbar t;
    EXPECT_EQ(t.Click(ButtonOpen, ButtonOpen), ButtonOpen);
    EXPECT_EQ(t.Click(ButtonOpen, ButtonRecompare), NoButton);
    EXPECT_EQ(t.bar.Toolbar(t.id).Pressed, NoButton);
    // Pressed, dragged off and back: sunken only while over it, and it still runs.
    const auto [x, y] = t.Centre(ButtonHelp);
    t.bar.PressDown(t.id, x, y);
    EXPECT_EQ(t.bar.Look(ButtonHelp), ButtonLook::Sunken);
    t.bar.PressMove(t.id, x, 100);
    t.bar.Hover(t.id, x, 100, true);
    EXPECT_EQ(t.bar.Look(ButtonHelp), ButtonLook::Raised);
    t.HoverOver(ButtonOpen);
    EXPECT_EQ(t.bar.Look(ButtonOpen), ButtonLook::Flat);  // only the pressed button answers
    EXPECT_EQ(t.bar.PressUp(t.id, x, y), ButtonHelp);
    // A press off the buttons tracks nothing.
    t.bar.PressDown(t.id, 2, 10);
    EXPECT_EQ(t.bar.PressUp(t.id, t.Centre(ButtonOpen).first, 10), NoButton);
}

TEST(ToolbarPress, ADisabledButtonRunsNothing) {
    MainToolbar t;
    t.bar.SetButtonState(ButtonFindPriorMatch, ButtonState::Disabled);
    EXPECT_EQ(t.Click(ButtonFindPriorMatch, ButtonFindPriorMatch), NoButton);
    // Disabled while held down.
    const auto [x, y] = t.Centre(ButtonRecompare);
    t.bar.PressDown(t.id, x, y);
    t.bar.SetButtonState(ButtonRecompare, ButtonState::Disabled);
    EXPECT_EQ(t.bar.PressUp(t.id, x, y), NoButton);
}

}  // namespace
}  // namespace dualis
