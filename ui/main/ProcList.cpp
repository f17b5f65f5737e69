// The procedure list's entries and the window's placement at load.
#include "ProcList.h"

#include <algorithm>
#include <cctype>

#include "DirectionControls.h"
#include "Layout.h"
#include "Symbols.h"

namespace dualis {

std::vector<ProcListEntry> ProcListEntries(const ComparisonState& state, bool differencesOnly) {
    std::vector<ProcListEntry> entries;
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& record = state.ProcStack[p];
        if (differencesOnly && record.Status == ProcEqual) continue;
        entries.push_back(
            {ProcStatusSymbol(record.Status) + " " + NameDirectionControls(record.TrueProcName),
             static_cast<int16_t>(p), record.Status});
    }
    return entries;
}

int ChangedEntry(const std::vector<ProcListEntry>& entries, int from, int direction) {
    const int step = direction < 0 ? -1 : 1;
    const int count = static_cast<int>(entries.size());
    for (int entry = std::clamp(from, -1, count) + step; entry >= 0 && entry < count;
         entry += step) {
        if (entries[static_cast<size_t>(entry)].Status != ProcEqual) return entry;
    }
    return -1;
}

LineColours ProcEntryColours(int16_t status, const Settings& s) {
    switch (status) {
        case ProcAdded:
            return {s.ForeColorAdded, s.BackColorAdded};
        case ProcChanged:
            return {s.ForeColorChanged, s.BackColorChanged};
        case ProcDeleted:
            return {s.ForeColorDeleted, s.BackColorDeleted};
        default:
            return {s.ForeColorEqual, s.BackColorEqual};
    }
}

int EntryStartingWith(const std::vector<ProcListEntry>& entries, std::string_view typed, int from) {
    const int count = static_cast<int>(entries.size());
    if (typed.empty() || count == 0) return -1;
    auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    for (int i = 0; i < count; ++i) {
        const int entry = ((from % count) + count + i) % count;
        const std::string& text = entries[static_cast<size_t>(entry)].Text;
        const size_t blank = text.find(' ');
        const std::string_view name = blank == std::string::npos
                                          ? std::string_view(text)
                                          : std::string_view(text).substr(blank + 1);
        if (name.size() >= typed.size() &&
            std::equal(typed.begin(), typed.end(), name.begin(),
                       [&](char a, char b) { return lower(a) == lower(b); })) {
            return entry;
        }
    }
    return -1;
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
