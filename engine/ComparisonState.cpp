#include "ComparisonState.h"

#include <cstring>

#include "RawLoader.h"

namespace dualis {
namespace {

// The first CR or LF at or after p, or end; eight bytes at a time where it can.
const char* FindLineEnd(const char* p, const char* end) {
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

// The number of lines the text holds: its line ends (CR LF counting once), and a last line
// without one. Counted eight bytes at a time, since it is a pass over the whole file.
size_t CountLines(const char* p, const char* end) {
    if (p == end) return 0;
    const bool lastEnded = end[-1] == '\n' || end[-1] == '\r';
    size_t ends = 0;
    bool crBefore = false;  // the byte before this word was a CR
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

}  // namespace

std::string_view LineEndText(LineEnd end) {
    switch (end) {
        case LineEnd::CrLf:
            return "\r\n";
        case LineEnd::Lf:
            return "\n";
        case LineEnd::Cr:
            return "\r";
        case LineEnd::None:
            break;
    }
    return {};
}

int32_t RawStore::Split() {
    const char* const base = text_.data();
    const char* const end = base + text_.size();
    const size_t lines = CountLines(base, end);
    // Sized once: the arrays are filled without ever being moved.
    start_.clear();
    start_.reserve(lines + 2);
    start_.push_back(0);  // line 0 does not exist
    PrefaultRoom(start_);
    flags_.clear();
    flags_.reserve(lines + 2);
    flags_.push_back(0);
    PrefaultRoom(flags_);
    int32_t tooLong = 0;
    for (const char* read = base; read < end;) {
        const char* lineEnd = FindLineEnd(read, end);
        start_.push_back(static_cast<uint32_t>(read - base));
        const auto bytes = static_cast<size_t>(lineEnd - read);
        // Characters never outnumber bytes, so only a line with more bytes than the longest
        // line so far can raise the maximum.
        if (bytes > static_cast<size_t>(maxLineLength_)) {
            const int64_t chars = CharCount({read, bytes});
            if (chars > MaxLineChars) {
                if (tooLong == 0) tooLong = static_cast<int32_t>(start_.size()) - 1;
            } else if (chars > maxLineLength_) {
                maxLineLength_ = static_cast<int16_t>(chars);
            }
        }
        LineEnd kind = LineEnd::None;
        read = lineEnd;
        if (read < end) {
            kind = *read == '\n'                       ? LineEnd::Lf
                   : read + 1 < end && read[1] == '\n' ? LineEnd::CrLf
                                                       : LineEnd::Cr;
            read += kind == LineEnd::CrLf ? 2 : 1;
        }
        flags_.push_back(static_cast<uint8_t>(kind));
    }
    start_.push_back(static_cast<uint32_t>(text_.size()));
    flags_.push_back(0);
    return tooLong;
}

int32_t RawStore::LoadUtf8(TextBytes text) {
    Clear();
    text_ = std::move(text);
    return Split();
}

int32_t RawStore::LoadWindows1252(std::string_view bytes) {
    Clear();
    text_.resize(Cp1252AsUtf8Size(bytes));
    WriteCp1252AsUtf8(text_.data(), bytes);
    return Split();
}

void RawStore::Clear() {
    text_ = TextBytes();
    start_.assign(2, 0);
    flags_.assign(2, 0);
    maxLineLength_ = 0;
}

void CookedStore::Clear(size_t lines, size_t textBytes) {
    for (auto* column : {&rawLine_, &hash_}) {
        *column = LargeVector<int32_t>();
        column->reserve(lines + 1);
        column->push_back(0);
        PrefaultRoom(*column);
    }
    length_ = LargeVector<uint16_t>();
    length_.reserve(lines + 1);
    length_.push_back(0);
    PrefaultRoom(length_);
    changedIndex_ = LargeVector<uint32_t>();
    changed_ = LargeVector<Span>();
    arena_ = LargeVector<char>();
    arena_.reserve(textBytes);
}

void CookedStore::AddUnchanged(int32_t rawLine, int16_t length, int32_t hash) {
    rawLine_.push_back(rawLine);
    hash_.push_back(hash);
    length_.push_back(static_cast<uint16_t>(length));
    if (!changedIndex_.empty()) changedIndex_.push_back(0);
}

void CookedStore::AddChanged(int32_t rawLine, int16_t length, int32_t hash, std::string_view text) {
    if (changedIndex_.empty()) {
        changedIndex_.reserve(rawLine_.capacity());
        changedIndex_.assign(rawLine_.size(), 0);
    }
    changedIndex_.push_back(static_cast<uint32_t>(changed_.size()));
    changed_.push_back(Span{arena_.size(), static_cast<uint32_t>(text.size())});
    arena_.insert(arena_.end(), text.begin(), text.end());
    rawLine_.push_back(rawLine);
    hash_.push_back(hash);
    length_.push_back(static_cast<uint16_t>(length) | kChangedFlag);
}

ProcCounts CountProcs(const ComparisonState& state) {
    ProcCounts counts;
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& record = state.ProcStack[p];
        const bool in1 = record.InFile(0);
        const bool in2 = record.InFile(1);
        counts.InFile[0] += in1;
        counts.InFile[1] += in2;
        if (in1 && !in2) {
            ++counts.Deleted;
        } else if (in2 && !in1) {
            ++counts.Added;
        } else if (record.Status == ProcEqual) {
            ++counts.Equal;
        } else {
            ++counts.Changed;
        }
    }
    return counts;
}

void InitializeStacks(ComparisonState& state) {
    for (int f = 0; f < 2; ++f) {
        state.RawStack[f].Clear();
        state.CookedStack[f].Clear();
        state.Headers[f].clear();
    }
    state.ProcStack.assign(1, ProcRecord{});
    state.MaxProcLines = 0;
    state.MatchStack.Clear();
    state.SeparateDisplay.Clear();
    state.CombinedDisplay.Clear();
}

void SetFileNames(ComparisonState& state, const std::string& file1, const std::string& file2) {
    state.FileName = {file1, file2};
    for (int f = 0; f < 2; ++f) {
        std::string path;
        SplitFileName(state.FileName[f], path, state.BaseName[f], state.Extension[f]);
    }
}

}  // namespace dualis
