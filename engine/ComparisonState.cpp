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

// Walks the lines of [read, end); `append` adds one line's text to text_ (by copying or moving
// it) and returns its size there.
template <class Append>
int32_t RawStore::Split(const char* read, const char* end, Append&& append) {
    start_.clear();
    start_.reserve(static_cast<size_t>(end - read) / 32 + 2);
    start_.push_back(0);  // line 0 does not exist
    ends_.assign(1, LineEnd::None);
    ends_.reserve(start_.capacity());
    size_t written = 0;
    int32_t tooLong = 0;
    while (read < end) {
        const char* lineEnd = FindLineEnd(read, end);
        start_.push_back(static_cast<uint32_t>(written));
        const size_t bytes = append(std::string_view(read, lineEnd - read), written);
        // Characters never outnumber bytes, so only a line with more bytes than the longest
        // line so far can raise the maximum.
        if (bytes > static_cast<size_t>(maxLineLength_)) {
            const int64_t chars = CharCount({text_.data() + written, bytes});
            if (chars > MaxLineChars) {
                if (tooLong == 0) tooLong = static_cast<int32_t>(start_.size()) - 1;
            } else if (chars > maxLineLength_) {
                maxLineLength_ = static_cast<int16_t>(chars);
            }
        }
        written += bytes;
        read = lineEnd;
        if (read == end) {
            ends_.push_back(LineEnd::None);
        } else if (*read == '\n') {
            ends_.push_back(LineEnd::Lf);
            ++read;
        } else if (read + 1 < end && read[1] == '\n') {
            ends_.push_back(LineEnd::CrLf);
            read += 2;
        } else {
            ends_.push_back(LineEnd::Cr);
            ++read;
        }
    }
    start_.push_back(static_cast<uint32_t>(written));
    text_.resize(written);
    ignored_.assign(start_.size(), 0);
    return tooLong;
}

int32_t RawStore::LoadUtf8(std::string text) {
    Clear();
    text_ = std::move(text);
    const char* base = text_.data();
    return Split(base, base + text_.size(), [this](std::string_view line, size_t at) {
        if (text_.data() + at != line.data())
            std::memmove(text_.data() + at, line.data(), line.size());
        return line.size();
    });
}

int32_t RawStore::LoadWindows1252(std::string_view bytes) {
    Clear();
    text_.resize(Cp1252AsUtf8Size(bytes));  // room for the whole text; Split cuts it to size
    return Split(bytes.data(), bytes.data() + bytes.size(),
                 [this](std::string_view line, size_t at) {
                     char* start = text_.data() + at;
                     return static_cast<size_t>(WriteCp1252AsUtf8(start, line) - start);
                 });
}

void RawStore::Clear() {
    text_.clear();
    start_.assign(2, 0);
    ignored_.assign(2, 0);
    ends_.assign(1, LineEnd::None);
    maxLineLength_ = 0;
}

void CookedStore::Clear() {
    rawLine_.assign(1, 0);
    hash_.assign(1, 0);
    length_.assign(1, 0);
    changedIndex_.clear();
    changed_.clear();
    arena_.clear();
}

void CookedStore::AddUnchanged(int32_t rawLine, int16_t length, int32_t hash) {
    rawLine_.push_back(rawLine);
    hash_.push_back(hash);
    length_.push_back(static_cast<uint16_t>(length));
    if (!changedIndex_.empty()) changedIndex_.push_back(0);
}

void CookedStore::AddChanged(int32_t rawLine, int16_t length, int32_t hash, std::string_view text) {
    if (changedIndex_.empty()) changedIndex_.assign(rawLine_.size(), 0);
    changedIndex_.push_back(static_cast<uint32_t>(changed_.size()));
    changed_.push_back(Span{arena_.size(), static_cast<uint32_t>(text.size())});
    arena_.append(text);
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
