#include "ResyncIndex.h"

#include <algorithm>
#include <cstring>

#include "Matching.h"

namespace dualis {
namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr uint64_t kModulus = (1ull << 61) - 1;
constexpr uint64_t kBase = 1000003;

uint64_t MulMod(uint64_t a, uint64_t b) {
    const Uint128 product = static_cast<Uint128>(a) * b;
    const uint64_t folded =
        static_cast<uint64_t>(product & kModulus) + static_cast<uint64_t>(product >> 61);
    return folded >= kModulus ? folded - kModulus : folded;
}

uint64_t Mix(uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    x ^= x >> 33;
    return x;
}

// A key that is equal for lines that LinesAreEqual finds equal: it covers text and hash.
uint64_t LineKey(const CookedLine& line) {
    uint64_t h = Mix(static_cast<uint32_t>(line.Hash) ^ (line.Text.size() << 32));
    const char* p = line.Text.data();
    size_t n = line.Text.size();
    while (n >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        h = Mix(h ^ word);
        p += 8;
        n -= 8;
    }
    uint64_t tail = 0;
    if (n > 0) std::memcpy(&tail, p, n);
    return Mix(h ^ tail) % kModulus;
}

}  // namespace

void ResyncIndex::Window::Build(const ComparisonState& state, int f, int32_t first, int32_t last) {
    First = first;
    Prefix.assign(static_cast<size_t>(last - first + 2), 0);
    for (int32_t x = first; x <= last; ++x) {
        const size_t k = static_cast<size_t>(x - first);
        Prefix[k + 1] = (MulMod(Prefix[k], kBase) + LineKey(state.Cooked(f, x))) % kModulus;
    }
}

uint64_t ResyncIndex::Window::Block(int32_t from, int32_t length,
                                    const std::vector<uint64_t>& powers) const {
    const size_t a = static_cast<size_t>(from - First);
    const uint64_t high = MulMod(Prefix[a], powers[static_cast<size_t>(length)]);
    const uint64_t whole = Prefix[a + static_cast<size_t>(length)];
    return whole >= high ? whole - high : whole + kModulus - high;
}

ResyncIndex::ResyncIndex(const ComparisonState& state, const ProcRecord& proc, int16_t syncNumber)
    : state_(state), proc_(proc), sync_(syncNumber) {
    // Blocks reach up to S - 1 lines past each procedure's end.
    file1_.Build(state, 0, proc.FirstCooked[0], proc.LastCooked[0] + sync_ - 1);
    file2_.Build(state, 1, proc.FirstCooked[1], proc.LastCooked[1] + sync_ - 1);
    const size_t longest = std::max(file1_.Prefix.size(), file2_.Prefix.size());
    powers_.assign(longest, 1);
    for (size_t k = 1; k < longest; ++k) powers_[k] = MulMod(powers_[k - 1], kBase);
    blocks_.reserve(static_cast<size_t>(proc.LastCooked[1] - proc.FirstCooked[1] + 1));
    for (int32_t c = proc.FirstCooked[1]; c <= proc.LastCooked[1]; ++c) {
        blocks_.emplace_back(file2_.Block(c, sync_, powers_), c);
    }
    std::sort(blocks_.begin(), blocks_.end());
    // Most searches of a procedure with little in common find nothing, and a search of the
    // whole index missed the cache at nearly every step; a filter of the hashes' leading bits
    // (below 2^61) answers most of them at once.
    int bits = 6;
    while (bits < 26 && (size_t{1} << bits) < blocks_.size() * 8) ++bits;
    filterShift_ = 61 - bits;
    filter_.assign((size_t{1} << bits) / 64, 0);
    for (const auto& block : blocks_) {
        const uint64_t bit = block.first >> filterShift_;
        filter_[bit / 64] |= uint64_t{1} << (bit % 64);
    }
}

int32_t ResyncIndex::Find(int32_t i, int32_t from, IHost& host) const {
    const int32_t last1 = proc_.LastCooked[1];
    const int32_t left0 = proc_.LastCooked[0] - i + 1;
    // Candidates up to mainEnd need all S lines to agree.
    const int32_t mainEnd = left0 >= sync_ ? last1 : last1 - sync_ + 1;
    if (from <= mainEnd) {
        const uint64_t h = file1_.Block(i, sync_, powers_);
        const uint64_t bit = h >> filterShift_;
        auto it = (filter_[bit / 64] >> (bit % 64)) & 1
                      ? std::lower_bound(blocks_.begin(), blocks_.end(), std::make_pair(h, from))
                      : blocks_.end();
        for (; it != blocks_.end() && it->first == h && it->second <= mainEnd; ++it) {
            if (TryCandidate(state_, i, it->second, sync_, proc_, host)) return it->second;
        }
    }
    for (int32_t c = std::max(from, mainEnd + 1); c <= last1; ++c) {
        const int32_t need = std::max(left0, last1 - c + 1);
        if (file1_.Block(i, need, powers_) == file2_.Block(c, need, powers_) &&
            TryCandidate(state_, i, c, sync_, proc_, host)) {
            return c;
        }
    }
    return 0;
}

}  // namespace dualis
