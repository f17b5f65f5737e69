// Reading and writing a text file of the INI kind: single keys, or a whole image read once and
// written back once, always replacing the file in one step so a crash never half-writes it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ProfileImage.h"

namespace dualis {

// Where a settings file name leads: a name with a folder stays as it is; a bare name goes to the
// per-user settings folder.
std::filesystem::path ResolveProfilePath(const std::string& fileName);

// $XDG_CONFIG_HOME/Dualis, or ~/.config/Dualis when that variable is unset or not absolute.
std::filesystem::path UserSettingsFolder();

// A settings file as read.
struct ProfileFile {
    ProfileImage Image;  // empty when the file is missing or is no settings file
    bool Exists = false;
    // Why the file is no settings file: not a regular file, unreadable, or not text (a NUL
    // byte among its first 8 KiB). Empty when it was read or is missing.
    std::string Problem;
};

ProfileFile LoadProfile(const std::string& fileName);

// How a save ended: the file that was to be written, and the reason when it was not.
struct SaveResult {
    bool Saved = true;
    std::string FileName;
    std::string Reason;
};

// Replaces the file with the image in one step: a temporary file beside it is written, forced
// to disk and renamed over it, so that the file holds either all of its old or all of its new
// content. A link is followed and kept. A file that has a Problem, or that the user may not
// write, is not replaced; nor is anything when the save fails. Temporary files that killed
// saves left beside the file are removed. A bare name's folder is created when missing.
SaveResult SaveProfile(const std::string& fileName, const ProfileImage& image);

// The value of the key in the section (see ProfileImage::Read); nothing when the file, the
// section or the key is missing or the file cannot be read.
std::optional<std::string> ReadProfileString(const std::string& fileName, std::string_view section,
                                             std::string_view key);

// As above, but a missing value gives the default, which is cut the same way.
std::string ReadProfileString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view defaultText);

// One change (see ProfileImage::Write) read from and saved to the file; a change that changes
// nothing leaves the file alone. False when the file could not be replaced; the old file is
// then untouched.
bool WriteProfileString(const std::string& fileName, std::string_view section,
                        std::optional<std::string_view> key, std::optional<std::string_view> value);

}  // namespace dualis
