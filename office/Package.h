// Where an Office Open XML package keeps its VBA project: the part whose content type
// [Content_Types].xml gives as a VBA project, else the part the main document's relationships
// point at as one ("xl/vbaProject.bin", "word/vbaProject.bin", "ppt/vbaProject.bin").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Zip.h"

namespace dualis::office {

// One element's attributes, in document order, their values with the five named and the
// numeric character references replaced.
struct XmlElement {
    std::string Name;  // without its namespace prefix
    std::vector<std::pair<std::string, std::string>> Attributes;
    const std::string* Attribute(std::string_view name) const;
};

// The start tags of an XML text, in order. Comments, processing instructions and CDATA are
// passed over; no more than this reader needs: the content types and relationships.
std::vector<XmlElement> StartTags(std::string_view xml);

// The name of the zip entry holding the VBA project; none when the package has none.
std::optional<std::string> FindVbaProjectPart(const ZipArchive& zip);

// A part name as the zip stores it: without a leading "/", "%XX" decoded; a relationship's
// target resolved against the folder of its source part ("../" climbs).
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);

}  // namespace dualis::office
