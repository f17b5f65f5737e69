// The program's only access to its settings file: typed reads and writes of single keys in a
// current section. Nothing is held open; unless an image of the file is held, every call sees
// the file as it is now and every write replaces it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "IniFile.h"

namespace dualis {

// The system-wide file that reads with UseWinDir go to: WIN.INI in the system's settings
// folder (/etc/xdg/Dualis here, the Windows folder on Windows).
std::string SystemIniFile();

// A given section becomes the current section before the operation and stays current after it.
// ReadBool, ReadNumber, WriteBool, WriteNumber, WriteString and DeleteKey store it through
// SetSection (brackets become "|"); ReadString, ReadWords and WriteWords store it unchanged.
// A single operation reports no failure: a read yields its default, a write is lost. A save of a
// held image (Save) says whether it was made.
class cINIHandler {
  public:
    // The settings file starts as the executable's own name with ".INI", beside it.
    explicit cINIHandler(const std::filesystem::path& executablePath,
                         std::string systemIniFile = SystemIniFile());

    // A name without a folder is a file in the per-user settings folder.
    const std::string& INIFileName() const { return fileName_; }
    void SetINIFileName(std::string fileName) { fileName_ = std::move(fileName); }

    // Stored with every "[" and "]" replaced by "|", which no section header can be confused by.
    const std::string& Section() const { return section_; }
    void SetSection(std::string_view section);

    // "Yes", "True", "-1" / "No", "False", "0" in any case; any other text gives the default.
    bool ReadBool(std::string_view key, bool defaultValue = false,
                  std::optional<std::string_view> section = std::nullopt);
    // The leading number of the value (0 when there is none), the default when the key is
    // missing; raised to lowerBound first, then lowered to upperBound. An empty section counts
    // as not given.
    double ReadNumber(std::string_view key, double defaultValue = 0,
                      std::optional<double> lowerBound = std::nullopt,
                      std::optional<double> upperBound = std::nullopt,
                      std::optional<std::string_view> section = std::nullopt,
                      bool useWinDir = false);
    // The value as it is stored, an empty one included; the default only when it is missing. An
    // empty section counts as not given.
    std::string ReadString(std::string_view key, std::string_view defaultValue = "",
                           std::optional<std::string_view> section = std::nullopt,
                           bool useWinDir = false);
    // The value (the default when it is missing or empty) split at every delimiter, after each
    // pair of adjacent blanks has become one blank; no pieces for an empty text.
    std::vector<std::string> ReadWords(std::string_view key, std::string_view defaultValue = "",
                                       std::string_view delim = " ",
                                       std::optional<std::string_view> section = std::nullopt);

    // Writes "Yes" or "No".
    void WriteBool(std::string_view key, bool data,
                   std::optional<std::string_view> section = std::nullopt);
    // Writes the general decimal form: up to 15 significant digits, "." as the decimal point,
    // and an exponent ("1E+20") only for very large or very small numbers.
    void WriteNumber(std::string_view key, double data,
                     std::optional<std::string_view> section = std::nullopt);
    void WriteString(std::string_view key, std::string_view data,
                     std::optional<std::string_view> section = std::nullopt);
    // Writes the words joined by single blanks.
    void WriteWords(std::string_view key, const std::vector<std::string>& data,
                    std::optional<std::string_view> section = std::nullopt);

    void DeleteKey(std::string_view key, std::optional<std::string_view> section = std::nullopt);
    // Removes the section with all its keys; the current section stays as it is.
    void DeleteSection(std::string_view section);

    // Reads the settings file once and holds its image: until Release, every read and write
    // works on the image in memory (reads with UseWinDir aside), and Save writes it back in one
    // step. Returns what makes the file no settings file (ProfileFile::Problem): empty when it
    // was read or is missing.
    std::string Hold();
    // Holds the text as the settings file's image, without reading the file.
    void HoldText(std::string_view content);
    // The held image's text; empty when nothing is held.
    std::string HeldText() const;
    // Replaces the settings file with the held image in one step (SaveProfile), holding the
    // file first when nothing is held. A file that had a problem when it was held is not
    // replaced: the reason is that problem.
    SaveResult Save();
    void Release() { held_.reset(); }

  private:
    void Write(std::string_view key, std::string_view data);
    std::optional<std::string> Lookup(std::string_view key) const;
    void Change(std::string_view section, std::optional<std::string_view> key,
                std::optional<std::string_view> value);

    std::optional<ProfileFile> held_;
    std::string fileName_;
    std::string section_ = "DEFAULT";
    std::string systemFile_;
};

}  // namespace dualis
