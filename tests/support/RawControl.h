// Whether text meant for a terminal still holds a control character that could drive it, or
// one that changes the direction in which a line reads.
#pragma once

#include <string>

#include "DirectionControls.h"

namespace dualis::test {

// C0 controls other than a line break or a tab, DEL, C1 controls as UTF-8, and direction
// controls.
inline bool HasRawControl(const std::string& text) {
    if (HoldsDirectionControl(text)) return true;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b < 0x20 && b != '\n' && b != '\t') || b == 0x7F) return true;
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (b == 0xC2 && next >= 0x80 && next <= 0x9F) return true;
    }
    return false;
}

}  // namespace dualis::test
