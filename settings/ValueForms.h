// How a settings text is read as a Boolean or a number, shared by the settings file and the
// command line's option values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dualis {

// "Yes", "True", "-1" and "No", "False", "0" in any letter case, blanks around ignored;
// nothing for any other text.
std::optional<bool> BoolFromText(std::string_view text);

// The leading numeric value of a text, read as a numeric literal: blanks skipped, an optional
// sign, digits with an optional fraction and exponent, or "&H" and hexadecimal digits. Reading
// stops at the first character that cannot continue the number; nothing when no number is in
// front.
std::optional<double> FindLeadingNumber(std::string_view text);

// The same, with 0 for a text that has no number in front.
inline double LeadingNumber(std::string_view text) {
    return FindLeadingNumber(text).value_or(0);
}

// Rounds to the nearest whole number, halves to the even neighbour; nothing when the result
// does not fit 16 bits.
std::optional<int16_t> WholeNumber16(double value);

}  // namespace dualis
