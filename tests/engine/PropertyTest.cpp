// Many random VB-like pairs under random options: the comparison model's invariants hold, the
// display rows place every raw line exactly once, and both candidate searches agree.
#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"

namespace dualis {
namespace {

class PairGenerator {
  public:
    explicit PairGenerator(uint32_t seed) : rng_(seed) {}

    std::string File() {
        static const char* const kLines[] = {
            "x = 1",    "X = 1",     "  x = 1",  "x  =  1 ",        "\tx = 1",
            "y = 2",    "' note",    "Rem note", "// note",         "",
            "   ",      "10 x = 1",  "20:",      "End Sub",         "Dim a As Long",
            "Call Foo", "If a Then", "End If",   "caf\xC3\xA9 = 1", "Set o = Nothing"};
        static const char* const kHeaders[] = {
            "Sub A()",        "Private Sub B(x)", "Public Function C() As Long",
            "sub a()",        "Property Get P()", "Property Let P(v)",
            "Static Sub D()", "Sub E()"};
        static const char* const kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
        std::string text;
        const int lines = Pick(0, 60);
        for (int k = 0; k < lines; ++k) {
            text += Pick(0, 6) == 0 ? kHeaders[Pick(0, 7)] : kLines[Pick(0, 19)];
            text += kEnds[Pick(0, 4)];
        }
        if (!text.empty() && Pick(0, 3) == 0) text.pop_back();  // no final line end
        return text;
    }

    // The second version: the first with random edits, or another file altogether.
    std::string Variant(const std::string& text) {
        if (Pick(0, 5) == 0) return File();
        std::string out;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            const int action = Pick(0, 9);
            if (action == 0) {
                out += File().substr(0, 20);
            } else if (action != 1) {
                out += text.substr(start, end - start);
            }
            start = end;
        }
        return out;
    }

