#include "References.h"

#include <vector>

#include "PathResolve.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> SplitAt(std::string_view s, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t k = s.find(separator); k != std::string_view::npos; k = s.find(separator, start)) {
        parts.push_back(s.substr(start, k - start));
        start = k + 1;
    }
    parts.push_back(s.substr(start));
    return parts;
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

LibraryReference ProjectReference(std::string_view path) {
    return {"project:" + FoldPath(path), "", std::string(path)};
}

}  // namespace

LibraryReference ParseReference(std::string_view value) {
    value = Trim(value);
    if (StartsWithIgnoringCase(value, "*\\A")) return ProjectReference(value.substr(3));
    if (StartsWithIgnoringCase(value, "*\\G")) {
        const std::vector<std::string_view> part = SplitAt(value.substr(3), '#');
        LibraryReference reference{FoldName(part[0]), "", ""};
        if (part.size() >= 3) {
            reference.Version = std::string(part[1]) + "#" + std::string(part[2]);
        } else if (part.size() == 2) {
            reference.Version = part[1];
        }
        if (part.size() >= 4) reference.Path = part[3];
        return reference;
    }
    return {FoldName(value), "", ""};
}

LibraryReference ParseObject(std::string_view value) {
    value = Trim(value);
    if (StartsWithIgnoringCase(value, "*\\A")) return ProjectReference(value.substr(3));
    const size_t semicolon = value.find(';');
    const std::string_view library = Trim(value.substr(0, semicolon));
    const std::vector<std::string_view> part = SplitAt(library, '#');
    LibraryReference reference{FoldName(part[0]), "", ""};
    for (size_t k = 1; k < part.size(); ++k) {
        if (k > 1) reference.Version += '#';
        reference.Version += part[k];
    }
    if (semicolon != std::string_view::npos) reference.Path = Trim(value.substr(semicolon + 1));
    return reference;
}

bool SameLibraryPath(std::string_view a, std::string_view b) {
    const auto canonical = [](std::string_view path) {
        std::string folded = FoldPath(path);
        if (folded.size() >= 2 && folded[1] == ':') folded.erase(0, 2);
        std::string result;
        for (std::string_view part : SplitAt(folded, '/')) {
            result += part == "syswow64" ? std::string_view("system32") : part;
            result += '/';
        }
        return result;
    };
    return canonical(a) == canonical(b);
}

}  // namespace dualis::project
