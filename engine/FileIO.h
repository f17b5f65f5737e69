// The engine's one layer of system calls for files: reading an input file, appending to an
// output file, and the facts the file system keeps about a file.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ComparisonState.h"

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

// The bytes of an input file. It is opened without blocking and read through that one
// descriptor: anything but a regular file is refused, a file the file system reports larger
// than maxBytes is refused before anything is read, and one that grows past maxBytes while it
// is read is refused there. Throws InputFileError with the reason.
std::string ReadInputFile(const std::string& fileName, int64_t maxBytes = MaxInputBytes);

// What a text is to become where a person reads it as it is written, on a terminal.
using TerminalFilter = std::string (*)(std::string_view text);

// Appends the text to the file, created when missing; a pipe without a reader is not waited
// for. When the file opened is a terminal and `forTerminal` is given, what that makes of the
// text is written instead; anything else gets the text byte for byte. Returns the reason when
// the text could not be written whole, else an empty text.
std::string AppendToFile(const std::string& fileName, std::string_view text,
                         TerminalFilter forTerminal = nullptr);

// The size in bytes and the time of last change of a file; false when it cannot be examined.
bool FileFacts(const std::string& fileName, int64_t& size, FileTime& date);

// True when the name denotes a regular file (after following links).
bool IsRegularFile(const std::string& fileName);

}  // namespace dualis
