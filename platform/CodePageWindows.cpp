// The code-page converter over the system's own conversion (MultiByteToWideChar).
#include <windows.h>

#include <string>

#include "CodePage.h"
#include "TextCodec.h"
#include "WindowsNames.h"

namespace dualis {
namespace {

constexpr uint32_t Windows1252 = 1252, Utf16Le = 1200, Utf8 = 65001;

}  // namespace

bool CodePageKnown(uint32_t codePage) {
    if (codePage == Windows1252 || codePage == Utf16Le || codePage == Utf8) return true;
    return ::IsValidCodePage(codePage) != 0;
}

std::string DecodeCodePage(std::string_view bytes, uint32_t codePage) {
    if (codePage == Windows1252) return Cp1252AsUtf8(bytes);
    if (codePage == Utf16Le) return Utf16AsUtf8(bytes, false);
    if (codePage == Utf8) return IsValidUtf8(bytes) ? std::string(bytes) : RepairUtf8(bytes);
    if (::IsValidCodePage(codePage) == 0) return Cp1252AsUtf8(bytes);
    if (bytes.empty()) return "";
    // Bytes the code page does not define become U+FFFD, or the system's default character.
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return os::Utf8FromWide(wide);
}

}  // namespace dualis
