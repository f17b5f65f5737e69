// The options dialog's rules without its widgets: what its controls show when it loads, which
// controls are enabled, what OK stores, and the keys that switch its pages. The dialog holds an
// OptionsControls that mirrors its controls and applies what these functions return.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Settings.h"

namespace dualis {

// The rows of the colour grid, in the dialog's order.
enum ColourRow { RowEqual, RowChanged, RowAdded, RowDeleted, RowIgnored, RowHiLite, ColourRows };

struct ColourRowText {
    const char* Element;  // "Equal": names the row in the colour dialog's title
    const char* Preview;  // the preview label's caption
    // Which lines take the colours, as the panes, the legend and the report all draw them:
    // File 1 is the base, so a line only File 1 has was deleted to make File 2.
    const char* Meaning;
};
inline constexpr std::array<ColourRowText, ColourRows> ColourRowTexts{{
    {"Equal", " Equal Lines", "Lines that are the same in both files"},
    {"Changed", " Unequal Lines", "Lines that differ from the line facing them in the other file"},
    {"Added", " Added Lines", "Lines only File 2 has"},
    {"Deleted", " Deleted Lines", "Lines only File 1 has"},
    {"Ignored", " Ignored Lines", "Lines the comparison options leave out"},
    {"HiLite", " HiLited Lines", "The line a search found"},
}};

struct FontChoice {
    std::string Name;
    float Size = 0;
    bool Bold = false;
    bool Italic = false;
    bool operator==(const FontChoice&) const = default;
};

// The state of every control of the dialog.
struct OptionsControls {
    // Page "Compare".
    bool IgnoreTrailing = false, IgnoreLeading = false, IgnoreEmbedded = false;
    bool IgnoreBlankLines = false, IgnoreLineNumbers = false, IgnoreCase = false;
    bool IgnoreComments = false;
    bool LineByLine = false;  // optLineByLine selected; optReSync otherwise
    std::string ReSync;       // the spin fields' texts
    bool ShowFileOpen = false;
    bool ExpandTabs = false;
    std::string TabWidth;
    // Page "Display".
    bool ShowSymbols = false;
    bool HighlightInLine = false;
    bool DifferencesOnly = false;
    std::string DifferencesBefore, DifferencesAfter;
    bool DisplayLineNumbers = false;
    bool CountFromProcedure = false;  // optCountTopProcedure selected; optCountTopFile otherwise
    FontChoice Font;                  // the preview labels' font (all six share it)
    std::array<uint32_t, ColourRows> Back{};  // the colour boxes
    std::array<uint32_t, ColourRows> Fore{};
};

OptionsControls LoadControls(const Settings& s);

// Which dependent controls are enabled for the controls' present state.
struct OptionsEnabling {
    bool TabWidth = false;          // with "E&xpand tabs to"
    bool ReSync = false;            // with "&Resync match on"
    bool DifferencesLines = false;  // the two context fields, with "&Show only differences"
    bool LineNumberCount = false;   // the counting group, with "&Display line numbers"
};
OptionsEnabling EnablingOf(const OptionsControls& c);

// The leading number of a field's text, rounded to a whole number (halves to even); 0 when the
// text does not start with one. None when the number lies beyond what a setting can hold.
std::optional<int16_t> LeadingWholeNumber(std::string_view text);

// The range of the number fields' spinners, which a refused number's message names.
inline constexpr int NumberFieldMin = 1;
inline constexpr int NumberFieldMax = 100;

// A field whose text OK cannot store, with the field's caption for the message.
struct FieldProblem {
    int Index = 0;  // 0 tab width, 1 resync lines, 2 lines before, 3 lines after
    std::string Field;
    std::string Message;
};

// What OK stores into the settings, or the first field it cannot store (then nothing is
// stored). The font is the added-lines preview's; the colours are the boxes'.
std::optional<FieldProblem> StoreControls(const OptionsControls& c, Settings& s);

// The colour dialog's title for a row's back (which 0) or fore (which 1) colour.
std::string ColourDialogTitle(ColourRow row, int which);

// Pages are numbered 1 (Compare) and 2 (Display). The page a key takes the dialog to, or none
// for a key that is no page key: Alt+C, Alt+D, Ctrl+Tab (to the other page) and Ctrl+Shift+Tab
// (to page 1).
enum class PageKey { AltC, AltD, CtrlTab, CtrlShiftTab };
int PageAfterKey(PageKey key, int currentPage);

// The help context of a page: 3000 for the Compare options, 3100 for the Display options.
inline int PageHelpContext(int page) {
    return page == 2 ? 3100 : 3000;
}

}  // namespace dualis
