// One whole comparison of FileName(0) and FileName(1).
#pragma once

#include "ComparisonState.h"
#include "Host.h"
#include "Matching.h"
#include "Options.h"

namespace dualis {

// Loads, normalises, cuts into procedures, matches and builds the display rows. A file that is
// missing, unreadable or beyond the data model is reported through the host and leaves the
// previous comparison as it was; the result says whether a new comparison is in place.
bool CompareAFile(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search = CandidateSearch::Auto);

}  // namespace dualis
