// Direction controls in the panes and the status line.
#include "DirectionText.h"

#include "DirectionControls.h"

namespace dualis {
namespace {

constexpr std::string_view NoteSeparator = "  \xE2\x80\x94  ";

}  // namespace

std::vector<int32_t> ShowDirectionPlaceholders(std::string& text) {
    std::vector<int32_t> places;
    if (!HoldsDirectionControl(text)) return places;
    std::string shown;
    shown.reserve(text.size() + 2);
    int32_t codePoint = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char32_t control = DirectionControlAt(std::string_view(text).substr(i));
        if (control != 0) {
            places.push_back(codePoint);
            shown += DirectionPlaceholderUtf8;
            i += DirectionControlLength(control);
        } else {
            shown.push_back(text[i]);
            ++i;
        }
        // A code point ends where the next byte is no continuation byte.
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++codePoint;
    }
    text = std::move(shown);
    return places;
}

bool ProcHoldsDirectionControls(const ComparisonState& state, int32_t proc) {
    if (proc < 1 || proc > state.ProcCount()) return false;
    const ProcRecord& record = state.ProcStack[proc];
    for (int f = 0; f < 2; ++f) {
        const int32_t first = record.FirstRaw[f], last = record.LastRaw[f];
        if (first >= 1 && first <= last && last <= state.RawCount(f) &&
            HoldsDirectionControl(state.RawStack[f].Lines(first, last))) {
            return true;
        }
    }
    return false;
}

std::string WithDirectionNote(std::string_view statusText, bool holds) {
    std::string text(statusText.substr(0, statusText.find(DirectionNote)));
    if (text.ends_with(NoteSeparator)) text.resize(text.size() - NoteSeparator.size());
    if (holds) {
        if (!text.empty()) text += NoteSeparator;
        text += DirectionNote;
    }
    return text;
}

}  // namespace dualis
