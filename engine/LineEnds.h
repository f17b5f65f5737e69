// Line ends in a text: CR LF, LF or CR.
#pragma once

#include <cstddef>

namespace dualis {

// The first CR or LF at or after p, or end.
const char* FindLineEnd(const char* p, const char* end);

// The number of lines the text holds: its line ends (CR LF counting once), and a last line
// without one.
size_t CountLines(const char* p, const char* end);

}  // namespace dualis
