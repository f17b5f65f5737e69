// Wide names for the Win32 API.
#include "WindowsNames.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace dualis::os {
namespace {

// Below the classic limit of 260, less room for a file name made inside a folder so named.
constexpr size_t ShortNameLimit = 240;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring ExtendedLengthName(std::wstring_view fullName) {
    std::wstring name(fullName);
    const bool twoSeparators = name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
    if (twoSeparators && name.size() >= 4 && (name[2] == L'?' || name[2] == L'.') &&
        IsSeparator(name[3])) {
        return name;
    }
    const bool drive =
        name.size() >= 3 && std::iswalpha(name[0]) && name[1] == L':' && IsSeparator(name[2]);
    if (!drive && !twoSeparators) return name;
    std::replace(name.begin(), name.end(), L'/', L'\\');
    return drive ? L"\\\\?\\" + name : L"\\\\?\\UNC\\" + name.substr(2);
}

std::wstring SystemName(std::wstring_view name) {
    if (name.size() < ShortNameLimit) return std::wstring(name);
    const std::wstring given(name);
    const DWORD length = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (length == 0) return given;
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(given.c_str(), length, full.data(), nullptr);
    full.resize(written);
    return ExtendedLengthName(full);
}

std::wstring SystemName(std::string_view utf8Name) {
    return SystemName(WideFromUtf8(utf8Name));
}

}  // namespace dualis::os
