// Characters that change the text direction in the main window: a placeholder column in the
// panes with the marks still on the right characters, the status line's note, names in the list,
// the labels, the caption and the recent files; copies keep the file's own bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "DirectionControls.h"
#include "DirectionText.h"
#include "DisplayLines.h"
#include "FileInformation.h"
#include "ProcList.h"
#include "RecentFiles.h"
#include "Selection.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;

const std::string Rlo = "\xE2\x80\xAE";  // right-to-left override
const std::string Alm = "\xD8\x9C";      // Arabic letter mark: two bytes
const std::string Lri = "\xE2\x81\xA6";  // left-to-right isolate
const std::string Pdi = "\xE2\x81\xA9";  // pop directional isolate
const std::string Shown = std::string(DirectionPlaceholderUtf8);

// B hides a turned-round comment in File 1 and changes it in File 2; C holds none.
const std::string kFile1 = Lines({"Sub B" + Alm + "()", "  x = 1 ' " + Rlo + Lri + "kcehc" + Pdi,
                                  "End Sub", "Sub C()", "End Sub"});
const std::string kFile2 = Lines({"Sub B" + Alm + "()", "  x = 2 ' " + Rlo + Lri + "kcehc" + Pdi,
                                  "End Sub", "Sub C()", "End Sub"});

int32_t ProcNamed(const ComparisonState& state, const std::string& name) {
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        if (state.ProcStack[p].TrueProcName == name) return p;
    }
    return 0;
}

TEST(ShowDirectionPlaceholders, EachControlBecomesOnePlaceholderAtItsCodePoint) {
    std::string text = "\xC3\xA9" + Alm + "a" + Rlo + Rlo + "\tb" + Pdi;
    EXPECT_EQ(ShowDirectionPlaceholders(text), (std::vector<int32_t>{1, 3, 4, 7}));
    EXPECT_EQ(text, "\xC3\xA9" + Shown + "a" + Shown + Shown + "\tb" + Shown);
    EXPECT_FALSE(HoldsDirectionControl(text));
    // Columns are those the file's own text has: tabs still stop where they stopped.
    std::string plain = "a\tb " + Shown;
    EXPECT_TRUE(ShowDirectionPlaceholders(plain).empty());
    EXPECT_EQ(plain, "a\tb " + Shown);
}

TEST(DirectionPlaceholders, PanesShowThemWhileMarksAndCopiesKeepToTheFile) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const int32_t b = ProcNamed(state, "B" + Alm);
    ASSERT_GT(b, 0);
    Settings s;
    s.Symbols = s.LineNumbers = true;
    std::array<PanePicture, 2> pictures;
    for (int p = 0; p < 2; ++p) pictures[p] = BothPanesPicture(state, s, b, p, 20, 1, -1);
    MarkBothPanes(state, s, b, pictures);
    const PaneLine& header = pictures[0].Lines[0];
    EXPECT_EQ(header.Text, "= [1] Sub B" + Shown + "()");
    EXPECT_EQ(header.Placeholders, std::vector<int32_t>{11});
    for (int p = 0; p < 2; ++p) {
        const PaneLine& changed = pictures[p].Lines[1];
        const std::string digit = p == 0 ? "1" : "2";
        EXPECT_EQ(changed.Text, "# [2]   x = " + digit + " ' " + Shown + Shown + "kcehc" + Shown);
        EXPECT_EQ(changed.Placeholders, (std::vector<int32_t>{16, 17, 23}));
        // The mark stands on the digit that changed, past the two-byte mark in the header.
        ASSERT_EQ(changed.Marks.size(), 1u);
        EXPECT_EQ(changed.Marks[0].Begin, 12);
        EXPECT_EQ(changed.Marks[0].End, 13);
    }
    const PanePicture combined = CombinedPicture(state, s, b, 20, 1, -1);
    for (const PaneLine& line : combined.Lines) {
        EXPECT_FALSE(HoldsDirectionControl(line.Text)) << line.Text;
    }
    // Copied text and the text a search looks in are the file's own.
    const RowSelection all = SelectAllRows(0, state.SeparateCount(b));
    EXPECT_EQ(SelectionText(state, s, b, false, all, CopyForm::Lines).Text,
              Lines({"Sub B" + Alm + "()", "  x = 1 ' " + Rlo + Lri + "kcehc" + Pdi, "End Sub"}));
    EXPECT_NE(SelectionText(state, s, b, false, all, CopyForm::AsShown).Text.find(Rlo + Lri),
              std::string::npos);
    EXPECT_NE(PaneRowText(state, s, b, false, 0, 2).find(Rlo), std::string::npos);
}

TEST(DirectionNote, TheStatusLineNotesAProcedureThatHoldsThem) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const int32_t b = ProcNamed(state, "B" + Alm), c = ProcNamed(state, "C");
    EXPECT_TRUE(ProcHoldsDirectionControls(state, b));
    EXPECT_FALSE(ProcHoldsDirectionControls(state, c));
    EXPECT_FALSE(ProcHoldsDirectionControls(state, 0));
    EXPECT_FALSE(ProcHoldsDirectionControls(state, state.ProcCount() + 1));
    // Only in File 2.
    const ComparisonState added =
        test::CompareTexts(Lines({"Sub C()", "End Sub"}),
                           Lines({"Sub C()", "End Sub", "Sub D()", "' " + Lri, "End Sub"}));
    EXPECT_TRUE(ProcHoldsDirectionControls(added, ProcNamed(added, "D")));

    const std::string counts = ShowFileInformation(state, "H").StatusText;
    const std::string noted = WithDirectionNote(counts, true);
    EXPECT_EQ(noted, counts + "  \xE2\x80\x94  " + std::string(DirectionNote));
    EXPECT_EQ(WithDirectionNote(noted, true), noted);
    EXPECT_EQ(WithDirectionNote(noted, false), counts);
    EXPECT_EQ(WithDirectionNote(counts, false), counts);
    EXPECT_EQ(WithDirectionNote("", true), DirectionNote);
}

TEST(DirectionNames, NamesShownToAPersonNameTheControls) {
    ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const std::vector<ProcListEntry> entries = ProcListEntries(state, false);
    const int32_t b = ProcNamed(state, "B" + Alm);
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const ProcListEntry& e) { return e.Proc == b; });
    ASSERT_NE(entry, entries.end());
    EXPECT_EQ(entry->Text, "# B<U+061C>");
    // A file name that reads "...cod.exe" backwards.
    state.FileName[0] = "/src/report" + Rlo + "cod.bas";
    state.BaseName[0] = "report" + Rlo + "cod";
    const FileInformationTexts texts = ShowFileInformation(state, "H");
    EXPECT_EQ(texts.Label[0].rfind("/src/report<U+202E>cod.bas, ", 0), 0u) << texts.Label[0];
    EXPECT_EQ(texts.Caption, "Dualis report<U+202E>cod.bas:two.bas");
    EXPECT_EQ(MRUCaption(1, {state.FileName[0], "b" + Lri + ".bas"}, " : "),
              "&1 /src/report<U+202E>cod.bas : b<U+2066>.bas");
}

}  // namespace
}  // namespace dualis
