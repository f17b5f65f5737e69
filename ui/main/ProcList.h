// The entries of the procedure list and where the window goes when it is loaded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "Settings.h"

namespace dualis {

struct ProcListEntry {
    // The status symbol, a blank and the procedure's name, a character in it that changes the
    // text direction written as "<U+202E>" and the like.
    std::string Text;
    int16_t Proc = 0;  // the procedure record it shows
};

// One entry per procedure record in record order; equal procedures are left out while only the
// differences are shown.
std::vector<ProcListEntry> ProcListEntries(const ComparisonState& state, bool differencesOnly);

// Typing in the list: the first entry, from entry `from` on and round from the top, whose
// procedure name (after its status symbol) starts with `typed`, letter case aside; -1 for none.
int EntryStartingWith(const std::vector<ProcListEntry>& entries, std::string_view typed, int from);

// Where the main window goes when it is loaded, from the stored placement.
enum class LoadPlacement {
    Centre,    // a normal window stored smaller than the minimum: designed size, centred
    Maximise,  // stored maximised
    Restore,   // the stored position and size
};
LoadPlacement PlacementAtLoad(const Settings& settings);

}  // namespace dualis
