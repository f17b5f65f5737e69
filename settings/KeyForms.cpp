#include "KeyForms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "ValueForms.h"

namespace dualis {
namespace {

constexpr std::string_view Blanks = " \t";

std::string HexText(uint32_t value) {
    char buffer[8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string text(buffer, result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
    return text;
}

// White is &HFFFFFF, black &H0.
std::string ColourText(uint32_t colour) {
    return "&H" + HexText(colour);
}

std::string NumberText(int32_t value) {
    return std::to_string(value);
}

// The shortest text that reads back as the same single-precision value, in the general form
// the settings file uses for numbers: an exponent (1.5E+20) only for very large or very small
// values.
std::string NumberText(float value) {
    if (value == 0) return "0";  // -0 too
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

// The file layer trims blanks around a value and removes one pair of enclosing quotes, so a
// value that has either is stored inside quotes of its own and reads back unchanged.
std::string StoredText(std::string_view value) {
    const bool edgeBlank =
        !value.empty() && (Blanks.find(value.front()) != std::string_view::npos ||
                           Blanks.find(value.back()) != std::string_view::npos);
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (!edgeBlank && !quoted) return std::string(value);
    std::string stored = "\"";
    stored.append(value).push_back('"');
    return stored;
}

std::optional<int32_t> WholeNumber32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

enum class HexForm {
    Signed,   // as a literal reads: up to &HFFFF 16 bits, beyond it 32 bits (&HFFFF is -1)
    Unsigned  // colours: the digits as they stand, so every written colour reads back
};

// The whole text, blanks around it aside, as one number: an optional sign, decimal digits
// with an optional fraction and exponent; or "&H" and hexadecimal digits. Nothing when the
// text is anything else, the empty text included.
std::optional<double> WholeText(std::string_view text, HexForm hexForm) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(Blanks) - first + 1);

    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        double value = 0;
        for (char c : text.substr(2)) {
            if (HexDigit(c) < 0) return std::nullopt;
            value = value * 16 + HexDigit(c);
        }
        if (hexForm == HexForm::Signed && value <= 0xFFFF) {
            return static_cast<int16_t>(static_cast<uint16_t>(value));
        }
        if (hexForm == HexForm::Signed && value <= 0xFFFFFFFF) {
            return static_cast<int32_t>(static_cast<uint32_t>(value));
        }
        return value;
    }

    // The decimal form is the one LeadingNumber reads, here spanning the whole text.
    size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const size_t exponent = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i == exponent) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return LeadingNumber(text);
}

// Any 32-bit value, its bits kept: hexadecimal digits up to &HFFFFFFFF, or a decimal number,
// which may be negative as the signed colour values of the system are.
std::optional<uint32_t> ColourBits(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(static_cast<int64_t>(rounded));
}

// Halfway between the largest single and 2^128: from there on a value rounds to infinity, below
// it to a finite single, which the largest single's shortest text (3.4028235E+38) relies on.
constexpr double SingleLimit = static_cast<double>(std::numeric_limits<float>::max()) + 0x1p103;

constexpr std::string_view NotANumber = "is not a number";
constexpr std::string_view OutOfRange = "is out of range";
constexpr std::string_view NotABoolean = "is not Yes, No, True, False, -1 or 0";

std::string TheDefault(const std::string& defaultText) {
    return "the default " + defaultText + " is used";
}

// Blanks around a value are trimmed by the file, so a value of blanks alone is empty too.
bool HasNoNumber(std::string_view text) {
    return !text.empty() && !FindLeadingNumber(text);
}

}  // namespace

bool KeyReader::Bool(std::string_view key, bool defaultValue) {
    const std::string text = ini_.ReadString(key, "");
    if (text.empty()) return defaultValue;
    if (const std::optional<bool> value = BoolFromText(text)) return *value;
    Report(key, text, NotABoolean, TheDefault(defaultValue ? "Yes" : "No"));
    return defaultValue;
}

