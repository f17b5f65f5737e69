// The units that the within-line comparison matches: a line's tokens less those the options
// leave out, each with the text it is compared by, and a number that equal units of the two
// lines share.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Options.h"
#include "VbTokens.h"

namespace dualis {

// A token that takes part in the comparison. Its key, the text it is compared by, is its text
// under the options, as normalisation would leave it.
struct Unit {
    int32_t Begin = 0;  // bytes of the raw line, half-open
    int32_t End = 0;
    // The key: its bytes in the line itself when the options leave the text as it is (the
    // usual case, copied nowhere), else in the side's Keys.
    int32_t KeyBegin = 0;
    int32_t KeyLength = 0;
    bool KeyInLine = true;
    TokenKind Kind = TokenKind::Operator;
    uint32_t KeyHash = 0;  // of the kind and the key
};

// One line's units, and the keys that differ from their text.
struct LineUnits {
    std::string_view Line;
    std::vector<Unit> Units;
    // Per unit, a number that the units of both lines share exactly when their kinds and keys
    // are the same (see NumberUnits), so that a search compares numbers, not texts.
    std::vector<int32_t> Ids;
    std::string Keys;
    // The line has more than the tokens asked for; Units then cover only its start.
    bool TooLong = false;

    std::string_view Key(const Unit& u) const {
        return {(u.KeyInLine ? Line.data() : Keys.data()) + u.KeyBegin,
                static_cast<size_t>(u.KeyLength)};
    }
    int32_t Size() const { return static_cast<int32_t>(Units.size()); }
};

// Cuts the line into `side` (its previous contents are replaced, its memory kept): the tokens
// less ignored leading and trailing blanks and an ignored line number. A line of more than
// maxTokens tokens is cut only that far, and TooLong set. `tokens` is working memory.
void CutIntoUnits(std::string_view line, const CompareOptions& o, size_t maxTokens, LineUnits& side,
                  std::vector<Token>& tokens);

// A slot of NumberUnits's table: the first unit seen with its number, or none (Side -1).
struct UnitSlot {
    int32_t Side = -1;
    int32_t Unit = 0;
    int32_t Id = 0;
};

// Gives the units of both lines their Ids. `table` is working memory.
void NumberUnits(std::array<LineUnits, 2>& sides, std::vector<UnitSlot>& table);

}  // namespace dualis
