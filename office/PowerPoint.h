// PowerPoint's binary documents (.ppt, .pps, .pot) keep their VBA project as a compound file
// of its own inside the "PowerPoint Document" stream: an ExOleObjStg record (type 0x1011),
// zlib-compressed when its instance is 1 (a 32-bit decompressed size, then the zlib stream).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dualis::office {

// The bytes of the compound file that holds the VBA project: the last top-level ExOleObjStg
// record whose compound file has a VBA storage with a dir stream (a presentation saved
// quickly appends newer records after older ones). None when no record holds one; when a
// record that could not be read is all there is, its FormatError is raised.
std::optional<std::string> FindPowerPointProject(std::string_view documentStream);

}  // namespace dualis::office
