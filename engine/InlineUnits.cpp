#include "InlineUnits.h"

#include <algorithm>

#include "TextCodec.h"

namespace dualis {
namespace {

uint32_t HashOf(TokenKind kind, std::string_view key) {
    uint32_t h = 2166136261u ^ static_cast<uint32_t>(kind);
    for (char c : key) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

void AppendBlankKey(std::string& key, std::string_view run, const CompareOptions& o,
                    bool embedded) {
    const size_t from = key.size();
    for (char c : run) {
        if (c == '\t' && o.ExpandTabs) {
            key.append(static_cast<size_t>(o.TabWidth), ' ');
        } else {
            key.push_back(c);
        }
    }
    if (embedded && o.IgnoreEmbeddedBlanks) {
        key.erase(std::unique(key.begin() + static_cast<ptrdiff_t>(from), key.end(),
                              [](char a, char b) { return a == ' ' && b == ' '; }),
                  key.end());
    }
}

bool IsLabelText(std::string_view text) {
    return text.find_first_not_of("0123456789:") == std::string_view::npos;
}

}  // namespace

void CutIntoUnits(std::string_view line, const CompareOptions& o, size_t maxTokens, LineUnits& side,
                  std::vector<Token>& tokens) {
    TokenizeVbLine(line, tokens, maxTokens + 1);
    side.Line = line;
    side.Units.clear();
    side.Keys.clear();
    side.TooLong = tokens.size() > maxTokens;
    side.Units.reserve(tokens.size());
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token& tok = tokens[t];
        const std::string_view text =
            line.substr(static_cast<size_t>(tok.Begin), static_cast<size_t>(tok.End - tok.Begin));
        // Built where it is kept: a copy from the stack would cost a stalled load per unit.
        Unit& u = side.Units.emplace_back();
        u.Begin = u.KeyBegin = tok.Begin;
        u.End = tok.End;
        u.KeyLength = tok.End - tok.Begin;
        u.Kind = tok.Kind;
        if (tok.Kind == TokenKind::Blanks) {
            const bool first = t == 0, last = t + 1 == tokens.size() && !side.TooLong;
            const bool embedded = !first && !last;
            const bool tabs = std::find(text.begin(), text.end(), '\t') != text.end();
            const bool onlyBlanks = !tabs || o.ExpandTabs;
            if (onlyBlanks &&
                ((first && o.IgnoreLeadingBlanks) || (last && o.IgnoreTrailingBlanks))) {
                side.Units.pop_back();
                continue;
            }
            if ((tabs && o.ExpandTabs) || (embedded && o.IgnoreEmbeddedBlanks)) {
                u.KeyInLine = false;
                u.KeyBegin = static_cast<int32_t>(side.Keys.size());
                AppendBlankKey(side.Keys, text, o, embedded);
                u.KeyLength = static_cast<int32_t>(side.Keys.size()) - u.KeyBegin;
            }
        } else if (o.IgnoreCase) {
            u.KeyInLine = false;
            u.KeyBegin = static_cast<int32_t>(side.Keys.size());
            side.Keys += LowerCase(text);
            u.KeyLength = static_cast<int32_t>(side.Keys.size()) - u.KeyBegin;
        }
        u.KeyHash = HashOf(u.Kind, side.Key(u));
    }
    if (o.IgnoreLineNumbers) {
        std::vector<Unit>& units = side.Units;
        size_t k = 0;
        while (k < units.size() && units[k].Kind != TokenKind::Blanks &&
               IsLabelText(side.Key(units[k]))) {
            ++k;
        }
        // Normalisation takes a number off only where the line, less ignored blanks, starts.
        const bool atStart = k > 0 && (o.IgnoreLeadingBlanks || units[0].Begin == 0);
        if (atStart && units[0].Kind == TokenKind::Number) {
            if (o.IgnoreLeadingBlanks && k < units.size() && units[k].Kind == TokenKind::Blanks) {
                ++k;
            }
            units.erase(units.begin(), units.begin() + static_cast<ptrdiff_t>(k));
        }
    }
}

// An open-addressed table of the first unit of each number.
void NumberUnits(std::array<LineUnits, 2>& sides, std::vector<UnitSlot>& table) {
    size_t size = 16;
    while (size < 2 * (sides[0].Units.size() + sides[1].Units.size())) size *= 2;
    table.assign(size, UnitSlot{});
    int32_t next = 0;
    for (int f = 0; f < 2; ++f) {
        LineUnits& side = sides[f];
        side.Ids.resize(side.Units.size());
        for (size_t i = 0; i < side.Units.size(); ++i) {
            const Unit& u = side.Units[i];
            for (size_t at = u.KeyHash & (size - 1);; at = (at + 1) & (size - 1)) {
                UnitSlot& slot = table[at];
                if (slot.Side < 0) {
                    slot = {f, static_cast<int32_t>(i), next};
                    side.Ids[i] = next++;
                    break;
                }
                const LineUnits& first = sides[slot.Side];
                const Unit& v = first.Units[static_cast<size_t>(slot.Unit)];
                if (v.KeyHash == u.KeyHash && v.Kind == u.Kind && first.Key(v) == side.Key(u)) {
                    side.Ids[i] = slot.Id;
                    break;
                }
            }
        }
    }
}

}  // namespace dualis
