// The whole state of one comparison: both files' raw and cooked lines, the procedure records,
// the match records and the display rows, with the facts about the two files.
//
// Numbering: file index 0 is File 1 (the base file), 1 is File 2. Raw lines, cooked lines,
// procedure records, match entries and display rows all count from 1; index 0 is never a line.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "LargeArray.h"
#include "Options.h"
#include "ProcRows.h"
#include "TextCodec.h"

namespace dualis {

using FileTime = std::chrono::system_clock::time_point;

inline constexpr int32_t NoNextDiff = 999999;
inline constexpr int32_t MaxLineChars = 32767;  // 16-bit line lengths
inline constexpr int32_t MaxProcRecords = 32767;

enum class LineSymbol : int8_t {
    HiddenMarker = -2,  // stands for a run of equal lines hidden by DifferencesOnly
    Equal = -1,
    Ignored = 0,  // left out of the comparison by normalisation
    Added = 1,
    Changed = 2,
    Deleted = 3,
};

enum ProcStatus : int16_t {
    ProcAdded = 1,    // only in File 2
    ProcChanged = 2,  // in both files, with differences
    ProcDeleted = 3,  // only in File 1
    ProcEqual = 4,    // in both files, no difference found
};

// How a raw line ended in its file; only a file's last line can have no end.
enum class LineEnd : uint8_t { None, CrLf, Lf, Cr };

// The characters of a line end: "\r\n", "\n", "\r", or nothing.
std::string_view LineEndText(LineEnd end);

// A file's text as the engine holds it: UTF-8, line ends included.
using TextBytes = LargeVector<char>;

// The raw lines of one file exactly as read, and how each one ended.
class RawStore {
  public:
    // Cuts a file's text into lines (CR LF, CR and LF each end a line): UTF-8 text kept as it
    // is, Windows-1252 bytes decoded first. Returns the 1-based number of the first line
    // longer than MaxLineChars characters, or 0. The text must be shorter than 4 GiB.
    int32_t LoadUtf8(TextBytes text);
    int32_t LoadUtf8(std::string_view text) {
        return LoadUtf8(TextBytes(text.begin(), text.end()));
    }
    int32_t LoadWindows1252(std::string_view bytes);
    void Clear();

    int32_t Count() const { return static_cast<int32_t>(start_.size()) - 2; }
    // Line `line`'s text, without its line end.
    std::string_view Text(int32_t line) const {
        return {text_.data() + start_[line], start_[line + 1] - start_[line] - EndBytes(line)};
    }
    LineEnd End(int32_t line) const { return static_cast<LineEnd>(flags_[line] & kEndMask); }
    // Lines first to last (first <= last) as they stand in the file, the line ends between
    // them included and the last one's left out: line j's text starts at Text(j).data() inside
    // it. A search scans a whole range at once this way.
    std::string_view Lines(int32_t first, int32_t last) const {
        return {text_.data() + start_[first], start_[last + 1] - start_[first] - EndBytes(last)};
    }
    bool Ignored(int32_t line) const { return (flags_[line] & kIgnoredFlag) != 0; }
    void SetIgnored(int32_t line) { flags_[line] |= kIgnoredFlag; }
    int16_t MaxLineLength() const { return maxLineLength_; }
    // The size of the text, line ends included.
    size_t Bytes() const { return text_.size(); }

  private:
    static constexpr uint8_t kEndMask = 3;  // the LineEnd
    static constexpr uint8_t kIgnoredFlag = 4;
    uint32_t EndBytes(int32_t line) const {
        return (0x1120u >> (4 * (flags_[line] & kEndMask))) & 0xF;
    }
    int32_t Split();

    TextBytes text_;               // the whole text, line ends included
    LargeVector<uint32_t> start_;  // start_[j]: offset of line j; start_[Count()+1]: the end
    LargeVector<uint8_t> flags_;   // flags_[j]: line j's LineEnd and whether it is ignored
    int16_t maxLineLength_ = 0;
};

// One cooked line as matching sees it. Past the last cooked line a file reads as empty lines.
struct CookedLine {
    std::string_view Text;
    int16_t Length = 0;  // characters of Text
    int32_t Hash = 0;    // HashLine of Text
    int32_t RawLine = 0;
};

// The lines of one file that take part in matching, in file order; RawLine strictly increases.
// Held as parallel arrays: a cooked line costs ten bytes when normalisation left its text as
// read, which is the usual case.
class CookedStore {
  public:
    // Empties the store and makes room for `lines` lines and `textBytes` bytes of changed text,
    // so that adding them moves nothing.
    void Clear(size_t lines = 0, size_t textBytes = 0);
    // Adds a line whose normalised text is the raw text itself.
    void AddUnchanged(int32_t rawLine, int16_t length, int32_t hash);
    void AddChanged(int32_t rawLine, int16_t length, int32_t hash, std::string_view text);

