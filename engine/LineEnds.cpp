// Finding and counting line ends, the passes over a whole file that splitting it into lines
// makes: sixteen bytes at a time where the processor has SSE2, eight at a time elsewhere.
#include "LineEnds.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dualis {
namespace {

#if defined(__SSE2__)
// Sixteen bytes from p, as a vector.
__m128i Load16(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

// Bytes equal to c in the word, as the high bit of each such byte (exact, unlike the quick
// test for a zero byte, which can flag the byte above a match).
uint64_t BytesEqual(uint64_t word, char c) {
    constexpr uint64_t kLows = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (0x0101010101010101ull * static_cast<unsigned char>(c));
    return ~(((x & kLows) + kLows) | x | kLows);
}

// The number of high bits set in a word where no other bit is (a multiply, where a population
// count would be a call without the instruction for it).
size_t HighBits(uint64_t mask) {
    return static_cast<size_t>(((mask >> 7) * 0x0101010101010101ull) >> 56);
}

}  // namespace

const char* FindLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i crs = _mm_set1_epi8('\r');
    const __m128i lfs = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i bytes = Load16(p);
        const int found = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, crs), _mm_cmpeq_epi8(bytes, lfs)));
        if (found != 0) return p + __builtin_ctz(static_cast<unsigned>(found));
        p += 16;
    }
#endif
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighs = 0x8080808080808080ull;
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const uint64_t cr = word ^ (kOnes * '\r');
        const uint64_t lf = word ^ (kOnes * '\n');
        if ((((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs) break;
        p += 8;
    }
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p;
}

size_t CountLines(const char* p, const char* end) {
    if (p == end) return 0;
    const bool lastEnded = end[-1] == '\n' || end[-1] == '\r';
    size_t ends = 0;
    bool crBefore = false;  // the byte before this word was a CR
#if defined(__SSE2__)
    // Each byte lane counts the CRs and the LFs not after a CR it has seen, up to 255 before
    // the lanes are summed. The byte before each block is read again, from the block before.
    if (end - p >= 17) {
        const __m128i crs = _mm_set1_epi8('\r');
        const __m128i lfs = _mm_set1_epi8('\n');
        ends += *p == '\r' || *p == '\n';
        ++p;
        while (end - p >= 16) {
            __m128i lanes = _mm_setzero_si128();
            for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16) {
                const __m128i bytes = Load16(p);
                const __m128i lfAlone = _mm_andnot_si128(_mm_cmpeq_epi8(Load16(p - 1), crs),
                                                         _mm_cmpeq_epi8(bytes, lfs));
                lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, crs));
                lanes = _mm_sub_epi8(lanes, lfAlone);
            }
            const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
            ends += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                    static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
        }
        crBefore = p[-1] == '\r';
    }
#endif
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const uint64_t cr = BytesEqual(word, '\r');
        const uint64_t lf = BytesEqual(word, '\n');
        // An LF right after a CR ends the same line: counted with the CR.
        const uint64_t lfAfterCr = lf & ((cr << 8) | (crBefore ? 0x80u : 0u));
        ends += HighBits(cr) + HighBits(lf) - HighBits(lfAfterCr);
        crBefore = (cr >> 63) != 0;
        p += 8;
    }
    for (; p < end; ++p) {
        if (*p == '\r') {
            ++ends;
            crBefore = true;
        } else {
            ends += *p == '\n' && !crBefore;
            crBefore = false;
        }
    }
    return ends + (lastEnded ? 0 : 1);
}

}  // namespace dualis
