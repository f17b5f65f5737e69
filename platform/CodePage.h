// Text in a Windows code page turned into UTF-8, for the macros of Office documents, which keep
// their source in the project's code page (1252, 932, 1251, 936, 950, 10000 ...). Each platform
// has its own converter behind this header: the C library's iconv here, the system's own
// conversion on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dualis {

// True when the code page can be decoded here.
bool CodePageKnown(uint32_t codePage);

// The bytes as UTF-8. A byte sequence the code page does not define becomes U+FFFD and the
// conversion goes on after it; a code page that is not known is read as Windows-1252. Windows-1252
// is decoded as every input file is (the five bytes it leaves undefined keep their own value),
// so that a document's text and an exported file's text compare alike.
std::string DecodeCodePage(std::string_view bytes, uint32_t codePage);

}  // namespace dualis