    CompareOptions Options() {
        CompareOptions o;
        o.IgnoreCase = Pick(0, 1);
        o.IgnoreLeadingBlanks = Pick(0, 1);
        o.IgnoreTrailingBlanks = Pick(0, 1);
        o.IgnoreEmbeddedBlanks = Pick(0, 1);
        o.IgnoreBlankLines = Pick(0, 1);
        o.IgnoreComments = Pick(0, 1);
        o.IgnoreLineNumbers = Pick(0, 1);
        o.ExpandTabs = Pick(0, 1);
        o.TabWidth = static_cast<int16_t>(Pick(0, 8));
        o.LineByLine = Pick(0, 4) == 0;
        o.SyncNumber = static_cast<int16_t>(Pick(1, 4));
        o.DifferencesOnly = Pick(0, 1);
        o.DifferencesBefore = static_cast<int16_t>(Pick(0, 4));
        o.DifferencesAfter = static_cast<int16_t>(Pick(0, 4));
        return o;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  private:
    std::mt19937 rng_;
};

void ExpectModelInvariants(const ComparisonState& st) {
    for (int f = 0; f < 2; ++f) {
        int32_t cooked = 0;
        for (int32_t j = 1; j <= st.RawCount(f); ++j) {
            if (st.RawStack[f].Ignored(j)) continue;
            const CookedLine c = st.Cooked(f, ++cooked);
            ASSERT_EQ(c.RawLine, j);
            ASSERT_EQ(c.Length, CharCount(c.Text));
        }
        ASSERT_EQ(cooked, st.CookedCount(f));
        // The procedures of a file, in file order, tile its cooked and raw lines.
        std::vector<const ProcRecord*> procs;
        for (int32_t p = 1; p <= st.ProcCount(); ++p) {
            const ProcRecord& r = st.ProcStack[p];
            if (r.InFile(f)) {
                ASSERT_LE(r.FirstCooked[f], r.LastCooked[f]);
                ASSERT_LE(r.FirstRaw[f], r.LastRaw[f]);
                procs.push_back(&r);
            } else {
                ASSERT_EQ(r.FirstCooked[f] | r.LastCooked[f] | r.FirstRaw[f] | r.LastRaw[f], 0);
            }
        }
        std::sort(procs.begin(), procs.end(),
                  [f](auto* a, auto* b) { return a->FirstCooked[f] < b->FirstCooked[f]; });
        if (procs.empty()) {
            ASSERT_EQ(st.CookedCount(f), 0);
            continue;
        }
        ASSERT_EQ(procs.front()->FirstCooked[f], 1);
        ASSERT_EQ(procs.front()->FirstRaw[f], st.Cooked(f, 1).RawLine);
        for (size_t k = 1; k < procs.size(); ++k) {
            ASSERT_EQ(procs[k]->FirstCooked[f], procs[k - 1]->LastCooked[f] + 1);
            ASSERT_EQ(procs[k]->FirstRaw[f], procs[k - 1]->LastRaw[f] + 1);
        }
        ASSERT_EQ(procs.back()->LastCooked[f], st.CookedCount(f));
        ASSERT_EQ(procs.back()->LastRaw[f], st.RawCount(f));
    }
    for (int32_t p = 1; p <= st.ProcCount(); ++p) {
        const auto row = st.MatchStack.Row(p);
        ASSERT_GE(row.size(), 1u);
        for (int f = 0; f < 2; ++f) {
            ASSERT_EQ(row.back().MatchLine[f], st.ProcStack[p].LastRaw[f] + 1);
            for (size_t k = 1; k < row.size(); ++k) {
                ASSERT_LT(row[k - 1].MatchLine[f], row[k].MatchLine[f]);
            }
        }
    }
}

// With every line shown, each pane and each side of the combined listing places every raw line
// of its procedure exactly once, in order.
void ExpectEveryLinePlacedOnce(const ComparisonState& st) {
    for (int32_t p = 1; p <= st.ProcCount(); ++p) {
        const ProcRecord& r = st.ProcStack[p];
        for (int f = 0; f < 2; ++f) {
            std::vector<int32_t> expected;
            if (r.InFile(f)) {
                for (int32_t j = r.FirstRaw[f]; j <= r.LastRaw[f]; ++j) expected.push_back(j);
            }
            std::vector<int32_t> separate, combined;
            for (const SeparateRow& row : st.SeparateDisplay.Row(p)) {
                if (row.Pane[f].RawLine != 0) separate.push_back(row.Pane[f].RawLine);
            }
            const auto matches = st.MatchStack.Row(p);
            for (const CombinedRow& row : st.CombinedDisplay.Row(p)) {
                if (row.Side == f) combined.push_back(row.RawLine);
                // An equal row stands for both files' lines.
                if (f == 1 && row.Side == 0 && row.Symbol == LineSymbol::Equal) {
                    for (const MatchRecord& m : matches) {
                        if (m.MatchLine[0] == row.RawLine) combined.push_back(m.MatchLine[1]);
                    }
                }
            }
            ASSERT_EQ(separate, expected) << "separate pane " << f << " of record " << p;
            std::sort(combined.begin(), combined.end());
            ASSERT_EQ(combined, expected) << "combined side " << f << " of record " << p;
        }
    }
}

void ExpectSameMatching(const ComparisonState& a, const ComparisonState& b) {
    ASSERT_EQ(a.ProcCount(), b.ProcCount());
    for (int32_t p = 1; p <= a.ProcCount(); ++p) {
        ASSERT_EQ(a.ProcStack[p].Status, b.ProcStack[p].Status) << "record " << p;
        const auto ra = a.MatchStack.Row(p);
        const auto rb = b.MatchStack.Row(p);
        ASSERT_EQ(ra.size(), rb.size()) << "record " << p;
        for (size_t k = 0; k < ra.size(); ++k) {
            ASSERT_EQ(ra[k].MatchLine, rb[k].MatchLine) << "record " << p << " entry " << k;
            ASSERT_EQ(ra[k].NextDiff, rb[k].NextDiff) << "record " << p << " entry " << k;
        }
    }
}

TEST(Property, RandomPairsKeepTheModelConsistent) {
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        PairGenerator gen(seed);
        const std::string one = gen.File();
        const std::string two = gen.Variant(one);
        CompareOptions o = gen.Options();
        const ComparisonState literal = test::CompareTexts(one, two, o, CandidateSearch::Literal);
        ASSERT_NO_FATAL_FAILURE(ExpectModelInvariants(literal));
        const ComparisonState indexed = test::CompareTexts(one, two, o, CandidateSearch::Indexed);
        ASSERT_NO_FATAL_FAILURE(ExpectSameMatching(literal, indexed));
        o.DifferencesOnly = false;
        const ComparisonState all = test::CompareTexts(one, two, o);
        ASSERT_NO_FATAL_FAILURE(ExpectEveryLinePlacedOnce(all));
    }
}

TEST(Property, LongProceduresWithRepeatsAgreeAcrossSearches) {
    // Few distinct lines in long procedures exercise the index's tail and its collisions.
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        auto file = [&] {
            std::string text = "Sub Long()\r\n";
            const int lines = 200 + static_cast<int>(rng() % 300);
            for (int k = 0; k < lines; ++k) text += std::string(1, "ABC"[rng() % 3]) + "\r\n";
            return text;
        };
        CompareOptions o;
        o.SyncNumber = static_cast<int16_t>(1 + rng() % 6);
        o.DifferencesOnly = rng() % 2;
        const std::string one = file();
        std::string two = file();
        // A run of lines File 1 lacks puts the next agreeing block beyond the nearest lines.
        const size_t at = two.find("\r\n", two.size() / 2) + 2;
        for (int k = 40 + static_cast<int>(rng() % 60); k > 0; --k) two.insert(at, "D\r\n");
        const ComparisonState literal = test::CompareTexts(one, two, o, CandidateSearch::Literal);
        ExpectSameMatching(literal, test::CompareTexts(one, two, o, CandidateSearch::Indexed));
        // Auto tries the nearest lines first and builds the index only when they fail.
        ExpectSameMatching(literal, test::CompareTexts(one, two, o, CandidateSearch::Auto));
    }
}

}  // namespace
}  // namespace dualis
