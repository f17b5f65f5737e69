// The file information labels, the status text and the caption in each view mode.
#include <gtest/gtest.h>

#include "FileInformation.h"
#include "Formats.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;

// File 2 keeps A, changes B, drops C and adds D.
const std::string kFile1 = Lines({"Option Explicit", "Sub A()", "End Sub", "Sub B()", "  x = 1",
                                  "End Sub", "Sub C()", "End Sub"});
const std::string kFile2 = Lines({"Option Explicit", "Sub A()", "End Sub", "Sub B()", "  x = 2",
                                  "End Sub", "Sub D()", "End Sub"});

TEST(ShowFileInformation, BeforeAComparisonEverythingIsEmpty) {
    const ComparisonState state;
    for (const char* mode : {"V", "H", "C"}) {
        const FileInformationTexts texts = ShowFileInformation(state, mode);
        EXPECT_EQ(texts.Label[0], "");
        EXPECT_EQ(texts.Label[1], "");
        EXPECT_EQ(texts.StatusText, "");
        EXPECT_EQ(texts.Caption, "Dualis");
    }
}

TEST(ShowFileInformation, CountsTheProceduresOfARealComparison) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const FileInformationTexts texts = ShowFileInformation(state, "H");
    // (General) and A are equal, B changed, D added, C deleted.
    EXPECT_EQ(texts.StatusText, "Procs: 2 equal, 1 changed, 1 added, 1 deleted");
    EXPECT_EQ(texts.Caption, "Dualis one.bas:two.bas");
    const std::string facts = ", 4 procs, 8 lines, 80 bytes, ";
    EXPECT_EQ(texts.Label[0], state.FileName[0] + facts + GeneralDate(state.FileDate[0]));
    EXPECT_EQ(texts.Label[1], state.FileName[1] + facts + GeneralDate(state.FileDate[1]));
}

TEST(ShowFileInformation, VerticalViewPutsTheCountsOnASecondLine) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const FileInformationTexts vertical = ShowFileInformation(state, "V");
    const FileInformationTexts horizontal = ShowFileInformation(state, "H");
    const FileInformationTexts combined = ShowFileInformation(state, "C");
    for (int f = 0; f < 2; ++f) {
        const std::string& name = state.FileName[f];
        EXPECT_EQ(vertical.Label[f].rfind(name + "\r\n4 procs, ", 0), 0u);
        EXPECT_EQ(horizontal.Label[f].rfind(name + ", 4 procs, ", 0), 0u);
        EXPECT_EQ(combined.Label[f], horizontal.Label[f]);
        EXPECT_EQ(vertical.Label[f].substr(name.size() + 2),
                  horizontal.Label[f].substr(name.size() + 2));
        EXPECT_EQ(horizontal.Label[f].find('\n'), std::string::npos);
    }
    EXPECT_EQ(vertical.StatusText, horizontal.StatusText);
    EXPECT_EQ(vertical.Caption, horizontal.Caption);
}

// A compared state built by hand, for counts and sizes a real file would make slow to build.
ComparisonState HandMadeState() {
    ComparisonState state;
    SetFileNames(state, "/src/x.frm", "/dst/y.ctl");
    state.FilesCompared = true;
    std::string text;
    for (int i = 0; i < 1204; ++i) text += "a\n";
    state.RawStack[0].LoadUtf8(text);
    state.RawStack[1].LoadUtf8("a\n");
    state.FileSize = {40312, 1234567};
    state.FileDate = {FileTime{std::chrono::seconds(1'000'000'000)},
                      FileTime{std::chrono::seconds(1'700'000'000)}};
    return state;
}

ProcRecord Record(bool in1, bool in2, int16_t status) {
    ProcRecord record;
    record.FirstCooked = {in1 ? 1 : 0, in2 ? 1 : 0};
    record.Status = status;
    return record;
}

TEST(ShowFileInformation, GroupsThousandsAndShowsTheGeneralDate) {
    ComparisonState state = HandMadeState();
    state.ProcStack.push_back(Record(true, true, ProcEqual));
    const FileInformationTexts texts = ShowFileInformation(state, "H");
    EXPECT_EQ(texts.Label[0],
              "/src/x.frm, 1 procs, 1,204 lines, 40,312 bytes, " + GeneralDate(state.FileDate[0]));
    EXPECT_EQ(texts.Label[1],
              "/dst/y.ctl, 1 procs, 1 lines, 1,234,567 bytes, " + GeneralDate(state.FileDate[1]));
    EXPECT_EQ(texts.Caption, "Dualis x.frm:y.ctl");
    // The window groups with its locale's separator.
    EXPECT_EQ(ShowFileInformation(state, "H", "\u202f").Label[1],
              "/dst/y.ctl, 1 procs, 1 lines, 1\u202f234\u202f567 bytes, " +
                  GeneralDate(state.FileDate[1]));
    // A name without an extension shows without a dot.
    state.Extension = {"", "ctl"};
    EXPECT_EQ(ShowFileInformation(state, "H").Caption, "Dualis x:y.ctl");
}

TEST(ShowFileInformation, EmptyFilesShowZeroes) {
    ComparisonState state = HandMadeState();
    state.RawStack[1].LoadUtf8("");
    state.FileSize[1] = 0;
    const FileInformationTexts texts = ShowFileInformation(state, "C");
    EXPECT_EQ(texts.Label[1],
              "/dst/y.ctl, 0 procs, 0 lines, 0 bytes, " + GeneralDate(state.FileDate[1]));
    EXPECT_EQ(texts.StatusText, "Procs: 0 equal, 0 changed, 0 added, 0 deleted");
}

TEST(ShowFileInformation, PresenceDecidesAddedAndDeletedBeforeStatus) {
    ComparisonState state = HandMadeState();
    state.ProcStack.push_back(Record(true, true, ProcEqual));
    state.ProcStack.push_back(Record(true, true, ProcChanged));
    state.ProcStack.push_back(Record(true, true, 0));  // not yet matched: not equal
    state.ProcStack.push_back(Record(true, false, ProcEqual));
    state.ProcStack.push_back(Record(true, false, ProcDeleted));
    state.ProcStack.push_back(Record(false, true, ProcAdded));
    const FileInformationTexts texts = ShowFileInformation(state, "V");
    EXPECT_EQ(texts.StatusText, "Procs: 1 equal, 2 changed, 1 added, 2 deleted");
    EXPECT_EQ(texts.Label[0].rfind("/src/x.frm\r\n5 procs, ", 0), 0u);
    EXPECT_EQ(texts.Label[1].rfind("/dst/y.ctl\r\n4 procs, ", 0), 0u);
}

}  // namespace
}  // namespace dualis
