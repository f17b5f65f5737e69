// The options dialog's loading, enabling, storing and page keys.
#include "OptionsRules.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace dualis {

namespace {

// The colour settings of each row, in the grid's order, for reading or for writing.
template <class S>
auto BackColours(S& s) {
    return std::array{&s.BackColorEqual,   &s.BackColorChanged, &s.BackColorAdded,
                      &s.BackColorDeleted, &s.BackColorIgnored, &s.BackColorHiLite};
}

template <class S>
auto ForeColours(S& s) {
    return std::array{&s.ForeColorEqual,   &s.ForeColorChanged, &s.ForeColorAdded,
                      &s.ForeColorDeleted, &s.ForeColorIgnored, &s.ForeColorHiLite};
}

}  // namespace

OptionsControls LoadControls(const Settings& s) {
    const CompareOptions& o = s.Compare;
    OptionsControls c;
    c.IgnoreTrailing = o.IgnoreTrailingBlanks;
    c.IgnoreLeading = o.IgnoreLeadingBlanks;
    c.IgnoreEmbedded = o.IgnoreEmbeddedBlanks;
    c.IgnoreBlankLines = o.IgnoreBlankLines;
    c.IgnoreLineNumbers = o.IgnoreLineNumbers;
    c.IgnoreCase = o.IgnoreCase;
    c.IgnoreComments = o.IgnoreComments;
    c.LineByLine = o.LineByLine;
    c.ReSync = std::to_string(o.SyncNumber);
    c.ShowFileOpen = s.ShowFileOpen;
    c.ExpandTabs = o.ExpandTabs;
    c.TabWidth = std::to_string(o.TabWidth);
    c.ShowSymbols = s.Symbols;
    c.DifferencesOnly = o.DifferencesOnly;
    c.DifferencesBefore = std::to_string(o.DifferencesBefore);
    c.DifferencesAfter = std::to_string(o.DifferencesAfter);
    c.DisplayLineNumbers = s.LineNumbers;
    c.CountFromProcedure = s.LineNumberByProc;
    c.Font = {s.FontName, s.FontSize, s.FontBold, s.FontItalic};
    const auto back = BackColours(s);
    const auto fore = ForeColours(s);
    for (int row = 0; row < ColourRows; ++row) {
        c.Back[row] = *back[row];
        c.Fore[row] = *fore[row];
    }
    return c;
}

OptionsEnabling EnablingOf(const OptionsControls& c) {
    return {c.ExpandTabs, !c.LineByLine, c.DifferencesOnly, c.DisplayLineNumbers};
}

std::optional<int16_t> LeadingWholeNumber(std::string_view text) {
    // Blanks may stand before the number; a sign, digits, and a fraction make it up.
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    }
    const std::string number(text.substr(start, i - start));
    const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(value);
}

std::optional<FieldProblem> StoreControls(const OptionsControls& c, Settings& s) {
    struct Field {
        const std::string& Text;
        const char* Caption;
        int16_t* Target;
    };
    CompareOptions o = s.Compare;
    const Field fields[] = {{c.TabWidth, "Expand tabs to", &o.TabWidth},
                            {c.ReSync, "Resync match on", &o.SyncNumber},
                            {c.DifferencesBefore, "Lines before", &o.DifferencesBefore},
                            {c.DifferencesAfter, "Lines after", &o.DifferencesAfter}};
    for (int i = 0; i < 4; ++i) {
        const Field& f = fields[i];
        const std::optional<int16_t> value = LeadingWholeNumber(f.Text);
        if (!value) {
            return FieldProblem{
                i, f.Caption,
                std::string("\"") + f.Caption + "\" takes a whole number from -32,768 to 32,767."};
        }
        *f.Target = *value;
    }
    o.TabWidth = CompareOptions::CorrectTabWidth(o.TabWidth);
    o.SyncNumber = CompareOptions::CorrectSyncNumber(o.SyncNumber);
    o.IgnoreTrailingBlanks = c.IgnoreTrailing;
    o.IgnoreLeadingBlanks = c.IgnoreLeading;
    o.IgnoreEmbeddedBlanks = c.IgnoreEmbedded;
    o.IgnoreBlankLines = c.IgnoreBlankLines;
    o.IgnoreLineNumbers = c.IgnoreLineNumbers;
    o.IgnoreCase = c.IgnoreCase;
    o.IgnoreComments = c.IgnoreComments;
    o.ExpandTabs = c.ExpandTabs;
    o.LineByLine = c.LineByLine;
    o.DifferencesOnly = c.DifferencesOnly;
    s.Compare = o;
    s.ShowFileOpen = c.ShowFileOpen;
    s.LineNumbers = c.DisplayLineNumbers;
    s.Symbols = c.ShowSymbols;
    s.LineNumberByProc = c.CountFromProcedure;
    s.FontName = c.Font.Name;
    s.FontSize = c.Font.Size;
    s.FontBold = c.Font.Bold;
    s.FontItalic = c.Font.Italic;
    const auto back = BackColours(s);
    const auto fore = ForeColours(s);
    for (int row = 0; row < ColourRows; ++row) {
        *back[row] = c.Back[row];
        *fore[row] = c.Fore[row];
    }
    return std::nullopt;
}

std::string ColourDialogTitle(ColourRow row, int which) {
    return std::string("Select ") + ColourRowTexts[row].Element +
           (which == 0 ? " Back Color" : " Fore Color");
}

int PageAfterKey(PageKey key, int currentPage) {
    switch (key) {
        case PageKey::AltC:
        case PageKey::CtrlShiftTab:
            return 1;
        case PageKey::AltD:
            return 2;
        case PageKey::CtrlTab:
            return currentPage == 1 ? 2 : 1;
    }
    return currentPage;
}

}  // namespace dualis
