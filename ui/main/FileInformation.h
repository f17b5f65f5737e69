// The texts the main window shows about a comparison: the label above each pane, the status line
// and the window caption.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ComparisonState.h"

namespace dualis {

struct FileInformationTexts {
    std::array<std::string, 2> Label;  // [0] above File 1's pane, [1] above File 2's
    std::string StatusText;            // also what the status line returns to after toolbar help
    std::string Caption;               // the window caption
};

// The texts for the comparison in `state` in the view mode `viewMode` ("V", "H" or "C"), with
// thousands grouped by the locale's `groupSeparator`. Before any comparison the labels and the
// status text are empty and the caption is "Dualis". Characters that change the text direction
// stand in the file names as "<U+202E>" and the like.
FileInformationTexts ShowFileInformation(const ComparisonState& state, std::string_view viewMode,
                                         std::string_view groupSeparator = ",");

}  // namespace dualis
