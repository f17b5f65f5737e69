// Text for a terminal: names and texts from files and from the command line are written with
// every control character in a visible form, so that none of them can act on the terminal or
// change the order in which a line reads.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace dualis {

// Appends the text with C0 controls (the tab aside) and DEL as their control pictures (U+2400
// to U+241F, U+2421), C1 controls (U+0080 to U+009F) as "<U+0080>" to "<U+009F>", the
// characters that change the text direction as "<U+202E>" and the like (DirectionControls.h),
// and bytes 0x80 to 0x9F that are not part of a UTF-8 character, which a terminal may take as
// C1 controls too, as "<0x80>" to "<0x9F>". Everything else is appended as it is.
void AppendVisible(std::string& out, std::string_view text);

// Lines separated by LF or CR LF, each made visible, joined by LF.
std::string VisibleLines(std::string_view text);

// Writes VisibleLines(text) and a line break.
void PrintLines(std::FILE* out, std::string_view text);

}  // namespace dualis
