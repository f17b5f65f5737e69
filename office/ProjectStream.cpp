#include "ProjectStream.h"

#include "TextCodec.h"

namespace dualis::office {
namespace {

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

const ProjectLine* FindKey(const std::vector<ProjectLine>& lines, std::string_view key) {
    for (const ProjectLine& line : lines) {
        if (line.Section.empty() && EqualsIgnoringAsciiCase(line.Key, key)) return &line;
    }
    return nullptr;
}

}  // namespace

std::vector<ProjectLine> ParseProjectStream(std::string_view bytes) {
    std::vector<ProjectLine> lines;
    std::string section;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = Trim(bytes.substr(start, end - start));
        start =
            end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find('=');
        ProjectLine parsed;
        parsed.Section = section;
        parsed.Key = Trim(line.substr(0, equals));
        if (equals != std::string_view::npos) parsed.Value = Trim(line.substr(equals + 1));
        lines.push_back(std::move(parsed));
    }
    return lines;
}

std::optional<DeclaredKind> DeclaredKindOf(const std::vector<ProjectLine>& lines,
                                           std::string_view moduleName) {
    for (const ProjectLine& line : lines) {
        if (!line.Section.empty()) continue;
        std::string_view name = line.Value;
        std::optional<DeclaredKind> kind;
        if (EqualsIgnoringAsciiCase(line.Key, "Document")) {
            // "Name/&H00000000": the name, then the document's version.
            name = name.substr(0, name.find('/'));
            kind = DeclaredKind::Document;
        } else if (EqualsIgnoringAsciiCase(line.Key, "Module")) {
            kind = DeclaredKind::Standard;
        } else if (EqualsIgnoringAsciiCase(line.Key, "Class")) {
            kind = DeclaredKind::Class;
        } else if (EqualsIgnoringAsciiCase(line.Key, "BaseClass")) {
            kind = DeclaredKind::Form;
        }
        if (kind && EqualsIgnoringAsciiCase(name, moduleName)) return kind;
    }
    return std::nullopt;
}

std::optional<std::string> DecryptProjectValue(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (size_t k = 0; k < value.size(); k += 2) {
        const int high = HexDigit(value[k]), low = HexDigit(value[k + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    if (bytes.size() < 3 + 4) return std::nullopt;
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(bytes[k]); };
    const uint8_t seed = byte(0), versionEnc = byte(1), keyEnc = byte(2);
    if ((seed ^ versionEnc) != 2) return std::nullopt;
    // Each byte is masked with the sum of the encrypted byte two back and the plain byte one
    // back, starting from the project key.
    uint8_t plainBefore = seed ^ keyEnc, encBefore = keyEnc, encTwoBack = versionEnc;
    size_t at = 3;
    const auto next = [&]() {
        const uint8_t enc = byte(at++);
        const uint8_t plain = enc ^ static_cast<uint8_t>(encTwoBack + plainBefore);
        encTwoBack = encBefore;
        encBefore = enc;
        plainBefore = plain;
        return plain;
    };
    const size_t ignored = (seed & 6) / 2;
    if (bytes.size() < 3 + ignored + 4) return std::nullopt;
    for (size_t k = 0; k < ignored; ++k) next();
    uint32_t length = 0;
    for (int k = 0; k < 4; ++k) length |= static_cast<uint32_t>(next()) << (8 * k);
    if (length > bytes.size() - at) return std::nullopt;
    std::string data;
    while (data.size() < length) data += static_cast<char>(next());
    return data;
}

ProjectProtection ReadProtection(const std::vector<ProjectLine>& lines) {
    ProjectProtection p;
    const ProjectLine* cmg = FindKey(lines, "CMG");
    const ProjectLine* dpb = FindKey(lines, "DPB");
    const ProjectLine* gc = FindKey(lines, "GC");
    if (!cmg || !dpb || !gc) return p;
    const auto state = DecryptProjectValue(cmg->Value);
    const auto password = DecryptProjectValue(dpb->Value);
    const auto visibility = DecryptProjectValue(gc->Value);
    if (!state || state->size() != 4 || !password || password->empty() || !visibility ||
        visibility->size() != 1) {
        return p;
    }
    const uint8_t flags = static_cast<uint8_t>((*state)[0]);
    p.Known = true;
    p.LockedForViewing = (flags & 0x01) != 0 || (*visibility)[0] == '\0';
    p.HostProtected = (flags & 0x02) != 0;
    // An unset password is stored as a single NUL byte.
    p.Password = !(password->size() == 1 && (*password)[0] == '\0');
    return p;
}

std::string DescribeProtection(const ProjectProtection& protection) {
    if (!protection.Known) return "Unknown";
    std::string text;
    const auto add = [&](bool holds, const char* what) {
        if (holds) text += (text.empty() ? "" : ", ") + std::string(what);
    };
    add(protection.LockedForViewing, "Locked for viewing");
    add(protection.Password, "Password");
    add(protection.HostProtected, "Locked by the host");
    return text.empty() ? "None" : text;
}

}  // namespace dualis::office
