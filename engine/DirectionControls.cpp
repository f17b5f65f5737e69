// Finding and naming the characters that change the text direction.
#include "DirectionControls.h"

#include <algorithm>

namespace dualis {
namespace {

unsigned char Byte(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// Every direction control starts with one of these bytes in UTF-8 (U+061C with D8, the rest
// with E2), so text without them is passed over at once.
bool MayStartControl(char c) {
    return c == '\xD8' || c == '\xE2';
}

}  // namespace

char32_t DirectionControlAt(std::string_view text) {
    if (text.size() >= 2 && Byte(text, 0) == 0xD8 && Byte(text, 1) == 0x9C) return 0x061C;
    if (text.size() < 3 || Byte(text, 0) != 0xE2) return 0;
    const unsigned char second = Byte(text, 1), third = Byte(text, 2);
    const bool control =
        (second == 0x80 && (third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE))) ||
        (second == 0x81 && third >= 0xA6 && third <= 0xA9);
    return control ? 0x2000 + ((second & 0x3F) << 6) + (third & 0x3F) : 0;
}

bool HoldsDirectionControl(std::string_view text) {
    for (auto it = std::find_if(text.begin(), text.end(), MayStartControl); it != text.end();
         it = std::find_if(it + 1, text.end(), MayStartControl)) {
        if (DirectionControlAt(text.substr(static_cast<size_t>(it - text.begin()))) != 0) {
            return true;
        }
    }
    return false;
}

std::string DirectionControlName(char32_t control) {
    constexpr char Digits[] = "0123456789ABCDEF";
    std::string name = "<U+";
    for (int shift = 12; shift >= 0; shift -= 4) name.push_back(Digits[(control >> shift) & 15]);
    name.push_back('>');
    return name;
}

std::string NameDirectionControls(std::string_view text) {
    if (!HoldsDirectionControl(text)) return std::string(text);
    std::string named;
    size_t i = 0;
    while (i < text.size()) {
        const char32_t control = DirectionControlAt(text.substr(i));
        if (control != 0) {
            named += DirectionControlName(control);
            i += DirectionControlLength(control);
        } else {
            named.push_back(text[i++]);
        }
    }
    return named;
}

}  // namespace dualis
