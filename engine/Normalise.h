// Turning a file's raw lines into the cooked lines that matching compares, under the
// comparison options, and the line helpers that this needs.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "ComparisonState.h"
#include "Host.h"
#include "Options.h"

namespace dualis {

// Fills CookedStack(fileIndex) from RawStack(fileIndex) and marks the left-out raw lines.
// `leftOut` names raw lines (1-based, ascending) that the caller's own rules leave out, such as
// a document's save noise: they are marked ignored as a whole-line comment is, whatever the
// options; numbers past the last line are passed over. Throws InputFileError when expanding
// tabs makes a line longer than MaxLineChars.
void LoadCookedStack(ComparisonState& state, int fileIndex, const CompareOptions& options,
                     IHost* trace = nullptr, std::span<const int32_t> leftOut = {});

// The whole-line comment test: empty for a comment (a first non-blank "'", "//", or the word
// Rem in any case), else the text unchanged.
std::string_view UnComment(std::string_view s, IHost* trace = nullptr);
int16_t GetLeadingBlanks(std::string_view s, IHost* trace = nullptr);
int16_t GetTrailingBlanks(std::string_view s, IHost* trace = nullptr);
// The sum of the characters' Unicode code points, wrapping in 32 bits, whatever encoding the
// file was read in.
int32_t HashLine(std::string_view s, IHost* trace = nullptr);

}  // namespace dualis
