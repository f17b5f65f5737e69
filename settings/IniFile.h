// Reading and writing single keys of a text file of the INI kind, keeping everything else in the
// file as the user left it, and replacing the file in one step so a crash never half-writes it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dualis {

// A read hands back at most this many characters of a value.
inline constexpr size_t MaxProfileChars = 254;

// Where a settings file name leads: a name with a folder stays as it is; a bare name goes to the
// per-user settings folder.
std::filesystem::path ResolveProfilePath(const std::string& fileName);

// $XDG_CONFIG_HOME/Dualis, or ~/.config/Dualis when that variable is unset or not absolute.
std::filesystem::path UserSettingsFolder();

// The value of the key in the section, both matched without regard to case: blanks around it
// and one pair of enclosing double quotes removed, then cut to MaxProfileChars characters.
// Nothing when the file, the section or the key is missing or the file cannot be read.
std::optional<std::string> ReadProfileString(const std::string& fileName, std::string_view section,
                                             std::string_view key);

// As above, but a missing value gives the default, which is cut the same way.
std::string ReadProfileString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view defaultText);

// With key and value: sets the key, creating the file, the section or the key when missing.
// With a key and no value: removes the key. Without a key: removes the section with its keys.
// Every other line of the file stays as it was. False when the file could not be replaced; the
// old file is then untouched.
bool WriteProfileString(const std::string& fileName, std::string_view section,
                        std::optional<std::string_view> key, std::optional<std::string_view> value);

}  // namespace dualis
