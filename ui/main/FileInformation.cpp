// The file information labels, the status text and the caption, from the comparison state.
#include "FileInformation.h"

#include "DirectionControls.h"
#include "Formats.h"

namespace dualis {

namespace {

// A file's name as the caption shows it: a name without an extension has no dot.
std::string CaptionName(const std::string& baseName, const std::string& extension) {
    return NameDirectionControls(extension.empty() ? baseName : baseName + "." + extension);
}

}  // namespace

FileInformationTexts ShowFileInformation(const ComparisonState& state, std::string_view viewMode,
                                         std::string_view groupSeparator) {
    FileInformationTexts texts;
    if (!state.FilesCompared) {
        texts.Caption = "Dualis";
        return texts;
    }
    const ProcCounts counts = CountProcs(state);
    // The vertical view's panes are narrow, so its labels put the counts on a second line.
    const std::string_view separator = viewMode == "V" ? "\r\n" : ", ";
    for (int f = 0; f < 2; ++f) {
        std::string& label = texts.Label[f];
        label = NameDirectionControls(state.FileName[f]);
        label += separator;
        label += std::to_string(counts.InFile[f]) + " procs, ";
        label += GroupedThousands(state.RawCount(f), groupSeparator) + " lines, ";
        label += GroupedThousands(state.FileSize[f], groupSeparator) + " bytes, ";
        label += GeneralDate(state.FileDate[f]);
    }
    texts.StatusText = "Procs: " + std::to_string(counts.Equal) + " equal, " +
                       std::to_string(counts.Changed) + " changed, " +
                       std::to_string(counts.Added) + " added, " + std::to_string(counts.Deleted) +
                       " deleted";
    texts.Caption = "Dualis " + CaptionName(state.BaseName[0], state.Extension[0]) + ":" +
                    CaptionName(state.BaseName[1], state.Extension[1]);
    return texts;
}

}  // namespace dualis
