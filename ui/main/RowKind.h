// What a display row is to the comparison: the one rule by which the panes, the procedure map
// and the copied rows all tell which lines File 2 deleted, added or changed.
//
// Example: File 2 leaves out File 1's line 7. The two-pane arrays hold that row as an Added line
// in File 1's pane (a line of this pane that nothing faces) and a Deleted filler in File 2's
// pane. To the comparison line 7 is deleted: File 1's pane draws it "-" in the Deleted colours,
// File 2's pane draws a quiet filler, and both maps mark the row Deleted. The combined array
// says Deleted already and is drawn as it stands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ComparisonState.h"

namespace dualis {

enum class RowKind : uint8_t {
    Unknown,  // a class the arrays do not hold
    Marker,   // stands for a run of equal lines hidden by DifferencesOnly
    Equal,
    Ignored,  // a line the comparison options leave out
    Added,    // a line only File 2 has
    Changed,  // a line of a difference that faces a line of the other file
    Deleted,  // a line only File 1 has
    Filler,   // no line: this pane has nothing where the other pane has a line
};

// A row of pane `pane` (0 File 1's, 1 File 2's) of the two-pane arrays, with its Symbol and
// RawLine as the arrays hold them.
RowKind SeparateRowKind(int pane, LineSymbol symbol, int32_t rawLine);

// A row of the combined array, whose classes already name the file a line is only in.
RowKind CombinedRowKind(LineSymbol symbol);

// The row of both panes as a difference seen from `pane`: its own kind, or for a filler the
// kind of the line it faces, so that the two panes' maps agree.
RowKind SeparateRowDifference(const SeparateRow& row, int pane);

// The class whose colours and symbol a kind takes; none for a filler or an unknown class.
std::optional<LineSymbol> KindClass(RowKind kind);

// The compare symbol a row of the kind prints: as TwoPaneSymbol, or CombinedSymbol in the
// combined view; a filler and an unknown class print none.
std::string KindSymbol(RowKind kind, bool combined);

}  // namespace dualis
