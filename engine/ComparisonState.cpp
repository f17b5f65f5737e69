#include "ComparisonState.h"

#include "LineEnds.h"
#include "RawLoader.h"

namespace dualis {

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
