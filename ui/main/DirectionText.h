// The characters that change the text direction (DirectionControls.h) as the main window shows
// them: in a pane each one stands as one placeholder column drawn apart from the text, in names
// and messages by its name ("<U+202E>"), and the status line says when the procedure shown
// holds any. Copies and searches keep the text as it is in the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ComparisonState.h"

namespace dualis {

// What a pane shows for a direction control: U+2194, one column wide, which the row painter
// draws in the row's colours swapped so that it is plainly not the file's own character.
inline constexpr char32_t DirectionPlaceholder = 0x2194;
inline constexpr std::string_view DirectionPlaceholderUtf8 = "\xE2\x86\x94";

// Replaces each direction control of a row's text with the placeholder and returns the places
// (code points from 0) where it did. Each control is one code point and so is its placeholder:
// the columns of everything else stay where they were.
std::vector<int32_t> ShowDirectionPlaceholders(std::string& text);

// True when a line of procedure `proc` holds a direction control, in either file.
bool ProcHoldsDirectionControls(const ComparisonState& state, int32_t proc);

// What the status line adds while the procedure shown holds direction controls.
inline constexpr std::string_view DirectionNote =
    "This procedure holds characters that change the text direction; they are shown as "
    "\xE2\x86\x94.";

// The status text with the note when `holds`, without it otherwise; a note already there is
// replaced, so the text can be passed through again whenever another procedure is shown.
std::string WithDirectionNote(std::string_view statusText, bool holds);

}  // namespace dualis
