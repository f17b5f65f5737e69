// Status and class marks.
#include "Symbols.h"

namespace dualis {

std::string ProcStatusSymbol(int16_t status) {
    switch (status) {
        case ProcAdded:
            return "+";
        case ProcChanged:
            return "#";
        case ProcDeleted:
            return "-";
        default:
            return "=";
    }
}

std::string TwoPaneSymbol(LineSymbol symbol) {
    switch (symbol) {
        case LineSymbol::HiddenMarker:
            return std::string(255, '=');
        case LineSymbol::Equal:
            return "=";
        case LineSymbol::Ignored:
            return "*";
        case LineSymbol::Added:
            return "+";
        case LineSymbol::Changed:
            return "#";
        case LineSymbol::Deleted:
            return "-";
    }
    return "";
}

std::string CombinedSymbol(LineSymbol symbol) {
    if (symbol == LineSymbol::Changed) return "<>";
    if (symbol == LineSymbol::HiddenMarker) return "";
    return TwoPaneSymbol(symbol);
}

}  // namespace dualis
