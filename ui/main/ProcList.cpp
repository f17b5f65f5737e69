// The procedure list's entries and the window's placement at load.
#include "ProcList.h"

#include "Layout.h"
#include "Symbols.h"

namespace dualis {

std::vector<ProcListEntry> ProcListEntries(const ComparisonState& state, bool differencesOnly) {
    std::vector<ProcListEntry> entries;
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& record = state.ProcStack[p];
        if (differencesOnly && record.Status == ProcEqual) continue;
        entries.push_back(
            {ProcStatusSymbol(record.Status) + " " + record.TrueProcName, static_cast<int16_t>(p)});
    }
    return entries;
}

LoadPlacement PlacementAtLoad(const Settings& s) {
    if (s.MainWindowState == 0 &&
        (s.MainWindowWidth < MinimumWindowTwips || s.MainWindowHeight < MinimumWindowTwips)) {
        return LoadPlacement::Centre;
    }
    if (s.MainWindowState == 2) return LoadPlacement::Maximise;
    return LoadPlacement::Restore;
}

}  // namespace dualis
