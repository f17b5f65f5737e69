// The status line's notes after the navigation commands.
#include "StatusNotes.h"

#include "DirectionControls.h"
#include "Find.h"

namespace dualis {

std::string NothingFoundNote(int16_t findType, int16_t findWhat) {
    const std::string what = findWhat == FindMatch ? "match" : "mismatch";
    const bool back = findType == FindPrior;
    const std::string key = back ? "Shift+F7 goes to the prior changed procedure"
                                 : "F7 goes to the next changed procedure";
    if (findType == FindNext || findType == FindPrior) {
        return std::string(back ? "No earlier " : "No further ") + what + " in this procedure; " +
               key;
    }
    return "No " + what + " in this procedure; " + key;
}

std::string NoChangedProcNote(int direction) {
    return direction < 0 ? "No changed procedure before this one"
                         : "No changed procedure after this one";
}

std::string NoChangedModuleNote(int direction) {
    return direction < 0 ? "No changed module before this one" : "No changed module after this one";
}

std::string CancelledNote(size_t compared, size_t total) {
    return "Comparison cancelled: " + std::to_string(compared) + " of " + std::to_string(total) +
           " modules compared";
}

std::string FoundTextNote(std::string_view text, int file) {
    return "Found \"" + NameDirectionControls(std::string(text)) + "\" in " +
           (file == 1 ? "File 2" : "File 1");
}

}  // namespace dualis
