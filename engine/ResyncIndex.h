// An index of one procedure pair's lines that finds the resynchronisation candidate the
// literal search would find, without trying every line of File 2.
//
// A candidate c for File 1's line i is accepted when BlockIsEqual(i, c, S) holds. Writing
// d0 = L0 - i + 1 and d1 = L1 - c + 1 for the lines left in each procedure, that is: the
// first min(S, max(d0, d1)) lines from i and from c agree (lines past a procedure's end are
// the file's following lines, or empty past the file's end). So where d0 >= S or d1 >= S
// the test is "the S-line blocks agree", answered by a sorted index of File 2's block
// hashes; only the last S - 1 candidates can need fewer lines, and those are tried one by
// one with prefix hashes. Every hash hit is confirmed with BlockIsEqual itself (through
// TryCandidate, which traces it), so the answer is always the literal one.
//
// Example, S = 2: File 1 A B A B ..., File 2 A A A ...: the block "A B" is in no File 2
// position, so each unmatched line costs one lookup instead of a pass over File 2.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "ComparisonState.h"
#include "Host.h"

namespace dualis {

class ResyncIndex {
  public:
    ResyncIndex(const ComparisonState& state, const ProcRecord& proc, int16_t syncNumber);

    // The smallest c in [from, LastCooked(1)] with BlockIsEqual(i, c, S), or 0 when none.
    // The host traces the candidates tried.
    int32_t Find(int32_t i, int32_t from, IHost& host) const;

  private:
    struct Window {
        int32_t First = 0;             // cooked index of the first line held
        std::vector<uint64_t> Prefix;  // polynomial prefix hashes of the line keys
        void Build(const ComparisonState& state, int f, int32_t first, int32_t last);
        uint64_t Block(int32_t from, int32_t length, const std::vector<uint64_t>& powers) const;
    };

    const ComparisonState& state_;
    const ProcRecord& proc_;
    int16_t sync_;
    Window file1_, file2_;
    std::vector<uint64_t> powers_;
    std::vector<std::pair<uint64_t, int32_t>> blocks_;  // (hash of S lines at c, c), sorted
    // One bit for each value of a hash's leading bits (hash >> filterShift_), set where a block
    // has them: about eight bits a block, small enough to stay in the cache.
    std::vector<uint64_t> filter_;
    int filterShift_ = 0;
};

}  // namespace dualis
