// Reading a file into its raw line store, and the two file-name functions that the engine,
// the main window and the file selection dialog share.
#pragma once

#include <stdexcept>
#include <string>

#include "ComparisonState.h"
#include "Host.h"

namespace dualis {

// An input file that exists but cannot be compared: unreadable, or beyond the data model.
// The text is the reason, for the user.
class InputFileError : public std::runtime_error {
  public:
    // fileIndex: the file at fault, or -1 for the file being read when the error is raised.
    explicit InputFileError(const std::string& reason, int fileIndex = -1)
        : std::runtime_error(reason), FileIndex(fileIndex) {}
    int FileIndex;
};

// Reads the file into RawStack(fileIndex), decoded and cut into lines.
// Throws InputFileError when the file cannot be read or has a line that is too long.
void LoadRawStack(ComparisonState& state, int fileIndex, const std::string& fileName);

// True when the name denotes a present, ordinary, not hidden file.
bool FileExists(const std::string& fileName, IHost* trace = nullptr);

// The platform's folder separator: "/" here; "\\" and "/" on Windows.
bool IsPathSeparator(char c);

// Splits a name into its folder (with its trailing separator; the whole name when it has no
// separator), its base name and its extension (without the dot).
void SplitFileName(const std::string& fullName, std::string& path, std::string& baseName,
                   std::string& extension, IHost* trace = nullptr);

// The size in bytes and the time of last change of a file; false when it cannot be examined.
bool FileFacts(const std::string& fileName, int64_t& size, FileTime& date);

}  // namespace dualis
