// The one exception type for run-time errors, with the usual error numbers, and the checked
// narrowing helpers that raise an overflow where the data model fixes a width.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace dualis {

enum ErrorNumber : int32_t {
    ErrNone = 0,  // a failed consistency check: no error number is pending
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrTypeMismatch = 13,
    ErrFileNotFound = 53,
    ErrPathFileAccess = 75,
};

class RunTimeError : public std::runtime_error {
  public:
    // `place` is the trace text of the procedure that failed, possibly followed by the
    // details of a consistency check; the error handler prints it after "Error: N in ".
    RunTimeError(int32_t number, std::string description, std::string source, std::string place)
        : std::runtime_error(description),
          Number(number),
          Description(std::move(description)),
          Source(std::move(source)),
          Place(std::move(place)) {}

    int32_t Number;
    std::string Description;
    std::string Source;
    std::string Place;
};

// A file the program was asked to write that cannot be written. The window's error handler takes
// it as any run-time error; the command line reports it as a plain message.
class OutputFileError : public RunTimeError {
  public:
    OutputFileError(std::string fileName, std::string reason, std::string place)
        : RunTimeError(ErrPathFileAccess, "Path/File access error: " + reason, "Dualis",
                       std::move(place)),
          FileName(std::move(fileName)),
          Reason(std::move(reason)) {}

    std::string FileName;
    std::string Reason;
};

// Raised for a consistency check of the engine that failed; carries no error number.
inline RunTimeError AssertFailure(std::string place) {
    return RunTimeError(ErrNone, "assert failure", "", std::move(place));
}

template <class Narrow, class Wide>
Narrow CheckedNarrow(Wide value, const char* place) {
    if (value < static_cast<Wide>(std::numeric_limits<Narrow>::min()) ||
        value > static_cast<Wide>(std::numeric_limits<Narrow>::max())) {
        throw RunTimeError(ErrOverflow, "Overflow", "Dualis", place);
    }
    return static_cast<Narrow>(value);
}

}  // namespace dualis
