#include "PathResolve.h"

#include <algorithm>

#include "OsFiles.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool HasDrive(std::string_view written) {
    return written.size() >= 2 && written[1] == ':' &&
           ((written[0] >= 'A' && written[0] <= 'Z') || (written[0] >= 'a' && written[0] <= 'z'));
}

std::vector<std::string_view> SplitParts(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t k = 0; k <= path.size(); ++k) {
        if (k == path.size() || IsSeparator(path[k])) {
            if (k > start) parts.push_back(path.substr(start, k - start));
            start = k + 1;
        }
    }
    return parts;
}

}  // namespace

std::string DecodeName(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string text(Cp1252AsUtf8Size(bytes), '\0');
    WriteCp1252AsUtf8(text.data(), bytes);
    return text;
}

std::string FoldName(std::string_view text) {
    std::string folded = DecodeName(text);
    LowerCaseInPlace(folded);
    return folded;
}

std::string NormalisePath(std::string_view written) {
    const bool drive = HasDrive(written);
    std::string prefix(drive ? written.substr(0, 2) : std::string_view());
    if (drive) written.remove_prefix(2);
    const bool rooted = !written.empty() && IsSeparator(written[0]);
    if (rooted) prefix += written.size() >= 2 && IsSeparator(written[1]) ? "//" : "/";
    std::vector<std::string_view> kept;
    for (std::string_view part : SplitParts(written)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!kept.empty() && kept.back() != "..") {
                kept.pop_back();
            } else if (!rooted) {
                kept.push_back(part);  // climbing out of the base folder
            }
            continue;
        }
        kept.push_back(part);
    }
    std::string normal = prefix;
    for (size_t k = 0; k < kept.size(); ++k) {
        if (k > 0) normal += '/';
        normal += kept[k];
    }
    return normal;
}

std::string FoldPath(std::string_view written) {
    return FoldName(NormalisePath(written));
}

bool IsAbsoluteWrittenPath(std::string_view written) {
    return HasDrive(written) || (!written.empty() && IsSeparator(written[0]));
}

const FolderIndex::Listing& FolderIndex::ListingOf(const std::filesystem::path& folder) {
    const auto known = listings_.find(folder);
    if (known != listings_.end()) return known->second;
    Listing listing;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        listing.Names.push_back(it->path().filename().string());
    }
    std::sort(listing.Names.begin(), listing.Names.end());
    for (const std::string& name : listing.Names) listing.ByFolded.emplace(FoldName(name), name);
    return listings_.emplace(folder, std::move(listing)).first->second;
}

std::string FolderIndex::Find(const std::filesystem::path& folder, std::string_view name) {
    const Listing& listing = ListingOf(folder);
    if (std::binary_search(listing.Names.begin(), listing.Names.end(), name)) {
        return std::string(name);
    }
    const auto match = listing.ByFolded.find(FoldName(name));
    return match == listing.ByFolded.end() ? std::string() : match->second;
}

ResolvedPath FolderIndex::Resolve(const std::filesystem::path& base, std::string_view written) {
    ResolvedPath resolved;
    resolved.Absolute = IsAbsoluteWrittenPath(written);
    const std::string normal = NormalisePath(written);
    const bool drive = HasDrive(normal);
    const bool server = normal.starts_with("//");
    // Where a drive or a server has no meaning, such a path is kept as written.
    if ((drive || server) && !os::DrivesAndServersAreNames()) {
        resolved.FullPath = normal;
        resolved.RelativePath = DecodeName(normal);
        return resolved;
    }
    std::filesystem::path current = resolved.Absolute ? std::filesystem::path("/") : base;
    std::string_view rest = normal;
    if (drive || server) {
        // "C:/" or "//server/share/" is the root the rest is looked for in, as written.
        size_t rootEnd = 2;
        if (server) {
            const size_t shareStart = normal.find('/', 2);
            rootEnd =
                shareStart == std::string::npos ? normal.size() : normal.find('/', shareStart + 1);
            if (rootEnd == std::string::npos) rootEnd = normal.size();
        }
        current = os::PathFromUtf8(std::string(normal.substr(0, rootEnd)) + "/");
        rest.remove_prefix(rootEnd);
    }
    bool found = true;
    for (std::string_view part : SplitParts(rest)) {
        if (part == "..") {
            current = current.parent_path();
            continue;
        }
        const std::string onDisk = found ? Find(current, part) : std::string();
        found = found && !onDisk.empty();
        current /= os::PathFromUtf8(found ? std::string_view(onDisk) : part);
    }
    resolved.Found = found;
    resolved.FullPath = current;
    resolved.RelativePath =
        resolved.Absolute ? DecodeName(current.generic_string()) : RelativeText(current, base);
    return resolved;
}

std::string RelativeText(const std::filesystem::path& full, const std::filesystem::path& base) {
    const std::filesystem::path relative = full.lexically_relative(base);
    if (relative.empty()) return DecodeName(full.generic_string());
    return DecodeName(relative.generic_string());
}

}  // namespace dualis::project
