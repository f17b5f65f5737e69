// The kinds of display rows.
#include "RowKind.h"

#include "Symbols.h"

namespace dualis {

RowKind SeparateRowKind(int pane, LineSymbol symbol, int32_t rawLine) {
    switch (symbol) {
        case LineSymbol::HiddenMarker:
            return RowKind::Marker;
        case LineSymbol::Deleted:
            // The two-pane arrays mark the row facing another file's line Deleted.
            return RowKind::Filler;
        case LineSymbol::Equal:
        case LineSymbol::Ignored:
        case LineSymbol::Added:
        case LineSymbol::Changed:
            break;
        default:
            return RowKind::Unknown;
    }
    // A row without a line faces a line of the other pane: the other pane of a procedure only
    // one file has keeps its rows at Ignored and no line.
    if (rawLine < 1) return RowKind::Filler;
    switch (symbol) {
        case LineSymbol::Equal:
            return RowKind::Equal;
        case LineSymbol::Ignored:
            return RowKind::Ignored;
        case LineSymbol::Changed:
            return RowKind::Changed;
        default:
            // Added there means nothing faces the line: File 2 lacks a line of File 1's pane.
            return pane == 0 ? RowKind::Deleted : RowKind::Added;
    }
}

RowKind CombinedRowKind(LineSymbol symbol) {
    switch (symbol) {
        case LineSymbol::HiddenMarker:
            return RowKind::Marker;
        case LineSymbol::Equal:
            return RowKind::Equal;
        case LineSymbol::Ignored:
            return RowKind::Ignored;
        case LineSymbol::Added:
            return RowKind::Added;
        case LineSymbol::Changed:
            return RowKind::Changed;
        case LineSymbol::Deleted:
            return RowKind::Deleted;
    }
    return RowKind::Unknown;
}

RowKind SeparateRowDifference(const SeparateRow& row, int pane) {
    const DisplayCell& own = row.Pane[pane];
    const RowKind kind = SeparateRowKind(pane, own.Symbol, own.RawLine);
    if (kind != RowKind::Filler) return kind;
    const DisplayCell& facing = row.Pane[1 - pane];
    return SeparateRowKind(1 - pane, facing.Symbol, facing.RawLine);
}

std::optional<LineSymbol> KindClass(RowKind kind) {
    switch (kind) {
        case RowKind::Marker:
            return LineSymbol::HiddenMarker;
        case RowKind::Equal:
            return LineSymbol::Equal;
        case RowKind::Ignored:
            return LineSymbol::Ignored;
        case RowKind::Added:
            return LineSymbol::Added;
        case RowKind::Changed:
            return LineSymbol::Changed;
        case RowKind::Deleted:
            return LineSymbol::Deleted;
        case RowKind::Unknown:
        case RowKind::Filler:
            break;
    }
    return std::nullopt;
}

std::string KindSymbol(RowKind kind, bool combined) {
    const std::optional<LineSymbol> symbol = KindClass(kind);
    if (!symbol) return "";
    return combined ? CombinedSymbol(*symbol) : TwoPaneSymbol(*symbol);
}

}  // namespace dualis
