// Matching the lines of every procedure pair, positionally or by resynchronising after a
// difference, into the match rows and the procedures' final status.
#pragma once

#include <cstdint>

#include "ComparisonState.h"
#include "Host.h"
#include "Options.h"

namespace dualis {

// How the resynchronising search looks for its candidates: the literal search tries every line,
// the indexed one only the lines that can fit; Auto searches short procedures literally and
// in long ones tries the nearest lines before it builds the index. All give the same result,
// traced or not, and trace the candidates they try.
enum class CandidateSearch { Auto, Literal, Indexed };

void CompareProcs(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search = CandidateSearch::Auto);

// Cooked line i of File 1 against cooked line j of File 2: hash, then length, then text.
bool LinesAreEqual(const ComparisonState& state, int32_t i, int32_t j, IHost* trace = nullptr);

// Whether `count` lines from i (File 1) and j (File 2) are equal within record p; both
// procedures ending together counts as agreement.
bool BlockIsEqual(const ComparisonState& state, int32_t i, int32_t j, int16_t count,
                  const ProcRecord& p, IHost* trace = nullptr);

// One candidate c of the resynchronising search for File 1's line i: BlockIsEqual(i, c, count),
// after the data line "Comparing i c False" while the host traces and its log takes lines.
bool TryCandidate(const ComparisonState& state, int32_t i, int32_t c, int16_t count,
                  const ProcRecord& p, IHost& host);

}  // namespace dualis
