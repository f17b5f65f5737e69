#include "ValueForms.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace dualis {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<bool> BoolFromText(std::string_view text) {
    std::string word;
    for (char c : text) word.push_back((c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c);
    const size_t first = word.find_first_not_of(' ');
    word = first == std::string::npos ? ""
                                      : word.substr(first, word.find_last_not_of(' ') - first + 1);
    if (word == "NO" || word == "FALSE" || word == "0") return false;
    if (word == "YES" || word == "TRUE" || word == "-1") return true;
    return std::nullopt;
}

std::optional<double> FindLeadingNumber(std::string_view text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return std::nullopt;
    text.remove_prefix(i);
    if (text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        // As a hexadecimal literal reads: up to four digits a 16-bit value, up to eight a
        // 32-bit one, both signed (&HFFFF is -1).
        uint64_t value = 0;
        size_t k = 2;
        for (; k < text.size() && k < 10 && HexDigit(text[k]) >= 0; ++k) {
            value = value * 16 + static_cast<uint64_t>(HexDigit(text[k]));
        }
        if (k == 2) return std::nullopt;
        if (value <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(value));
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    size_t k = 0;
    std::string number;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) number.push_back(text[k++]);
    bool digits = false;
    while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) {
        number.push_back(text[k++]);
        digits = true;
    }
    if (k < text.size() && text[k] == '.') {
        number.push_back(text[k++]);
        while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]))) {
            number.push_back(text[k++]);
            digits = true;
        }
    }
    if (!digits) return std::nullopt;
    if (k < text.size() && (text[k] == 'E' || text[k] == 'e')) {
        size_t e = k + 1;
        std::string exponent = "e";
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) exponent.push_back(text[e++]);
        if (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) {
            while (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) {
                exponent.push_back(text[e++]);
            }
            number += exponent;
        }
    }
    // Always with a full stop, whatever the locale says.
    double value = 0;
    const char* begin = number.c_str() + (number[0] == '+' ? 1 : 0);
    std::from_chars(begin, number.c_str() + number.size(), value);
    return value;
}

std::optional<int16_t> WholeNumber16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(rounded);
}

}  // namespace dualis
