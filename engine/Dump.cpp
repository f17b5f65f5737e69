#include "Dump.h"

#include "FileIO.h"
#include "Formats.h"
#include "RunTimeError.h"

namespace dualis {
namespace {

// One dump line: items without separators; a number is preceded by a blank unless negative
// and followed by a blank; a line ends with CR LF.
class DumpWriter {
  public:
    DumpWriter& Num(int64_t n) {
        if (n >= 0) out_.push_back(' ');
        out_.append(std::to_string(n));
        out_.push_back(' ');
        return *this;
    }
    DumpWriter& Bool(bool b) { return Str(b ? "True" : "False"); }
    DumpWriter& Str(std::string_view s) {
        out_.append(s);
        return *this;
    }
    DumpWriter& End() { return Str("\r\n"); }
    const std::string& Text() const { return out_; }

  private:
    std::string out_;
};

void General(DumpWriter& w, const ComparisonState& st, const CompareOptions& o,
             const DumpProgramFacts& program) {
    w.Str(program.FileDateTime).Str(program.VersionText).End();
    const std::pair<const char*, bool> flags[] = {{"ExpandTabs", o.ExpandTabs},
                                                  {"IgnoreBlankLines", o.IgnoreBlankLines},
                                                  {"IgnoreCase", o.IgnoreCase},
                                                  {"IgnoreComments", o.IgnoreComments},
                                                  {"IgnoreEmbeddedBlanks", o.IgnoreEmbeddedBlanks},
                                                  {"IgnoreLeadingBlanks", o.IgnoreLeadingBlanks},
                                                  {"IgnoreLineNumbers", o.IgnoreLineNumbers},
                                                  {"IgnoreTrailingBlanks", o.IgnoreTrailingBlanks},
                                                  {"LineByLine", o.LineByLine}};
    for (const auto& [name, value] : flags) w.Str(name).Bool(value).End();
    w.Str("SyncNumber").Str(std::to_string(o.SyncNumber)).End();
    w.Str("TabWidth").Str(std::to_string(o.TabWidth)).End();
    for (int f = 0; f < 2; ++f) {
        // Measured afresh: the dump tells what the file is now.
        int64_t size = 0;
        FileTime date;
        if (!FileFacts(st.FileName[f], size, date)) {
            throw RunTimeError(ErrFileNotFound, "File not found", "Dualis", "mCompare: DumpArrays");
        }
        w.Str(st.FileName[f])
            .Str(std::to_string(st.RawCount(f)) + " lines, " + std::to_string(size) + "; bytes, " +
                 GeneralDate(date))
            .End();
    }
}

void Raw(DumpWriter& w, const ComparisonState& st) {
    for (int f = 0; f < 2; ++f) {
        for (int32_t j = 1; j <= st.RawCount(f); ++j) {
            w.Num(j).Bool(st.RawStack[f].Ignored(j)).Str(st.RawStack[f].Text(j)).End();
        }
    }
}

void Cooked(DumpWriter& w, const ComparisonState& st) {
    for (int f = 0; f < 2; ++f) {
        for (int32_t j = 1; j <= st.CookedCount(f); ++j) {
            const CookedLine c = st.Cooked(f, j);
            w.Num(j).Num(c.RawLine).Num(c.Length).Num(c.Hash).Str(c.Text).End();
        }
    }
}

void Proc(DumpWriter& w, const ComparisonState& st) {
    for (int32_t p = 1; p <= st.ProcCount(); ++p) {
        const ProcRecord& r = st.ProcStack[p];
        w.Num(p).Num(r.Status).Str(r.TrueProcName).Str(r.LCaseProcName).End();
        for (int f = 0; f < 2; ++f) {
            w.Num(r.FirstRaw[f]).Num(r.LastRaw[f]).Num(r.FirstCooked[f]).Num(r.LastCooked[f]).End();
        }
    }
}

void Match(DumpWriter& w, const ComparisonState& st) {
    for (int32_t p = 1; p <= st.ProcCount(); ++p) {
        int32_t k = 0;
        for (const MatchRecord& m : st.MatchStack.Row(p)) {
            w.Num(p).Num(++k).Num(m.MatchLine[0]).Num(m.MatchLine[1]);
            w.Num(m.NextDiff[0]).Num(m.NextDiff[1]).End();
        }
    }
}

void Combined(DumpWriter& w, const ComparisonState& st) {
    for (int32_t p = 1; p <= st.ProcCount(); ++p) {
        int32_t r = 0;
        for (const CombinedRow& row : st.CombinedDisplay.Row(p)) {
            w.Num(p).Num(++r).Num(static_cast<int>(row.Symbol)).Num(row.Side).Num(row.RawLine);
            w.End();
        }
    }
}

void Separate(DumpWriter& w, const ComparisonState& st) {
    for (int32_t p = 1; p <= st.ProcCount(); ++p) {
        int32_t r = 0;
        for (const SeparateRow& row : st.SeparateDisplay.Row(p)) {
            w.Num(p).Num(++r);
            for (const DisplayCell& cell : row.Pane) {
                w.Num(static_cast<int>(cell.Symbol)).Num(cell.RawLine);
            }
            w.End();
        }
    }
}

}  // namespace

std::string DumpSection(const ComparisonState& state, const CompareOptions& options,
                        std::string_view section, const DumpProgramFacts& program, IHost& host) {
    DumpWriter w;
    w.End();
    w.Str(GeneralDate(std::chrono::system_clock::now())).Str(section).End();
    if (EqualsIgnoringAsciiCase(section, "General")) {
        General(w, state, options, program);
    } else if (EqualsIgnoringAsciiCase(section, "Raw")) {
        Raw(w, state);
    } else if (EqualsIgnoringAsciiCase(section, "Cooked")) {
        Cooked(w, state);
    } else if (EqualsIgnoringAsciiCase(section, "Proc")) {
        Proc(w, state);
    } else if (EqualsIgnoringAsciiCase(section, "Match")) {
        Match(w, state);
    } else if (EqualsIgnoringAsciiCase(section, "Combined_Display")) {
        Combined(w, state);
    } else if (EqualsIgnoringAsciiCase(section, "Separate_Display")) {
        Separate(w, state);
    } else {
        host.ShowMessage("Invalid-" + std::string(section));
    }
    w.Str(std::string(64, '=')).End();
    return w.Text();
}

void DumpArrays(const ComparisonState& state, const CompareOptions& options,
                std::string_view section, const std::string& dumpFile,
                const DumpProgramFacts& program, IHost& host, TerminalFilter forTerminal) {
    TraceScope trace(host, "mCompare: DumpArrays");
    const std::string reason =
        AppendToFile(dumpFile, DumpSection(state, options, section, program, host), forTerminal);
    if (!reason.empty()) throw OutputFileError(dumpFile, reason, "mCompare: DumpArrays");
}

}  // namespace dualis
