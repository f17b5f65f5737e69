// The toolbars drawn by the program itself: the tables of toolbars and buttons, the buttons'
// layout in pixels, and what the pointer over them means (hover texts, press tracking). The
// widget that paints a toolbar only reads this state and forwards the mouse to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dualis {

// The image of a button that is no button but a gap with an etched line.
inline constexpr int32_t SeparatorImage = -1;
// A position that belongs to no button: the press tracking's result when a press ran nothing,
// and the hovered or pressed button when there is none. No command has it.
inline constexpr int32_t NoButton = 0;

// Indexes of the button images, as the main window's table uses them.
enum ToolbarImage : int32_t {
    ImageOpen = 1,
    ImageRecompare = 2,
    ImageViewCombined = 3,
    ImageViewVertical = 4,
    ImageViewHorizontal = 5,
    ImageFindPriorMatch = 6,
    ImageFindPriorMismatch = 7,
    ImageFindNextMatch = 8,
    ImageFindNextMismatch = 9,
    ImageOptions = 10,
    ImageHelp = 13,
    ImageNextChangedProc = 14,
    ImagePriorChangedProc = 15,
    ImageNextChangedModule = 16,
    ImagePriorChangedModule = 17,
};

// The main window's buttons by position; the window runs the command of the position that a
// completed press reports.
enum MainToolbarButton : int32_t {
    ButtonOpen = 3,
    ButtonRecompare = 4,
    ButtonViewVertical = 6,
    ButtonViewHorizontal = 7,
    ButtonViewCombined = 8,
    ButtonFindNextMismatch = 10,
    ButtonFindPriorMismatch = 11,
    ButtonFindNextMatch = 12,
    ButtonFindPriorMatch = 13,
    ButtonOptions = 14,
    ButtonHelp = 16,
    // After a separator at 17; the positions before keep their numbers and their order.
    ButtonNextChangedProc = 18,
    ButtonPriorChangedProc = 19,
    // Next to them, to the modules of a project comparison.
    ButtonNextChangedModule = 20,
    ButtonPriorChangedModule = 21,
};

enum class ButtonState : int32_t { Added = -1, Enabled = 0, Disabled = 2 };

// How the widget draws an image button.
enum class ButtonLook { Flat, Raised, Sunken, Greyed };

// One toolbar. Hovered and Pressed are button positions, NoButton when none.
struct ToolbarRecord {
    bool LargeButtons = false;
    bool AbuttingButtons = true;
    int32_t Hovered = NoButton;
    int32_t Pressed = NoButton;        // the button a press started on, until the release
    bool PressedUnderPointer = false;  // whether the pointer is over the pressed button
};

// One button position. Placement is in pixels of the toolbar; Right and Bottom are exclusive.
// A separator is drawn at Left from Top to Bottom and has no width (Right = Left).
struct ButtonRecord {
    int32_t Toolbar = 0;  // 0: no button was added at this position
    int32_t Image = SeparatorImage;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    ButtonState State = ButtonState::Added;
    std::string ToolTip;
    std::string StatusHelp;    // shown while the pointer is over the button when it is enabled
    std::string DisabledHelp;  // and when it is disabled

    bool Defined() const { return Toolbar != 0; }
    bool IsSeparator() const { return Image == SeparatorImage; }
    bool Enabled() const { return State != ButtonState::Disabled; }
};

// The texts that hovering shows: the status line's and the tool tip.
struct HoverTexts {
    std::string StatusHelp;
    std::string ToolTip;
    bool operator==(const HoverTexts&) const = default;
};

class XToolbar {
  public:
    // Adds a toolbar and returns its identifier (from 1). The main window's has small buttons that
    // abut.
    int32_t g_AddToolbar(bool largeButtons = false, bool abuttingButtons = true);

    // Fills the record at `position` (from 1), growing the table to it and keeping the records
    // before; a later call for the same position replaces the record. The disabled help is the
    // status help unless given. An image of SeparatorImage makes a separator.
    void g_AddToolbarButton(int32_t toolbar, int32_t position, int32_t image,
                            std::string statusHelp, std::string toolTip,
                            std::optional<std::string> disabledHelp = std::nullopt);

    // Lays out the toolbar's buttons left to right in position order. A position no button was
    // added at belongs to no toolbar and takes no room, so it leaves no gap. The buttons keep
    // their state: laying out again, as a resize does, must not enable a disabled button.
    void g_CalcToolbarButtons(int32_t toolbar);

    // Enables or disables the button at `position`; a press on it in progress ends unreported.
    void SetButtonState(int32_t position, ButtonState state);

    // The highest position added so far; positions run from 1 to it.
    int32_t ButtonCount() const { return static_cast<int32_t>(buttons_.size()); }
    // The record at `position` (from 1 to ButtonCount()).
    const ButtonRecord& Button(int32_t position) const;
    const ToolbarRecord& Toolbar(int32_t toolbar) const;

    // Width and height the laid-out toolbar needs: its buttons with the top margin on every side.
    int32_t ToolbarWidth(int32_t toolbar) const;
    int32_t ToolbarHeight(int32_t toolbar) const;

    // The image button of the toolbar under the point (x, y), or NoButton.
    int32_t ButtonAt(int32_t toolbar, int x, int y) const;

    // Press tracking: a press starts on an enabled image button (elsewhere it tracks nothing);
    // moves follow the pointer; the release reports the pressed button's position when the
    // pointer is over it again, NoButton otherwise, and ends the press.
    void PressDown(int32_t toolbar, int x, int y);
    void PressMove(int32_t toolbar, int x, int y);
    int32_t PressUp(int32_t toolbar, int x, int y);

    // The pointer moved to (x, y): marks the button under it as hovered. Returns the texts to
    // show: over a button and with the tool-tips switch on, its status help (its disabled help
    // when disabled) and its tool tip; over a button with the switch off, nothing (both texts
    // stay as they are); over no button, two empty texts.
    std::optional<HoverTexts> Hover(int32_t toolbar, int x, int y, bool toolTips);
    // The pointer left the toolbar: no button is hovered any more.
    void HoverEnd(int32_t toolbar);

    // How the button at `position` is drawn: greyed when disabled; while a press is held, the
    // pressed button sunken when the pointer is over it and raised when not, the others flat;
    // with no press, the hovered button raised.
    ButtonLook Look(int32_t position) const;

  private:
    ToolbarRecord& ToolbarAt(int32_t toolbar);
    ButtonRecord& ButtonRecordAt(int32_t position);

    std::vector<ToolbarRecord> toolbars_;  // identifier n is element n - 1
    std::vector<ButtonRecord> buttons_;    // position n is element n - 1
};

// Adds the main window's buttons to the toolbar, positions 1 to 21, ready to be laid out. The
// Options button (position 14) is added only when `optionsButton` is set.
void AddMainWindowButtons(XToolbar& bar, int32_t toolbar, bool optionsButton);

// The block search a Find button of the main window runs: its FindType and FindWhat.
struct ToolbarFind {
    int16_t Type = 0;
    int16_t What = 0;
    bool operator==(const ToolbarFind&) const = default;
};
// The search of the button at `position`; none for a button that is no Find button.
std::optional<ToolbarFind> MainToolbarFind(int32_t position);

}  // namespace dualis
