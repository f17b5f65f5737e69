#include "Package.h"

#include "TextCodec.h"

namespace dualis::office {
namespace {

constexpr std::string_view VbaProjectType = "application/vnd.ms-office.vbaProject";
constexpr std::string_view VbaRelationship = "/relationships/vbaProject";
constexpr std::string_view DocumentRelationship = "/relationships/officeDocument";
// The largest XML part read to find the project: packages' content types and relationships
// stay far below it.
constexpr size_t MaxXmlBytes = 16 * 1024 * 1024;

void AppendUtf8(std::string& out, uint32_t c) {
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Unescape(std::string_view value) {
    std::string out;
    for (size_t k = 0; k < value.size(); ++k) {
        const size_t semi = value[k] == '&' ? value.find(';', k) : std::string_view::npos;
        if (semi == std::string_view::npos || semi - k > 10) {
            out += value[k];
            continue;
        }
        const std::string_view ref = value.substr(k + 1, semi - k - 1);
        if (ref == "amp")
            out += '&';
        else if (ref == "lt")
            out += '<';
        else if (ref == "gt")
            out += '>';
        else if (ref == "quot")
            out += '"';
        else if (ref == "apos")
            out += '\'';
        else if (ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x' || ref[1] == 'X';
            uint32_t c = 0;
            for (const char d : ref.substr(hex ? 2 : 1)) {
                const int digit = d >= '0' && d <= '9'          ? d - '0'
                                  : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                                  : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                                : -1;
                if (digit < 0 || c > 0x10FFFF) {
                    c = 0xFFFD;
                    break;
                }
                c = c * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
            }
            AppendUtf8(out, c);
        } else {
            out.append(value.substr(k, semi - k + 1));
        }
        k = semi;
    }
    return out;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

XmlElement ParseTag(std::string_view tag) {
    XmlElement element;
    size_t k = 0;
    while (k < tag.size() && !IsSpace(tag[k]) && tag[k] != '/') ++k;
    std::string_view name = tag.substr(0, k);
    if (const size_t colon = name.find(':'); colon != std::string_view::npos) {
        name.remove_prefix(colon + 1);
    }
    element.Name = name;
    while (k < tag.size()) {
        while (k < tag.size() && (IsSpace(tag[k]) || tag[k] == '/')) ++k;
        const size_t nameStart = k;
        while (k < tag.size() && tag[k] != '=' && !IsSpace(tag[k])) ++k;
        const std::string attribute(tag.substr(nameStart, k - nameStart));
        while (k < tag.size() && IsSpace(tag[k])) ++k;
        if (k >= tag.size() || tag[k] != '=') break;
        ++k;
        while (k < tag.size() && IsSpace(tag[k])) ++k;
        if (k >= tag.size() || (tag[k] != '"' && tag[k] != '\'')) break;
        const size_t close = tag.find(tag[k], k + 1);
        if (close == std::string_view::npos) break;
        element.Attributes.emplace_back(attribute, Unescape(tag.substr(k + 1, close - k - 1)));
        k = close + 1;
    }
    return element;
}

std::string PercentDecoded(std::string_view name) {
    std::string out;
    for (size_t k = 0; k < name.size(); ++k) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9'   ? c - '0'
                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                   : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
        };
        if (name[k] == '%' && k + 2 < name.size() && hex(name[k + 1]) >= 0 &&
            hex(name[k + 2]) >= 0) {
            out += static_cast<char>(hex(name[k + 1]) * 16 + hex(name[k + 2]));
            k += 2;
        } else {
            out += name[k];
        }
    }
    return out;
}

std::optional<std::vector<XmlElement>> ReadXmlPart(const ZipArchive& zip, std::string_view name) {
    const ZipEntry* entry = zip.Find(name);
    if (!entry) return std::nullopt;
    return StartTags(zip.Read(*entry, MaxXmlBytes));
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

// The relationships part of a part: "xl/workbook.xml" has "xl/_rels/workbook.xml.rels".
std::string RelationshipsOf(std::string_view part) {
    const size_t slash = part.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? "" : part.substr(0, slash + 1);
    const std::string_view file = slash == std::string_view::npos ? part : part.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

// The target of the first relationship of that type in the part's relationships.
std::optional<std::string> RelatedPart(const ZipArchive& zip, std::string_view part,
                                       std::string_view typeEnd) {
    const auto tags = ReadXmlPart(zip, RelationshipsOf(part));
    if (!tags) return std::nullopt;
    for (const XmlElement& tag : *tags) {
        if (tag.Name != "Relationship") continue;
        const std::string* type = tag.Attribute("Type");
        const std::string* target = tag.Attribute("Target");
        const std::string* mode = tag.Attribute("TargetMode");
        if (type && target && EndsWith(*type, typeEnd) && (!mode || *mode != "External")) {
            return ResolvePartName(part, *target);
        }
    }
    return std::nullopt;
}

}  // namespace

const std::string* XmlElement::Attribute(std::string_view name) const {
    for (const auto& [key, value] : Attributes) {
        if (key == name) return &value;
    }
    return nullptr;
}

std::vector<XmlElement> StartTags(std::string_view xml) {
    std::vector<XmlElement> tags;
    size_t k = 0;
    while ((k = xml.find('<', k)) != std::string_view::npos) {
        const std::string_view rest = xml.substr(k);
        std::string_view close = ">";
        if (rest.starts_with("<!--"))
            close = "-->";
        else if (rest.starts_with("<![CDATA["))
            close = "]]>";
        else if (rest.starts_with("<?"))
            close = "?>";
        const size_t end = xml.find(close, k + 1);
        if (end == std::string_view::npos) break;
        if (close == ">" && rest.size() > 1 && rest[1] != '/' && rest[1] != '!') {
            tags.push_back(ParseTag(xml.substr(k + 1, end - k - 1)));
        }
        k = end + close.size();
    }
    return tags;
}

std::string ResolvePartName(std::string_view sourcePart, std::string_view target) {
    std::vector<std::string> parts;
    std::string path;
    if (!target.starts_with("/")) {
        const size_t slash = sourcePart.rfind('/');
        if (slash != std::string_view::npos) path = std::string(sourcePart.substr(0, slash + 1));
    }
    path += PercentDecoded(target);
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = std::min(path.find('/', start), path.size());
        const std::string piece = path.substr(start, slash - start);
        if (piece == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = slash + 1;
    }
    std::string out;
    for (const std::string& piece : parts) out += (out.empty() ? "" : "/") + piece;
    return out;
}

std::optional<std::string> FindVbaProjectPart(const ZipArchive& zip) {
    if (const auto types = ReadXmlPart(zip, "[Content_Types].xml")) {
        for (const XmlElement& tag : *types) {
            const std::string* type = tag.Attribute("ContentType");
            const std::string* part = tag.Attribute("PartName");
            if (tag.Name == "Override" && type && part &&
                EqualsIgnoringAsciiCase(*type, VbaProjectType)) {
                const std::string name = ResolvePartName("", *part);
                if (zip.Find(name)) return name;
            }
        }
    }
    const auto main = RelatedPart(zip, "", DocumentRelationship);
    if (!main) return std::nullopt;
    const auto project = RelatedPart(zip, *main, VbaRelationship);
    if (project && zip.Find(*project)) return project;
    return std::nullopt;
}

}  // namespace dualis::office
