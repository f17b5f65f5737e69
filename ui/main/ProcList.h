// The entries of the procedure list and where the window goes when it is loaded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "DisplayLines.h"
#include "Settings.h"

namespace dualis {

struct ProcListEntry {
    // The status symbol, a blank and the procedure's name, a character in it that changes the
    // text direction written as "<U+202E>" and the like.
    std::string Text;
    int16_t Proc = 0;  // the procedure record it shows
    // The record's status: ProcAdded, ProcChanged, ProcDeleted or ProcEqual.
    int16_t Status = ProcEqual;
};

// One entry per procedure record in record order; equal procedures are left out while only the
// differences are shown.
std::vector<ProcListEntry> ProcListEntries(const ComparisonState& state, bool differencesOnly);

// The entry after `from` (before it when `direction` is negative) whose procedure is changed,
// added or deleted; -1 when none is. Nothing wraps round: the list's ends are the ends.
int ChangedEntry(const std::vector<ProcListEntry>& entries, int from, int direction);

// The colours an entry is listed in: those of its status's class in the panes, the Added
// colours for a procedure only File 2 has ("+"), the Deleted colours for one only File 1 has
// ("-"), the Changed ones for "#" and the Equal ones for "=".
LineColours ProcEntryColours(int16_t status, const Settings& settings);

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
