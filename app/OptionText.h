// Setting a comparison option from a KEY=VALUE text, the way the settings file reads that key.
#pragma once

#include <string>
#include <string_view>

#include "Options.h"

namespace dualis {

// Applies "KEY=VALUE" (key in any letter case) to the options. Returns an empty text on
// success, else what is wrong with it.
std::string ApplyOptionText(CompareOptions& options, std::string_view assignment);

}  // namespace dualis
