// Typed reads and writes of the settings file over the INI layer.
#include "INIHandler.h"

#include <algorithm>
#include <charconv>

#include "OsFacts.h"
#include "ValueForms.h"

namespace dualis {
namespace {

std::string GeneralNumber(double value) {
    if (value == 0) return "0";  // -0 too: a stored "-0" would only puzzle a reader
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

// Each pair of adjacent blanks becomes one blank in a single left-to-right pass, so a run of n
// blanks keeps n/2 of them, rounded up; stored word lists depend on exactly this.
std::string HalveBlankRuns(std::string_view text) {
    std::string halved;
    for (size_t i = 0; i < text.size(); ++i) {
        halved.push_back(text[i]);
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
    }
    return halved;
}

std::vector<std::string> SplitAt(const std::string& text, std::string_view delim) {
    if (text.empty()) return {};
    if (delim.empty()) return {text};
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at = text.find(delim); at != std::string::npos; at = text.find(delim, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + delim.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

std::string SystemIniFile() {
    return os::SystemSettingsFolder() + "WIN.INI";
}

cINIHandler::cINIHandler(const std::filesystem::path& executablePath, std::string systemIniFile)
    : fileName_(
          (executablePath.parent_path() / (executablePath.stem().string() + ".INI")).string()),
      systemFile_(std::move(systemIniFile)) {}

void cINIHandler::SetSection(std::string_view section) {
    section_ = section;
    std::replace_if(
        section_.begin(), section_.end(), [](char c) { return c == '[' || c == ']'; }, '|');
}

std::optional<std::string> cINIHandler::Lookup(std::string_view key) const {
    return held_ ? held_->Image.Read(section_, key) : ReadProfileString(fileName_, section_, key);
}

void cINIHandler::Change(std::string_view section, std::optional<std::string_view> key,
                         std::optional<std::string_view> value) {
    if (held_) {
        held_->Image.Write(section, key, value);
    } else {
        WriteProfileString(fileName_, section, key, value);
    }
}

std::string cINIHandler::Hold() {
    held_ = LoadProfile(fileName_);
    return held_->Problem;
}

void cINIHandler::HoldText(std::string_view content) {
    held_.emplace();
    held_->Image = ProfileImage(content);
}

std::string cINIHandler::HeldText() const {
    return held_ ? held_->Image.Text() : std::string();
}

SaveResult cINIHandler::Save() {
    if (!held_) Hold();
    if (!held_->Problem.empty()) {
        return {false, ResolveProfilePath(fileName_).string(), held_->Problem};
    }
    return SaveProfile(fileName_, held_->Image);
}

bool cINIHandler::ReadBool(std::string_view key, bool defaultValue,
                           std::optional<std::string_view> section) {
    if (section) SetSection(*section);
    const std::optional<std::string> text = Lookup(key);
    return text ? BoolFromText(*text).value_or(defaultValue) : defaultValue;
}

double cINIHandler::ReadNumber(std::string_view key, double defaultValue,
                               std::optional<double> lowerBound, std::optional<double> upperBound,
                               std::optional<std::string_view> section, bool useWinDir) {
    if (section && !section->empty()) SetSection(*section);
    const std::optional<std::string> text =
        useWinDir ? ReadProfileString(systemFile_, section_, key) : Lookup(key);
    double value = text ? LeadingNumber(*text) : defaultValue;
    if (lowerBound && value < *lowerBound) value = *lowerBound;
    if (upperBound && value > *upperBound) value = *upperBound;
    return value;
}

std::string cINIHandler::ReadString(std::string_view key, std::string_view defaultValue,
                                    std::optional<std::string_view> section, bool useWinDir) {
    if (section && !section->empty()) section_ = *section;
    if (useWinDir) return ReadProfileString(systemFile_, section_, key, defaultValue);
    std::optional<std::string> value = Lookup(key);
    return value ? std::move(*value) : std::string(FirstProfileChars(defaultValue));
}

std::vector<std::string> cINIHandler::ReadWords(std::string_view key, std::string_view defaultValue,
                                                std::string_view delim,
                                                std::optional<std::string_view> section) {
    if (section) section_ = *section;
    std::string text = Lookup(key).value_or(std::string(FirstProfileChars(defaultValue)));
    if (text.empty()) text = defaultValue;
    return SplitAt(HalveBlankRuns(text), delim);
}

void cINIHandler::WriteBool(std::string_view key, bool data,
                            std::optional<std::string_view> section) {
    if (section) SetSection(*section);
    Write(key, data ? "Yes" : "No");
}

void cINIHandler::WriteNumber(std::string_view key, double data,
                              std::optional<std::string_view> section) {
    if (section) SetSection(*section);
    Write(key, GeneralNumber(data));
}

void cINIHandler::WriteString(std::string_view key, std::string_view data,
                              std::optional<std::string_view> section) {
    if (section) SetSection(*section);
    Write(key, data);
}

void cINIHandler::WriteWords(std::string_view key, const std::vector<std::string>& data,
                             std::optional<std::string_view> section) {
    if (section) section_ = *section;
    std::string joined;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0) joined += ' ';
        joined += data[i];
    }
    Write(key, joined);
}

void cINIHandler::DeleteKey(std::string_view key, std::optional<std::string_view> section) {
    if (section) SetSection(*section);
    Change(section_, key, std::nullopt);
}

void cINIHandler::DeleteSection(std::string_view section) {
    Change(section, std::nullopt, std::nullopt);
}

void cINIHandler::Write(std::string_view key, std::string_view data) {
    Change(section_, key, data);
}

}  // namespace dualis
