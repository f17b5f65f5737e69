// How each form of settings value is read from and written to the settings file: booleans,
// whole numbers read leniently or strictly, singles, colours and texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "INIHandler.h"

namespace dualis {

// Reads one key after another from the current section. A value that does not fit its key's
// form gives what the form reads it as (mostly the key's default) and a message naming the key,
// the value and what is used instead; the reading goes on. A missing key gives its default
// without a message, and so does an empty value, except where the form is strict.
class KeyReader {
  public:
    KeyReader(cINIHandler& ini, std::vector<std::string>& problems)
        : ini_(ini), problems_(problems) {}

    // A text that is no Boolean word gives the default.
    bool Bool(std::string_view key, bool defaultValue);
    std::string String(std::string_view key, std::string_view defaultValue) {
        return ini_.ReadString(key, defaultValue);
    }
    // Lenient: the leading number of the text, 0 when there is none; `correct`, when given,
    // turns the number into the value used.
    using Correction = int16_t (*)(int16_t);
    int16_t Whole16(std::string_view key, int16_t defaultValue, Correction correct = nullptr);
    int32_t Whole32(std::string_view key, int32_t defaultValue);
    float Single(std::string_view key, float defaultValue);
    // Strict: the whole text must be a number.
    int16_t StrictWhole16(std::string_view key, int16_t defaultValue);
    // A whole number of 32 bits, kept in single precision.
    float StrictWholeSingle(std::string_view key, float defaultValue);
    uint32_t Colour(std::string_view key, uint32_t defaultValue);

    // Adds the message `key: "text" fault; outcome.`
    void Report(std::string_view key, std::string_view text, std::string_view fault,
                std::string_view outcome);

  private:
    // The message for a lenient number without a number in front, which reads as 0.
    void ReportNoNumber(std::string_view key, std::string_view text, const std::string& used);

    cINIHandler& ini_;
    std::vector<std::string>& problems_;
};

// Writes one key after another into the current section, each in its key's form.
class KeyWriter {
  public:
    explicit KeyWriter(cINIHandler& ini) : ini_(ini) {}

    void Bool(std::string_view key, bool value) { ini_.WriteBool(key, value); }
    void String(std::string_view key, std::string_view value);
    void Number(std::string_view key, int32_t value);
    void Number(std::string_view key, float value);
    void Colour(std::string_view key, uint32_t value);

  private:
    cINIHandler& ini_;
};

}  // namespace dualis
