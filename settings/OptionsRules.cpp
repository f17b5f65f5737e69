// The options dialog's loading, enabling, storing and page keys.
#include "OptionsRules.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>
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

// The boxes and option buttons that edit a setting one to one.
struct CompareBox {
    bool OptionsControls::*Control;
    bool CompareOptions::*Setting;
};
constexpr CompareBox kCompareBoxes[] = {
    {&OptionsControls::IgnoreTrailing, &CompareOptions::IgnoreTrailingBlanks},
    {&OptionsControls::IgnoreLeading, &CompareOptions::IgnoreLeadingBlanks},
    {&OptionsControls::IgnoreEmbedded, &CompareOptions::IgnoreEmbeddedBlanks},
    {&OptionsControls::IgnoreBlankLines, &CompareOptions::IgnoreBlankLines},
    {&OptionsControls::IgnoreLineNumbers, &CompareOptions::IgnoreLineNumbers},
    {&OptionsControls::IgnoreCase, &CompareOptions::IgnoreCase},
    {&OptionsControls::IgnoreComments, &CompareOptions::IgnoreComments},
    {&OptionsControls::ExpandTabs, &CompareOptions::ExpandTabs},
    {&OptionsControls::LineByLine, &CompareOptions::LineByLine},
    {&OptionsControls::DifferencesOnly, &CompareOptions::DifferencesOnly},
};

struct DisplayBox {
    bool OptionsControls::*Control;
    bool Settings::*Setting;
};
constexpr DisplayBox kDisplayBoxes[] = {
    {&OptionsControls::ShowFileOpen, &Settings::ShowFileOpen},
    {&OptionsControls::ShowSymbols, &Settings::Symbols},
    {&OptionsControls::HighlightInLine, &Settings::HighlightInLine},
    {&OptionsControls::DisplayLineNumbers, &Settings::LineNumbers},
    {&OptionsControls::CountFromProcedure, &Settings::LineNumberByProc},
};

// The number fields, in the order of FieldProblem::Index.
struct NumberField {
    std::string OptionsControls::*Control;
    int16_t CompareOptions::*Setting;
    const char* Caption;
};
constexpr NumberField kNumberFields[] = {
    {&OptionsControls::TabWidth, &CompareOptions::TabWidth, "Expand tabs to"},
    {&OptionsControls::ReSync, &CompareOptions::SyncNumber, "Resync match on"},
    {&OptionsControls::DifferencesBefore, &CompareOptions::DifferencesBefore, "Lines before"},
    {&OptionsControls::DifferencesAfter, &CompareOptions::DifferencesAfter, "Lines after"},
};

}  // namespace

OptionsControls LoadControls(const Settings& s) {
    OptionsControls c;
    for (const CompareBox& box : kCompareBoxes) c.*box.Control = s.Compare.*box.Setting;
    for (const DisplayBox& box : kDisplayBoxes) c.*box.Control = s.*box.Setting;
    for (const NumberField& f : kNumberFields) c.*f.Control = std::to_string(s.Compare.*f.Setting);
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
    CompareOptions o = s.Compare;
    for (int i = 0; i < static_cast<int>(std::size(kNumberFields)); ++i) {
        const NumberField& f = kNumberFields[i];
        const std::optional<int16_t> value = LeadingWholeNumber(c.*f.Control);
        if (!value) {
            return FieldProblem{i, f.Caption,
                                std::string("\"") + f.Caption + "\" takes a whole number from " +
                                    std::to_string(NumberFieldMin) + " to " +
                                    std::to_string(NumberFieldMax) + "."};
        }
        o.*f.Setting = *value;
    }
    o.TabWidth = CompareOptions::CorrectTabWidth(o.TabWidth);
    o.SyncNumber = CompareOptions::CorrectSyncNumber(o.SyncNumber);
    for (const CompareBox& box : kCompareBoxes) o.*box.Setting = c.*box.Control;
    s.Compare = o;
    for (const DisplayBox& box : kDisplayBoxes) s.*box.Setting = c.*box.Control;
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