int16_t KeyReader::Whole16(std::string_view key, int16_t defaultValue, Correction correct) {
    auto used = [correct](int16_t value) { return correct ? correct(value) : value; };
    const std::string text = ini_.ReadString(key, NumberText(defaultValue));
    if (const auto value = WholeNumber16(LeadingNumber(text))) {
        if (HasNoNumber(text)) ReportNoNumber(key, text, NumberText(used(*value)));
        return used(*value);
    }
    Report(key, text, OutOfRange, TheDefault(NumberText(used(defaultValue))));
    return used(defaultValue);
}

int32_t KeyReader::Whole32(std::string_view key, int32_t defaultValue) {
    const std::string text = ini_.ReadString(key, NumberText(defaultValue));
    if (const auto value = WholeNumber32(LeadingNumber(text))) {
        if (HasNoNumber(text)) ReportNoNumber(key, text, NumberText(*value));
        return *value;
    }
    Report(key, text, OutOfRange, TheDefault(NumberText(defaultValue)));
    return defaultValue;
}

float KeyReader::Single(std::string_view key, float defaultValue) {
    const std::string text = ini_.ReadString(key, NumberText(defaultValue));
    const double value = LeadingNumber(text);
    if (std::abs(value) < SingleLimit) {
        if (HasNoNumber(text)) ReportNoNumber(key, text, NumberText(static_cast<float>(value)));
        return static_cast<float>(value);
    }
    Report(key, text, OutOfRange, TheDefault(NumberText(defaultValue)));
    return defaultValue;
}

int16_t KeyReader::StrictWhole16(std::string_view key, int16_t defaultValue) {
    const std::string text = ini_.ReadString(key, NumberText(defaultValue));
    const std::optional<double> number = WholeText(text, HexForm::Signed);
    const std::optional<int16_t> value = number ? WholeNumber16(*number) : std::nullopt;
    if (value) return *value;
    Report(key, text, number ? OutOfRange : NotANumber, TheDefault(NumberText(defaultValue)));
    return defaultValue;
}

float KeyReader::StrictWholeSingle(std::string_view key, float defaultValue) {
    const std::string text = ini_.ReadString(key, NumberText(defaultValue));
    const std::optional<double> number = WholeText(text, HexForm::Signed);
    const std::optional<int32_t> value = number ? WholeNumber32(*number) : std::nullopt;
    if (value) return static_cast<float>(*value);
    Report(key, text, number ? OutOfRange : NotANumber, TheDefault(NumberText(defaultValue)));
    return defaultValue;
}

uint32_t KeyReader::Colour(std::string_view key, uint32_t defaultValue) {
    const std::string text = ini_.ReadString(key, "&H00" + HexText(defaultValue));
    const std::optional<double> number = WholeText(text, HexForm::Unsigned);
    const std::optional<uint32_t> value = number ? ColourBits(*number) : std::nullopt;
    if (value) return *value;
    Report(key, text, number ? OutOfRange : NotANumber, TheDefault(ColourText(defaultValue)));
    return defaultValue;
}

void KeyReader::Report(std::string_view key, std::string_view text, std::string_view fault,
                       std::string_view outcome) {
    std::string message(key);
    message.append(": \"").append(text).append("\" ").append(fault);
    message.append("; ").append(outcome).append(".");
    problems_.push_back(std::move(message));
}

void KeyReader::ReportNoNumber(std::string_view key, std::string_view text,
                               const std::string& used) {
    Report(key, text, NotANumber, used + " is used");
}

void KeyWriter::String(std::string_view key, std::string_view value) {
    ini_.WriteString(key, StoredText(value));
}

void KeyWriter::Number(std::string_view key, int32_t value) {
    ini_.WriteString(key, NumberText(value));
}

void KeyWriter::Number(std::string_view key, float value) {
    ini_.WriteString(key, NumberText(value));
}

void KeyWriter::Colour(std::string_view key, uint32_t value) {
    ini_.WriteString(key, ColourText(value));
}

}  // namespace dualis
