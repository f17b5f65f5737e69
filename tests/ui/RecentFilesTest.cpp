// The recent-files list: moves, drops, captions with both separators, and missing files.
#include <gtest/gtest.h>

#include "RecentFiles.h"
#include "TestSupport.h"

namespace dualis {
namespace {

// Entry n of a full list: "a<n>" and "b<n>".
MRUEntry Pair(int n) {
    MRUEntry entry{"a", "b"};
    for (std::string& name : entry) name += std::to_string(n);
    return entry;
}

// A full list of ten distinct pairs.
MRUList FullList() {
    MRUList mru;
    for (size_t i = 0; i < mru.size(); ++i) mru[i] = Pair(static_cast<int>(i + 1));
    return mru;
}

TEST(MRUCaptions, StartUpJoinsNamesWithAPlainColon) {
    MRUList mru;
    mru[0] = {"C:\\a\\x.frm", "C:\\b\\x.frm"};
    EXPECT_EQ(MRUCaptions(mru, StartMRUSeparator),
              std::vector<std::string>{"&1 C:\\a\\x.frm:C:\\b\\x.frm"});
}

TEST(MRUCaptions, NumbersEveryEntryAsItsAccelerator) {
    const std::vector<std::string> captions = MRUCaptions(FullList(), ComparedMRUSeparator);
    ASSERT_EQ(captions.size(), 10u);
    EXPECT_EQ(captions[0], "&1 a1 : b1");
    EXPECT_EQ(captions[8], "&9 a9 : b9");
    EXPECT_EQ(captions[9], "&10 a10 : b10");
}

TEST(MRUCaptions, EndAtTheFirstEntryNotInUse) {
    MRUList mru = FullList();
    mru[3][1].clear();  // entry 4 lacks File 2: entries 5 to 10 are behind a gap
    EXPECT_EQ(MRUInUse(mru), 3);
    EXPECT_EQ(MRUCaptions(mru, StartMRUSeparator).size(), 3u);
    mru[0][0].clear();
    EXPECT_EQ(MRUInUse(mru), 0);
    EXPECT_TRUE(MRUCaptions(mru, StartMRUSeparator).empty());
    EXPECT_TRUE(MRUCaptions(MRUList{}, StartMRUSeparator).empty());
}

TEST(UpdateMRUList, FirstComparisonFillsEntryOneAndRewritesWithBlanksAroundTheColon) {
    MRUList mru;
    EXPECT_EQ(UpdateMRUList(mru, "/x/one.frm", "/y/two.frm"),
              std::vector<std::string>{"&1 /x/one.frm : /y/two.frm"});
    EXPECT_EQ(mru[0], (MRUEntry{"/x/one.frm", "/y/two.frm"}));
    EXPECT_EQ(MRUInUse(mru), 1);
}

TEST(UpdateMRUList, NewPairPushesEveryEntryDown) {
    MRUList mru;
    for (int n = 1; n <= 3; ++n) UpdateMRUList(mru, Pair(n)[0], Pair(n)[1]);
    EXPECT_EQ(mru[0], Pair(3));
    EXPECT_EQ(mru[1], Pair(2));
    EXPECT_EQ(mru[2], Pair(1));
    EXPECT_EQ(MRUInUse(mru), 3);
}

TEST(UpdateMRUList, EleventhDistinctPairDropsTheOldest) {
    MRUList mru = FullList();
    const std::vector<std::string> captions = UpdateMRUList(mru, "new1", "new2");
    EXPECT_EQ(mru[0], (MRUEntry{"new1", "new2"}));
    for (size_t i = 1; i < mru.size(); ++i) EXPECT_EQ(mru[i], Pair(static_cast<int>(i)));
    ASSERT_EQ(captions.size(), 10u);  // no eleventh item
    EXPECT_EQ(captions[9], "&10 a9 : b9");
}

TEST(UpdateMRUList, StoredPairMovesToTheTopAndLaterEntriesStay) {
    MRUList mru = FullList();
    UpdateMRUList(mru, "a4", "b4");
    EXPECT_EQ(mru[0], Pair(4));
    EXPECT_EQ(mru[1], Pair(1));
    EXPECT_EQ(mru[2], Pair(2));
    EXPECT_EQ(mru[3], Pair(3));
    for (size_t i = 4; i < mru.size(); ++i) EXPECT_EQ(mru[i], Pair(static_cast<int>(i + 1)));
}

TEST(UpdateMRUList, TopPairStaysWhereItIs) {
    MRUList mru = FullList();
    UpdateMRUList(mru, "a1", "b1");
    EXPECT_EQ(mru, FullList());
}

TEST(UpdateMRUList, MatchIgnoresLetterCaseAndTakesTheNewCase) {
    MRUList mru = FullList();
    mru[5] = {"/Src/Ä.FRM", "/dst/x.frm"};
    UpdateMRUList(mru, "/src/ä.frm", "/DST/X.frm");
    EXPECT_EQ(mru[0], (MRUEntry{"/src/ä.frm", "/DST/X.frm"}));
    EXPECT_EQ(mru[1], Pair(1));
    EXPECT_EQ(mru[6], Pair(7));  // nothing was dropped
    EXPECT_EQ(mru[9], Pair(10));
}

TEST(UpdateMRUList, SwappedFilesAreADifferentPair) {
    MRUList mru = FullList();
    UpdateMRUList(mru, "b3", "a3");
    EXPECT_EQ(mru[0], (MRUEntry{"b3", "a3"}));
    EXPECT_EQ(mru[3], Pair(3));
    EXPECT_EQ(mru[9], Pair(9));  // entry 10 was dropped
}

TEST(UpdateMRUList, FirstOfTwoMatchesWins) {
    MRUList mru = FullList();
    mru[1] = {"dup1", "dup2"};
    mru[6] = {"DUP1", "DUP2"};
    UpdateMRUList(mru, "Dup1", "Dup2");
    EXPECT_EQ(mru[0], (MRUEntry{"Dup1", "Dup2"}));
    EXPECT_EQ(mru[1], Pair(1));
    EXPECT_EQ(mru[2], Pair(3));
    EXPECT_EQ(mru[6], (MRUEntry{"DUP1", "DUP2"}));
}

TEST(UpdateMRUList, SearchesAndShiftsEntriesBehindAGap) {
    MRUList mru = FullList();
    mru[2] = {};  // entry 3 is empty
    // A pair behind the gap is found there, not added again.
    const std::vector<std::string> captions = UpdateMRUList(mru, "a6", "b6");
    EXPECT_EQ(mru[0], Pair(6));
    EXPECT_EQ(mru[1], Pair(1));
    EXPECT_EQ(mru[2], Pair(2));
    EXPECT_EQ(mru[3], MRUEntry{});
    EXPECT_EQ(mru[4], Pair(4));
    EXPECT_EQ(mru[6], Pair(7));
    EXPECT_EQ(captions, (std::vector<std::string>{"&1 a6 : b6", "&2 a1 : b1", "&3 a2 : b2"}));
    // A new pair shifts the gap down with the rest and drops entry 10.
    UpdateMRUList(mru, "n1", "n2");
    EXPECT_EQ(mru[4], MRUEntry{});
    EXPECT_EQ(mru[9], Pair(9));
}

TEST(UpdateMRUList, EachPairKeepsTheModuleViewedLastAsItMoves) {
    Settings settings;
    settings.MRU = FullList();
    for (size_t i = 0; i < MRUSize; ++i) settings.MRUModule[i] = 'm' + std::to_string(i + 1);
    // A stored pair moves up with its module, and takes the one on screen now.
    const auto captions = UpdateMRUList(settings, "a4", "b4", "src/cOrder.cls");
    EXPECT_EQ(captions.front(), "&1 a4 : b4");
    EXPECT_EQ(settings.MRU[0], Pair(4));
    EXPECT_EQ(settings.MRUModule[0], "src/cOrder.cls");
    EXPECT_EQ(settings.MRUModule[1], "m1");
    EXPECT_EQ(settings.MRUModule[3], "m3");
    EXPECT_EQ(settings.MRUModule[4], "m5");
    // A new pair pushes every module down with its pair; a file pair remembers none.
    UpdateMRUList(settings, "n1", "n2", "");
    EXPECT_EQ(settings.MRUModule[0], "");
    EXPECT_EQ(settings.MRUModule[1], "src/cOrder.cls");
    EXPECT_EQ(settings.MRUModule[9], "m9");
    EXPECT_EQ(settings.MRU[9], Pair(9));
}

TEST(MRUMissingFile, NamesTheFirstFileThatCannotBeComparedAndWhy) {
    const test::TempDir dir;
    const std::string one = dir.Write("one.frm", "x\r\n");
    const std::string two = dir.Write("two.frm", "y\r\n");
    const std::string none = (dir.Path() / "none.frm").string();
    const std::string missing = "\r\nNo such file or directory";
    EXPECT_EQ(MRUMissingFile({one, two}), std::nullopt);
    EXPECT_EQ(MRUMissingFile({none, two}), "Unable to open File 1\r\n" + none + missing);
    EXPECT_EQ(MRUMissingFile({one, none}), "Unable to open File 2\r\n" + none + missing);
    EXPECT_EQ(MRUMissingFile({none, none + "2"}), "Unable to open File 1\r\n" + none + missing);
    // A folder is checked as projects are: a module file cannot stand beside it.
    EXPECT_EQ(MRUMissingFile({one, dir.Path().string()}),
              "A module file can only be compared with another module file, not with a folder, a "
              "project, a project group or an Office document.");
    EXPECT_EQ(MRUMissingFile({dir.Path().string(), dir.Path().string()}), std::nullopt);
    EXPECT_EQ(MRUMissingFile({dir.Path().string(), (dir.Path() / "gone").string()}),
              "Unable to open File 2\r\n" + (dir.Path() / "gone").string() +
                  "\r\nThe file does not exist.");
    // Names a listing would hide or take as a pattern are files like any other.
    EXPECT_EQ(MRUMissingFile({dir.Write(".one.frm", "x"), dir.Write("t?o*.frm", "y")}),
              std::nullopt);
}

TEST(SelectMRUEntry, SetsTheNamesAndTheDialogFolders) {
    ComparisonState state;
    Settings settings;
    SelectMRUEntry({"/v1/forms/frmOrders.frm", "/v2/Main.bas"}, state, settings);
    EXPECT_EQ(state.FileName,
              (std::array<std::string, 2>{"/v1/forms/frmOrders.frm", "/v2/Main.bas"}));
    EXPECT_EQ(state.BaseName, (std::array<std::string, 2>{"frmOrders", "Main"}));
    EXPECT_EQ(state.Extension, (std::array<std::string, 2>{"frm", "bas"}));
    EXPECT_EQ(settings.SourcePath, "/v1/forms/");
    EXPECT_EQ(settings.TargetPath, "/v2/");
}

}  // namespace
}  // namespace dualis
