// Reading a file into its raw line store, and the two file-name functions that the engine,
// the main window and the file selection dialog share.
#pragma once

#include <cstdint>
#include <limits>
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

// The largest input file: file sizes are 32-bit in the data model.
inline constexpr int64_t MaxInputBytes = std::numeric_limits<int32_t>::max();

// A file is text unless a NUL byte stands among its first this many bytes.
inline constexpr size_t TextProbeBytes = 8192;

// The bytes of an input file. It is opened without blocking and read through that one
// descriptor: anything but a regular file is refused, a file the file system reports larger
// than maxBytes is refused before anything is read, and one that grows past maxBytes while it
// is read is refused there. Throws InputFileError with the reason.
std::string ReadInputFile(const std::string& fileName, int64_t maxBytes = MaxInputBytes);

// Decodes a file's bytes into RawStack(fileIndex), cut into lines. Throws InputFileError when
// the bytes are not text or have a line that is too long.
void LoadRawText(ComparisonState& state, int fileIndex, std::string bytes);

// ReadInputFile, then LoadRawText.
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
