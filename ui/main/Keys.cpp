// The main window's keys and its paging rules.
#include "Keys.h"

namespace dualis {

KeyCommand DecideKey(Key key, int modifiers, FocusPane focus, bool debugKeysArmed,
                     ExtendMode extend) {
    const bool ctrl = (modifiers & CtrlBit) != 0;
    const bool shift = (modifiers & ShiftBit) != 0;
    const bool pane = focus == FocusPane::First || focus == FocusPane::Second;
    constexpr int all = ShiftBit | CtrlBit | AltBit;
    auto paneOnly = [&](KeyCommand command) { return pane ? command : KeyCommand::None; };
    const bool extending = extend == ExtendMode::FocusedPane;
    if (focus == FocusPane::TextField && (IsListKey(key) || key == Key::Equal || key == Key::Minus))
        return KeyCommand::None;
    switch (key) {
        case Key::PageDown:
            return ctrl ? KeyCommand::NextProc : paneOnly(KeyCommand::PageDown);
        case Key::PageUp:
            return ctrl ? KeyCommand::PriorProc : paneOnly(KeyCommand::PageUp);
        case Key::Down:
            return paneOnly(extending ? KeyCommand::ExtendDown : KeyCommand::LineDown);
        case Key::Up:
            return paneOnly(extending ? KeyCommand::ExtendUp : KeyCommand::LineUp);
        case Key::Right:
            return paneOnly(KeyCommand::ColumnRight);
        case Key::Left:
            return paneOnly(KeyCommand::ColumnLeft);
        case Key::Home:
            return ctrl ? KeyCommand::FirstProc : paneOnly(KeyCommand::Top);
        case Key::End:
            return ctrl ? KeyCommand::LastProc : paneOnly(KeyCommand::Bottom);
        case Key::F3:
            if (modifiers == 0) return KeyCommand::RepeatFind;
            return modifiers == all ? KeyCommand::RaiseOverflow : KeyCommand::None;
        case Key::Equal:
            if (shift) return KeyCommand::None;
            return ctrl ? KeyCommand::PriorMatch : KeyCommand::NextMatch;
        case Key::Minus:
            if (shift) return KeyCommand::None;
            return ctrl ? KeyCommand::PriorMismatch : KeyCommand::NextMismatch;
        case Key::F4:
            return modifiers == AltBit ? KeyCommand::Exit : KeyCommand::None;
        case Key::F7:
            if (modifiers == 0) return KeyCommand::NextChangedProc;
            if (modifiers == ShiftBit) return KeyCommand::PriorChangedProc;
            if (modifiers == CtrlBit) return KeyCommand::NextChangedModule;
            return modifiers == (CtrlBit | ShiftBit) ? KeyCommand::PriorChangedModule
                                                     : KeyCommand::None;
        case Key::F8:
            if (modifiers != 0) return KeyCommand::None;
            return paneOnly(extend == ExtendMode::Off ? KeyCommand::StartExtend
                                                      : KeyCommand::EndExtend);
        case Key::Escape:
            // Only the extend mode takes Esc; otherwise it stays with the find bar and the list.
            return modifiers == 0 && extend != ExtendMode::Off ? paneOnly(KeyCommand::EndExtend)
                                                               : KeyCommand::None;
        case Key::F9:
            return modifiers == CtrlBit ? KeyCommand::ArmDebugKeys : KeyCommand::None;
        case Key::F10:
            if (modifiers == ShiftBit) return paneOnly(KeyCommand::PaneMenu);
            return modifiers == CtrlBit && debugKeysArmed ? KeyCommand::ShowHideDebugMenu
                                                          : KeyCommand::None;
        case Key::Menu:
            return modifiers == 0 ? paneOnly(KeyCommand::PaneMenu) : KeyCommand::None;
        case Key::C:
            return modifiers == CtrlBit ? paneOnly(KeyCommand::Copy) : KeyCommand::None;
        case Key::A:
            return modifiers == CtrlBit ? paneOnly(KeyCommand::SelectAll) : KeyCommand::None;
        case Key::F2:
            return modifiers == all ? KeyCommand::EndAtOnce : KeyCommand::None;
        case Key::F5:
            return modifiers == all ? KeyCommand::Dump : KeyCommand::None;
        case Key::LetterF:
            return modifiers == CtrlBit ? KeyCommand::FindText : KeyCommand::None;
        case Key::Other:
            break;
    }
    return KeyCommand::None;
}

bool IsListKey(Key key) {
    switch (key) {
        case Key::PageDown:
        case Key::PageUp:
        case Key::Down:
        case Key::Up:
        case Key::Right:
        case Key::Left:
        case Key::Home:
        case Key::End:
            return true;
        default:
            return false;
    }
}

PageMove PageDown(const BarState& bar) {
    if (bar.Enabled && bar.Value + bar.PageStep < bar.Maximum) return {bar.Value + bar.PageStep, 0};
    if (bar.Enabled && bar.Value != bar.Maximum) return {bar.Maximum, 0};
    return {std::nullopt, +1};
}

PageMove PageUp(const BarState& bar) {
    if (bar.Enabled && bar.Value - bar.PageStep > bar.Minimum) return {bar.Value - bar.PageStep, 0};
    if (bar.Enabled && bar.Value != bar.Minimum) return {bar.Minimum, 0};
    return {std::nullopt, -1};
}

}  // namespace dualis
