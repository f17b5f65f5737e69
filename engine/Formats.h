// The date and number texts that the dump, the messages and the report share.
#pragma once

#include <string>
#include <string_view>

#include "ComparisonState.h"

namespace dualis {

// Local time in a strftime format.
std::string LocalTimeText(FileTime time, const char* format);

// Local time as "YYYY-MM-DD HH:MM:SS".
std::string GeneralDate(FileTime time);

// Digits grouped by thousands, with commas unless another separator is given: 32767 gives
// "32,767".
std::string GroupedThousands(int64_t value, std::string_view separator = ",");

}  // namespace dualis
