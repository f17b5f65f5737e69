// How alike two modules are, for pairing the modules that neither name nor path pairs, and
// whether two files hold the same bytes, which makes them equal without being parsed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Options.h"
#include "Source.h"

namespace dualis::project {

// A module's lines after the comparison options (the engine's own loading and normalisation),
// each as a 64-bit hash of its text, sorted.
struct LineProfile {
    std::vector<uint64_t> Lines;
    bool Readable = false;  // false when the module could not be read or loaded as text
};

LineProfile ProfileOfText(std::string bytes, const CompareOptions& options);
LineProfile ProfileOf(const ModuleEntry& module, const CompareOptions& options);

// The lines the two have in common, each line counted as often as both have it.
int64_t CommonLines(const LineProfile& a, const LineProfile& b);

// Two modules are alike when at least half the lines of the smaller one are common to both,
// and at least one is.
bool AlikeEnough(int64_t common, const LineProfile& a, const LineProfile& b);

// True when the two files have the same bytes: sizes first, then the bytes. False when either
// cannot be read, with the reason in `problem` when it is given.
bool SameFileBytes(const std::filesystem::path& a, const std::filesystem::path& b,
                   std::string* problem = nullptr);

// The same for two modules, in memory or on disk; false when either has a Problem.
bool SameBytes(const ModuleEntry& a, const ModuleEntry& b);

}  // namespace dualis::project
