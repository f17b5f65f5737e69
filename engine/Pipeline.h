// One whole comparison of FileName(0) and FileName(1).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ComparisonState.h"
#include "Host.h"
#include "Matching.h"
#include "Options.h"

namespace dualis {

// Loads, normalises, cuts into procedures, matches and builds the display rows. A file that is
// missing, unreadable or beyond the data model, and a comparison that runs out of memory, is
// reported through the host and leaves the previous comparison as it was; the result says
// whether a new comparison is in place.
bool CompareAFile(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search = CandidateSearch::Auto);

// Raw lines of each file that the caller's own rules leave out (see LoadCookedStack).
using LeftOutLines = std::array<std::vector<int32_t>, 2>;

// The same comparison of two files' contents already in memory, under the names in
// state.FileName; nothing is read from disk and FileSize is the size of the contents.
bool CompareContents(ComparisonState& state, const CompareOptions& options, IHost& host,
                     std::array<std::string, 2> contents,
                     CandidateSearch search = CandidateSearch::Auto,
                     const LeftOutLines& leftOut = {});

}  // namespace dualis
