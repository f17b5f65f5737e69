// The key codes and modifier bits of the window's key table and trace: each key by the code the
// keyboard layout of the table gives it (Page Down 34, F3 114, "=" 187, "-" 189, "-" of the
// keypad 109), from the key as the window system reports it.
#pragma once

#include <Qt>

#include "Keys.h"

namespace dualis {

// The Shift (1), Ctrl (2) and Alt (4) bits of the modifiers.
inline int ModifierBits(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? ShiftBit : 0) |
           (modifiers & Qt::ControlModifier ? CtrlBit : 0) |
           (modifiers & Qt::AltModifier ? AltBit : 0);
}

// The code of the key `qtKey` (a Qt::Key); `keypad` for a key of the numeric keypad. A shifted
// symbol counts as its key on a US keyboard ("+" is the "=" key); 0 for a key without a code.
int VirtualKeyCode(int qtKey, bool keypad);

}  // namespace dualis
