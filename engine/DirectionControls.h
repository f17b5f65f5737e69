// The characters that change the direction in which text is shown (Unicode's bidirectional
// formatting characters). Shown as they are, they can make a line read in another order than
// the compiler reads it, so wherever text is shown to a person they are made visible.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dualis {

// The direction control that the text's first bytes encode in UTF-8, or 0 when they encode
// none: U+061C, U+200E, U+200F, U+202A to U+202E and U+2066 to U+2069.
char32_t DirectionControlAt(std::string_view text);

// The length in UTF-8 bytes of a direction control: 2 for U+061C, else 3.
inline size_t DirectionControlLength(char32_t control) {
    return control < 0x800 ? 2 : 3;
}

// True when the text holds a direction control.
bool HoldsDirectionControl(std::string_view text);

// "<U+202E>" for U+202E: the form in which a direction control is named to a person.
std::string DirectionControlName(char32_t control);

// The text with every direction control written as its name; everything else as it is.
std::string NameDirectionControls(std::string_view text);

}  // namespace dualis
