// What a key pressed in the main window does: a plain decision from the key, the modifiers and
// where the focus is, and the paging rules that move through a procedure and on to the next.
// The window sees keys before its controls and carries out the command returned.
#pragma once

#include <cstdint>
#include <optional>

namespace dualis {

// The keys the window acts on; every other key is Other.
enum class Key {
    Other,
    PageDown,
    PageUp,
    Down,
    Up,
    Right,
    Left,
    Home,
    End,
    F2,
    F3,
    F4,
    F5,
    F7,
    F8,
    F9,
    F10,
    Equal,
    Minus,
    C,
    A,
    LetterF,
    Menu,  // the context menu key
    Escape
};

// Modifier bits as the window's key event carries them.
inline constexpr int ShiftBit = 1;
inline constexpr int CtrlBit = 2;
inline constexpr int AltBit = 4;

// Where the focus is: a display pane (0 or 1), the window's own text field (the find bar), or
// none (the procedure list, or anything else).
enum class FocusPane { None, First, Second, TextField };

// The keyboard selection's extend mode: off, on in the pane with the focus, or on in the other.
enum class ExtendMode { Off, FocusedPane, OtherPane };

enum class KeyCommand {
    None,
    PageDown,
    PageUp,  // the pane's page, or on to the next / previous procedure
    NextProc,
    PriorProc,  // the next / previous entry of the procedure list
    FirstProc,
    LastProc,  // the first / last entry, or that procedure's start / end when it is shown
    NextChangedProc,
    PriorChangedProc,  // the next / previous entry whose procedure differs
    NextChangedModule,
    PriorChangedModule,  // the next / previous module whose content differs, in a project
    LineDown,
    LineUp,
    StartExtend,  // a selection of the pane's top row, which Up and Down then extend
    EndExtend,    // the extend mode ends; the selection stays
    ExtendDown,
    ExtendUp,  // in the extend mode, the selection one row further
    ColumnRight,
    ColumnLeft,
    Top,
    Bottom,  // the pane's first / last scroll position
    RepeatFind,
    FindText,  // opens the find bar
    NextMatch,
    PriorMatch,
    NextMismatch,
    PriorMismatch,
    Exit,
    ArmDebugKeys,
    ShowHideDebugMenu,
    EndAtOnce,
    RaiseOverflow,
    Dump,
    Copy,       // the focused pane's selected lines to the clipboard
    SelectAll,  // every row of the focused pane
    PaneMenu,   // the focused pane's context menu
};

// The command for `key` with the `modifiers` bits. The scrolling keys need a focused pane;
// `debugKeysArmed` lets Ctrl+F10 show or hide the Debug menu. A text field keeps every key
// that types or moves in text; only the function keys and Ctrl+F keep their commands there.
// Up and Down scroll with any modifier; only in the extend mode of the focused pane do they
// extend the selection instead. F8 starts and ends that mode, Esc ends it.
KeyCommand DecideKey(Key key, int modifiers, FocusPane focus, bool debugKeysArmed,
                     ExtendMode extend = ExtendMode::Off);

// True for the keys that a focused procedure list handles itself.
bool IsListKey(Key key);

// A vertical scroll bar as the paging rules see it.
struct BarState {
    bool Enabled = false;
    int32_t Value = 1;
    int32_t Minimum = 1;
    int32_t Maximum = 1;
    int32_t PageStep = 1;
};

// Where a page key takes the pane: a new scroll value, or on to the neighbouring procedure
// (shown from its end when paging up).
struct PageMove {
    std::optional<int32_t> Value;
    int ProcStep = 0;  // +1 next, -1 previous, 0 stay
};

PageMove PageDown(const BarState& bar);
PageMove PageUp(const BarState& bar);

}  // namespace dualis
