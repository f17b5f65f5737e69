// File names between the program's UTF-8 and the wide names of the Win32 API, in the form the
// API needs for names longer than its classic limit.
#pragma once

#include <string>
#include <string_view>

namespace dualis::os {

// UTF-8 to UTF-16 and back; a sequence that is not valid becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The "\\?\" form of a full name: "C:\a" becomes "\\?\C:\a", "\\server\share\a" becomes
// "\\?\UNC\server\share\a", with every "/" turned into "\" (the form takes each character
// as it stands). A name already in that form or in the device form ("\\.\"), and a name
// that is not full (relative, or rooted without a drive), are returned unchanged.
std::wstring ExtendedLengthName(std::wstring_view fullName);

// The name to hand the API: as it is while short, else made full (against the current folder)
// and given the extended form.
std::wstring SystemName(std::wstring_view name);
std::wstring SystemName(std::string_view utf8Name);

}  // namespace dualis::os