    int32_t Count() const { return static_cast<int32_t>(rawLine_.size()) - 1; }
    CookedLine Line(int32_t index, const RawStore& raw) const {
        if (index < 1 || index > Count()) return {};
        return {Text(index, raw), Length(index), hash_[index], rawLine_[index]};
    }
    int32_t Hash(int32_t index) const { return InRange(index) ? hash_[index] : 0; }
    int16_t Length(int32_t index) const {
        return InRange(index) ? static_cast<int16_t>(length_[index] & kLengthMask) : 0;
    }
    int32_t RawLine(int32_t index) const { return rawLine_[index]; }
    std::string_view Text(int32_t index, const RawStore& raw) const {
        if (!InRange(index)) return {};
        if ((length_[index] & kChangedFlag) == 0) return raw.Text(rawLine_[index]);
        const Span& span = changed_[changedIndex_[index]];
        return {arena_.data() + span.Offset, span.Bytes};
    }

  private:
    bool InRange(int32_t index) const { return index >= 1 && index <= Count(); }
    static constexpr uint16_t kChangedFlag = 0x8000;  // lengths never use the top bit
    static constexpr uint16_t kLengthMask = 0x7FFF;
    struct Span {
        uint64_t Offset;
        uint32_t Bytes;
    };
    LargeVector<int32_t> rawLine_{0};
    LargeVector<int32_t> hash_{0};
    LargeVector<uint16_t> length_{0};     // characters, with kChangedFlag for a changed text
    LargeVector<uint32_t> changedIndex_;  // per line, into changed_; kept once a line changed
    LargeVector<Span> changed_;
    LargeVector<char> arena_;  // the texts that normalisation changed
};

struct ProcRecord {
    std::string TrueProcName;   // as in the header, " [PropertyGet]" etc. appended; "(General)"
    std::string LCaseProcName;  // lower-case header name; empty for "(General)"
    // Per file: the procedure's range; all four are 0 in a file that lacks the procedure.
    std::array<int32_t, 2> FirstCooked{};
    std::array<int32_t, 2> FirstRaw{};
    std::array<int32_t, 2> LastCooked{};
    std::array<int32_t, 2> LastRaw{};
    int16_t Status = 0;

    bool InFile(int f) const { return FirstCooked[f] >= 1; }
};

struct MatchRecord {
    std::array<int32_t, 2> MatchLine{};  // raw lines of an equal pair; LastRaw + 1 in the sentinel
    std::array<int32_t, 2> NextDiff{};   // raw lines where the next difference starts; 0 unfilled
};

struct DisplayCell {
    int32_t RawLine = 0;  // 0: a filler or marker row
    LineSymbol Symbol = LineSymbol::Ignored;
};

struct SeparateRow {
    std::array<DisplayCell, 2> Pane;  // the two panes' rows face each other
};

struct CombinedRow {
    int32_t RawLine = 0;
    LineSymbol Symbol = LineSymbol::Ignored;
    int16_t Side = 0;  // the file whose line the row shows
};

// A procedure header line: its cooked index and the name it declares.
struct ProcHeader {
    int32_t Cooked;
    std::string Name;
};

struct ComparisonState {
    // Set by the caller before a comparison (SetFileNames).
    std::array<std::string, 2> FileName;
    std::array<std::string, 2> BaseName;
    std::array<std::string, 2> Extension;

    // Filled by a comparison.
    std::array<int64_t, 2> FileSize{};
    std::array<FileTime, 2> FileDate{};
    bool FilesCompared = false;
    CompareOptions Options;  // what the comparison was made with, for display rows built later
    std::array<RawStore, 2> RawStack;
    std::array<CookedStore, 2> CookedStack;
    std::array<std::vector<ProcHeader>, 2> Headers;   // from FindProcHeaders, for LoadProcStack
    std::vector<ProcRecord> ProcStack{ProcRecord{}};  // record 0 is unused
    int32_t MaxProcLines = 0;
    ProcRows<MatchRecord> MatchStack;
    ProcRows<SeparateRow> SeparateDisplay;
    ProcRows<CombinedRow> CombinedDisplay;

    int32_t RawCount(int f) const { return RawStack[f].Count(); }
    int32_t CookedCount(int f) const { return CookedStack[f].Count(); }
    int16_t MaxLineLength(int f) const { return RawStack[f].MaxLineLength(); }
    int32_t ProcCount() const { return static_cast<int32_t>(ProcStack.size()) - 1; }
    CookedLine Cooked(int f, int32_t index) const {
        return CookedStack[f].Line(index, RawStack[f]);
    }
    int32_t MatchCount(int32_t p) const { return MatchStack.Count(p); }
    int32_t SeparateCount(int32_t p) const { return SeparateDisplay.Count(p); }
    int32_t CombinedCount(int32_t p) const { return CombinedDisplay.Count(p); }
};

// The procedure counts the status line shows: a record of one file only is added or deleted
// whatever its status; every other one is equal or changed by its status.
struct ProcCounts {
    std::array<int32_t, 2> InFile{};  // procedures present in File 1 and in File 2
    int32_t Equal = 0, Changed = 0, Added = 0, Deleted = 0;
};
ProcCounts CountProcs(const ComparisonState& state);

// Empties every line, procedure and display array before a comparison loads its files.
void InitializeStacks(ComparisonState& state);

// Sets FileName, BaseName and Extension of both files.
void SetFileNames(ComparisonState& state, const std::string& file1, const std::string& file2);

}  // namespace dualis
