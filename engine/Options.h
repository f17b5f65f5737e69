// The comparison options that normalisation, matching and display building read.
#pragma once

#include <cstdint>

namespace dualis {

struct CompareOptions {
    bool IgnoreCase = false;
    bool IgnoreLeadingBlanks = false;
    bool IgnoreTrailingBlanks = false;
    bool IgnoreEmbeddedBlanks = false;
    bool IgnoreBlankLines = false;
    bool IgnoreComments = false;
    bool IgnoreLineNumbers = false;
    bool ExpandTabs = false;
    int16_t TabWidth = 4;  // blanks per tab; never negative
    bool LineByLine = false;
    int16_t SyncNumber = 2;  // lines that must agree to resynchronise; at least 1
    bool DifferencesOnly = false;
    int16_t DifferencesBefore = 3;  // context lines before a difference
    int16_t DifferencesAfter = 3;   // context lines after a difference

    bool operator==(const CompareOptions&) const = default;

    // The corrections that every path setting these values applies.
    static int16_t CorrectSyncNumber(int16_t value) { return value < 1 ? 2 : value; }
    static int16_t CorrectTabWidth(int16_t value) { return value < 0 ? 4 : value; }
};

}  // namespace dualis
