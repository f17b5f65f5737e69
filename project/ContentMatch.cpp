#include "ContentMatch.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "ComparisonState.h"
#include "FileIO.h"
#include "Normalise.h"
#include "RawLoader.h"

namespace dualis::project {
namespace {

uint64_t HashText(std::string_view text) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

LineProfile ProfileOfText(std::string bytes, const CompareOptions& options) {
    LineProfile profile;
    ComparisonState state;
    try {
        LoadRawText(state, 0, std::move(bytes));
        LoadCookedStack(state, 0, options);
    } catch (const InputFileError&) {
        return profile;
    }
    profile.Lines.reserve(static_cast<size_t>(state.CookedCount(0)));
    for (int32_t k = 1; k <= state.CookedCount(0); ++k) {
        profile.Lines.push_back(HashText(state.Cooked(0, k).Text));
    }
    std::sort(profile.Lines.begin(), profile.Lines.end());
    profile.Readable = true;
    return profile;
}

LineProfile ProfileOf(const ModuleEntry& module, const CompareOptions& options) {
    if (!module.Problem.empty() || module.IsLink) return {};
    try {
        return ProfileOfText(ReadModuleBytes(module), options);
    } catch (const InputFileError&) {
        return {};
    }
}

int64_t CommonLines(const LineProfile& a, const LineProfile& b) {
    int64_t common = 0;
    auto i = a.Lines.begin(), j = b.Lines.begin();
    while (i != a.Lines.end() && j != b.Lines.end()) {
        if (*i < *j) {
            ++i;
        } else if (*j < *i) {
            ++j;
        } else {
            ++common;
            ++i;
            ++j;
        }
    }
    return common;
}

bool AlikeEnough(int64_t common, const LineProfile& a, const LineProfile& b) {
    const auto smaller = static_cast<int64_t>(std::min(a.Lines.size(), b.Lines.size()));
    return common >= 1 && 2 * common >= smaller;
}

bool SameFileBytes(const std::filesystem::path& a, const std::filesystem::path& b,
                   std::string* problem) {
    const auto fail = [&](const std::filesystem::path& which, const std::string& reason) {
        if (problem) *problem = which.string() + ": " + reason;
        return false;
    };
    std::error_code error;
    const std::array<std::filesystem::path, 2> path{a, b};
    std::array<uintmax_t, 2> size{};
    for (int f = 0; f < 2; ++f) {
        if (!std::filesystem::is_regular_file(path[f], error)) {
            return fail(path[f], error ? error.message() + "." : "It is not a regular file.");
        }
        size[f] = std::filesystem::file_size(path[f], error);
        if (error) return fail(path[f], error.message() + ".");
    }
    if (size[0] != size[1]) return false;
    std::array<std::ifstream, 2> in{std::ifstream(a, std::ios::binary),
                                    std::ifstream(b, std::ios::binary)};
    for (int f = 0; f < 2; ++f) {
        if (!in[f]) return fail(path[f], "It cannot be opened.");
    }
    std::array<std::string, 2> block{std::string(65536, '\0'), std::string(65536, '\0')};
    for (;;) {
        for (int f = 0; f < 2; ++f) {
            in[f].read(block[f].data(), 65536);
            if (in[f].bad()) return fail(path[f], "It cannot be read.");
        }
        if (in[0].gcount() != in[1].gcount()) return false;  // one changed while read
        const auto got = static_cast<size_t>(in[0].gcount());
        if (block[0].compare(0, got, block[1], 0, got) != 0) return false;
        if (got < 65536) return in[0].eof() && in[1].eof();
    }
}

bool SameBytes(const ModuleEntry& a, const ModuleEntry& b) {
    if (!a.Problem.empty() || !b.Problem.empty() || a.IsLink || b.IsLink) return false;
    if (!a.Contents && !b.Contents) return SameFileBytes(a.FullPath, b.FullPath);
    try {
        return ReadModuleBytes(a) == ReadModuleBytes(b);
    } catch (const InputFileError&) {
        return false;
    }
}

}  // namespace dualis::project
