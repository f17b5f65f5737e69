// The engine's one layer of system calls for files: reading an input file, appending to an
// output file, and the facts the file system keeps about a file.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
// is read is refused there. Only the first `headBytes` bytes are read and returned, for a
// caller that needs no more. Throws InputFileError with the reason.
std::string ReadInputFile(const std::string& fileName, int64_t maxBytes = MaxInputBytes,
                          size_t headBytes = std::numeric_limits<size_t>::max());

// The same, whole, into the buffer the engine keeps a file's text in.
TextBytes ReadInputBytes(const std::string& fileName, int64_t maxBytes = MaxInputBytes);

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

// Why the name cannot be read as an input file, for the user: the system's text for a name it
// cannot find or open ("No such file or directory", "Permission denied"), "It is a folder." or
// "It is not a regular file."; empty when it names a regular file that can be read. The name is
// taken as it stands: a leading dot, "*" and "?" are ordinary characters.
std::string InputFileRefusal(const std::string& fileName);

// A file that a file the program writes (trace log, dump) must never be, and what the user is
// told when it would be.
struct GuardedFile {
    std::string FileName;
    std::string Reason;
};

inline constexpr std::string_view ComparedFileReason = "It is one of the files to compare.";
inline constexpr std::string_view SettingsFileReason = "It is the settings file.";

// The two files to compare and, when it is named, the settings file.
std::vector<GuardedFile> GuardedFiles(const std::array<std::string, 2>& compared,
                                      const std::string& settingsFile);

// The reason of the first guarded file that `fileName` is too (the same device and inode,
// whatever the names; for files that do not exist yet, the same path); empty when it is none.
std::string GuardedFileReason(const std::string& fileName, const std::vector<GuardedFile>& guarded);

}  // namespace dualis
