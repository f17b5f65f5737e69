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

// What a comparison is for: the dump reads the display rows of both views, the window those of
// the view it shows, and a report only the matches and the statuses. Rows spared are built
// when a view asks for them (BuildViewRows); a traced comparison builds them all, so that a
// trace tells the same steps whatever reads the result.
enum class ComparisonUse { Display, SeparateView, CombinedView, Report };

enum class DisplayView { Separate, Combined };

// Loads, normalises, cuts into procedures, matches and builds the display rows. A file that is
// missing, unreadable or beyond the data model, and a comparison that runs out of memory, is
// reported through the host and leaves the previous comparison as it was; the result says
// whether a new comparison is in place.
bool CompareAFile(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search = CandidateSearch::Auto,
                  ComparisonUse use = ComparisonUse::Display);

// Raw lines of each file that the caller's own rules leave out (see LoadCookedStack).
using LeftOutLines = std::array<std::vector<int32_t>, 2>;

// The same comparison of two files' contents already in memory, under the names in
// state.FileName; nothing is read from disk and FileSize is the size of the contents.
bool CompareContents(ComparisonState& state, const CompareOptions& options, IHost& host,
                     std::array<std::string, 2> contents,
                     CandidateSearch search = CandidateSearch::Auto,
                     const LeftOutLines& leftOut = {}, ComparisonUse use = ComparisonUse::Display);

// Whether the rows of a view are in place for every procedure of the comparison.
bool HasViewRows(const ComparisonState& state, DisplayView view);

// Builds the rows of a view that the comparison in `state` was spared, with the options it was
// made with; rows in place are kept. Out of memory it says so through the host, leaves the view
// without rows and returns false.
bool BuildViewRows(ComparisonState& state, DisplayView view, IHost& host);

}  // namespace dualis
