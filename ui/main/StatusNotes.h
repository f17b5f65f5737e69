// What the status line says for a moment after a command, until the user's next key or click,
// and what it says while the keyboard selection's extend mode lasts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dualis {

// While the extend mode lasts, the status line names it in place of the comparison's counts.
inline constexpr std::string_view ExtendModeText =
    "Extend: Up and Down extend the selection; Esc or F8 ends";

// A block search of the Find menu, its keys or its buttons that found nothing: what it looked
// for, and the key that goes on to the next (or, searching back, the prior) changed procedure.
std::string NothingFoundNote(int16_t findType, int16_t findWhat);

// Next (`direction` 1) or Prior (-1) Changed Procedure found none beyond the one shown.
std::string NoChangedProcNote(int direction);

// Next (`direction` 1) or Prior (-1) Changed Module found none beyond the one shown.
std::string NoChangedModuleNote(int direction);

// The comparison of two projects' modules was cancelled after `compared` of `total` modules.
std::string CancelledNote(size_t compared, size_t total);

// The find bar found `text` in a line of `file` (0: File 1, 1: File 2).
std::string FoundTextNote(std::string_view text, int file);

}  // namespace dualis
