// What the file dialogs compute without a window: the filter list in the dialog's own terms, the
// size of the name buffer, and the folder and title of a chosen file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dualis {

// Flag bits of the file dialogs that this system gives a meaning (callers pass whole flag words
// such as 4100 = file must exist + hide read-only).
inline constexpr int32_t OfnOverwritePrompt = 0x2;
inline constexpr int32_t OfnHideReadOnly = 0x4;
inline constexpr int32_t OfnFileMustExist = 0x1000;

// The extended error of a file dialog whose chosen name does not fit the name buffer.
inline constexpr int32_t FnerrBufferTooSmall = 0x3003;

// The run-time error a cancelled dialog raises when CancelError is on.
inline constexpr int32_t ErrDialogCancelled = 32755;

// One description and pattern pair of a filter text.
struct FileFilter {
    std::string Description;
    std::vector<std::string> Patterns;  // "*.bas" ...; "*.*" is given as "*", matching every name
};

// Splits "desc|pattern|desc|pattern" into its pairs. A trailing "|" is optional; a description
// without a pattern matches every name; empty descriptions and patterns are skipped as a pair.
std::vector<FileFilter> ParseFilter(const std::string& filter);

// A filter in the form the Qt file dialog reads: the description without patterns of its own
// in parentheses at its end, then the patterns in parentheses, separated by blanks.
std::string NameFilterText(const FileFilter& filter);

// A 1-based filter index limited to the filters there are; 1 when there are none.
int16_t ClampFilterIndex(int32_t filterIndex, size_t filterCount);

// The name buffer's size: a value below 1 gives 255.
int32_t EffectiveMaxFileSize(int32_t maxFileSize);

// The longest name the buffer holds, in characters: one less than its size, for the end mark.
int32_t MaxNameLength(int32_t maxFileSize);

// The proposed name cut to the buffer; lengths count characters, not bytes.
std::string ProposedFileName(const std::string& fileName, int32_t maxFileSize);

// True when a chosen name fits the buffer.
bool FitsNameBuffer(const std::string& fileName, int32_t maxFileSize);

// The folder and the title of a chosen full name: the parts before and after its last separator.
// A file in the root folder keeps "/" as its folder.
struct ChosenFileParts {
    std::string InitDir;
    std::string FileTitle;
};
ChosenFileParts SplitChosenFile(const std::string& fileName);

}  // namespace dualis
