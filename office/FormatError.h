// What the readers of Office documents raise when the bytes are not what their format says.
#pragma once

#include <stdexcept>
#include <string>

namespace dualis::office {

// The text is the reason, for the user: "The compound file's sector chain loops.".
class FormatError : public std::runtime_error {
  public:
    explicit FormatError(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace dualis::office
