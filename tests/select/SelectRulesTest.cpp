// The file selection dialog's rules: sync enabling, folder and name derivation, OK.
#include "SelectRules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

namespace dualis {
namespace {

// A state with the stored folders and rule, and a fixed mount table.
SelectState Stored(int16_t rule, const std::string& source, const std::string& target,
                   std::vector<std::string> mounts = {"/", "/mnt/usb", "/media/x"}) {
    SelectState s;
    s.PathRule = rule;
    s.SourcePath = source;
    s.TargetPath = target;
    s.NewPath = {source, target};
    s.NewFileName = {source, target};
    s.MountTable = [mounts] { return mounts; };
    return s;
}

TEST(EnableSync, AtMostTwoOfTheThreeSameSyncs) {
    const SyncEnabled all{true, true, true};
    EXPECT_EQ(EnableSync(false, false, false), all);
    EXPECT_EQ(EnableSync(true, false, false), all);
    EXPECT_EQ(EnableSync(false, false, true), all);
    EXPECT_EQ(EnableSync(true, true, false), (SyncEnabled{true, true, false}));
    EXPECT_EQ(EnableSync(true, false, true), (SyncEnabled{true, false, true}));
    EXPECT_EQ(EnableSync(false, true, true), (SyncEnabled{false, true, true}));
    // All three on only comes from a hand-edited file: nothing is disabled, so one can go off.
    EXPECT_EQ(EnableSync(true, true, true), all);
}

TEST(EnableSync, OnlyRuleOneCountsAsSamePath) {
    SelectState s = Stored(4, "/a/", "/b/");
    s.SyncFileNames = s.SyncFileExtensions = true;
    EXPECT_EQ(EnableSync(s), (SyncEnabled{false, true, true}));
    s.PathRule = 1;
    EXPECT_EQ(EnableSync(s), (SyncEnabled{true, true, true}));
}

TEST(StartState, FirstUseShowsTheStoredFolders) {
    Settings settings;
    settings.SourcePath = "/src/";
    settings.TargetPath = "/dst/";
    settings.SyncFilePaths = 3;
    settings.SyncFileNames = true;
    const SelectState s = StartState(settings, ComparisonState{});
    EXPECT_EQ(s.PathRule, 3);
    EXPECT_TRUE(s.SyncFileNames);
    EXPECT_FALSE(s.SyncFileExtensions);
    EXPECT_EQ(s.NewFileName, (std::array<std::string, 2>{"/src/", "/dst/"}));
    EXPECT_EQ(s.NewPath, (std::array<std::string, 2>{"/src/", "/dst/"}));
    EXPECT_TRUE(s.FirstFocus);
}

TEST(StartState, AfterAComparisonEachShowingDropsUnconfirmedEdits) {
    Settings settings;
    settings.SourcePath = "/a/";
    settings.TargetPath = "/b/";
    ComparisonState comparison;
    SetFileNames(comparison, "/a/x.frm", "/b/y.bas");
    SelectState s = StartState(settings, comparison);
    EXPECT_FALSE(s.FirstFocus);
    EXPECT_EQ(s.NewBaseName, (std::array<std::string, 2>{"x", "y"}));
    EXPECT_EQ(s.NewExtension, (std::array<std::string, 2>{"frm", "bas"}));

    SetFileName(s, 0, "/elsewhere/z.cls");
    ReloadConfirmed(s, settings, comparison);
    EXPECT_EQ(s.NewFileName[0], "/a/x.frm");
    EXPECT_EQ(s.NewPath[0], "/a/");
    EXPECT_EQ(s.NewBaseName[0], "x");
}

TEST(StartState, ARuleOutOfRangeSyncsNothingAndIsKeptByOK) {
    Settings settings;
    settings.SyncFilePaths = 7;
    settings.SourcePath = "/a/";
    settings.TargetPath = "/b/";
    SelectState s = StartState(settings, ComparisonState{});
    s.MountTable = [] { return std::vector<std::string>{}; };
    SetFileName(s, 0, "/q/x.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/b/");
    ComparisonState comparison;
    ConfirmSelection(s, settings, comparison);
    EXPECT_EQ(settings.SyncFilePaths, 7);
}

TEST(SyncNames, SamePathAndNameWithoutExtensionGivesNoDot) {
    SelectState s = Stored(1, "/p/", "/t/");
    s.SyncFileNames = true;
    SetFileName(s, 0, "/a/x.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/a/");
    EXPECT_EQ(s.NewBaseName[1], "x");
    EXPECT_EQ(s.NewExtension[1], "");
    ASSERT_TRUE(BuildOtherFileName(s, 0));
    EXPECT_EQ(s.NewFileName[1], "/a/x");
}

TEST(SyncNames, NamesAndExtensionsFollowTheirTicksOnly) {
    SelectState s = Stored(0, "/p/", "/t/");
    SetFileName(s, 1, "/t/old.bas");
    s.SyncFileExtensions = true;
    SetFileName(s, 0, "/p/new.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/t/");  // rule 0: the folder stays
    EXPECT_EQ(s.NewBaseName[1], "old");
    EXPECT_EQ(s.NewExtension[1], "frm");
    BuildOtherFileName(s, 0);
    EXPECT_EQ(s.NewFileName[1], "/t/old.frm");
}

TEST(SyncNames, RelativeRulesCarryTheSubfolderOver) {
    // Rule 3: File 2's folder lay below File 1's; it does so again below the new folder.
    SelectState s = Stored(3, "/p/", "/p/sub/");
    SetFileName(s, 0, "/q/x.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/q/sub/");

    // Rule 2: the mirror image, from File 2.
    s = Stored(2, "/p/sub/", "/p/");
    SetFileName(s, 1, "/q/x.frm");
    SyncNames(s, 1);
    EXPECT_EQ(s.NewPath[0], "/q/sub/");
}

TEST(SyncNames, RelativeRulesLeaveTheOtherFolderOtherwise) {
    // Unrelated stored folders.
    SelectState s = Stored(3, "/p/", "/r/sub/");
    SetFileName(s, 0, "/q/x.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/r/sub/");
    // Rule 3 works from File 1 only, rule 2 from File 2 only.
    s = Stored(3, "/p/", "/p/sub/");
    SetFileName(s, 1, "/q/x.frm");
    SyncNames(s, 1);
    EXPECT_EQ(s.NewPath[0], "/p/");
    s = Stored(2, "/p/sub/", "/p/");
    SetFileName(s, 0, "/q/x.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/p/");
}

TEST(GetRelativePath, RestAfterAnExactPrefix) {
    EXPECT_EQ(GetRelativePath("/p/sub/deep/", "/p/"), "sub/deep/");
    EXPECT_EQ(GetRelativePath("/p/", "/p/"), "");
    EXPECT_EQ(GetRelativePath("/p/", "/p/sub/"), "");
    EXPECT_EQ(GetRelativePath("/P/sub/", "/p/"), "");  // letter case counts
    // An empty stored folder is no prefix: it would glue a whole folder onto another.
    EXPECT_EQ(GetRelativePath("/p/sub/", ""), "");
}

TEST(SplitDrive, DriveLettersSharesAndMountPoints) {
    const std::vector<std::string> mounts = {"/", "/mnt", "/mnt/usb", "/media/my disk"};
    EXPECT_EQ(SplitDrive("C:\\src\\", mounts), (DriveSplit{"C:", "\\src\\"}));
    EXPECT_EQ(SplitDrive("D: \\x\\ ", mounts), (DriveSplit{"D:", "\\x\\"}));
    EXPECT_EQ(SplitDrive("\\\\server\\share\\dir\\", mounts),
              (DriveSplit{"\\\\server\\share", "\\dir\\"}));
    EXPECT_EQ(SplitDrive("//server/share/dir/", mounts), (DriveSplit{"//server/share", "/dir/"}));
    // The longest mount point that holds the folder; a name that only begins like one does not.
    EXPECT_EQ(SplitDrive("/mnt/usb/src/", mounts), (DriveSplit{"/mnt/usb", "/src/"}));
    EXPECT_EQ(SplitDrive("/mnt/usbstick/src/", mounts), (DriveSplit{"/mnt", "/usbstick/src/"}));
    EXPECT_EQ(SplitDrive("/mnt/usb/", mounts), (DriveSplit{"/mnt/usb", "/"}));
    EXPECT_EQ(SplitDrive("/media/my disk/a/", mounts), (DriveSplit{"/media/my disk", "/a/"}));
    // The root file system has no drive part; a relative folder has neither part.
    EXPECT_EQ(SplitDrive("/home/u/", mounts), (DriveSplit{"", "/home/u/"}));
    EXPECT_EQ(SplitDrive("sub/", mounts), (DriveSplit{"", ""}));
}

TEST(SetSamePathDifferentDrive, OtherSideKeepsItsDriveAndTakesTheChosenRest) {
    SelectState s = Stored(4, "C:\\old\\", "D:\\new\\");
    s.NewPath[0] = "C:\\work\\src\\";
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "D:\\work\\src\\");

    // The folder just chosen gives the rest, not the one stored for that side.
    s = Stored(4, "/mnt/usb/old/", "/media/x/new/");
    SetFileName(s, 0, "/mnt/usb/proj/a/x.frm");
    SyncNames(s, 0);
    EXPECT_EQ(s.NewPath[1], "/media/x/proj/a/");
    SetFileName(s, 1, "/media/x/other/y.frm");
    SyncNames(s, 1);
    EXPECT_EQ(s.NewPath[0], "/mnt/usb/other/");
}

TEST(SetSamePathDifferentDrive, NothingToCarryLeavesTheOtherFolder) {
    SelectState s = Stored(4, "/mnt/usb/old/", "/media/x/new/");
    s.NewPath[0] = "relative/";
    SetSamePathDifferentDrive(s, 0);
    EXPECT_EQ(s.NewPath[1], "/media/x/new/");
    // From the root file system to a mounted one, and back.
    s = Stored(4, "/home/u/src/", "/media/x/new/");
    SetSamePathDifferentDrive(s, 0);
    EXPECT_EQ(s.NewPath[1], "/media/x/home/u/src/");
    SetSamePathDifferentDrive(s, 1);
    EXPECT_EQ(s.NewPath[0], "/home/u/src/");
}

TEST(ParseMountPoints, SecondFieldWithEscapesDecoded) {
    const auto points = ParseMountPoints(
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sdb1 /media/my\\040disk vfat rw 0 0\n"
        "\n"
        "tmpfs /tmp tmpfs rw 0 0\n");
    EXPECT_EQ(points, (std::vector<std::string>{"/", "/media/my disk", "/tmp"}));
}

TEST(BuildOtherFileName, TakenOnlyWhenLongerThanThreeCharacters) {
    SelectState s = Stored(0, "/p/", "/a/");
    s.NewFileName[1] = "kept";
    EXPECT_FALSE(BuildOtherFileName(s, 0));  // "/a/" alone is too short
    EXPECT_EQ(s.NewFileName[1], "kept");
    s.NewPath[1] = "/ab/";
    EXPECT_TRUE(BuildOtherFileName(s, 0));  // first use: the folder alone is shown
    EXPECT_EQ(s.NewFileName[1], "/ab/");
    s.NewExtension[1] = "frm";  // an extension without a base name is left off
    BuildOtherFileName(s, 0);
    EXPECT_EQ(s.NewFileName[1], "/ab/");
}

TEST(Confirm, BothFilesMustExist) {
    const test::TempDir dir;
    const std::string one = dir.Write("one.frm", "x");
    const std::string two = dir.Write("two.frm", "y");
    const std::string hidden = dir.Write(".hidden.frm", "z");
    SelectState s = Stored(0, dir.Path().string() + "/", dir.Path().string() + "/");
    // Two folders are compared as projects; the same one twice is asked about.
    EXPECT_TRUE(OKEnabled(s));
    EXPECT_EQ(CheckConfirm(s), ConfirmCheck::SameFile);
    // A file beside a folder is not.
    SetFileName(s, 0, one);
    EXPECT_FALSE(OKEnabled(s));
    EXPECT_EQ(CheckConfirm(s), ConfirmCheck::NotComparable);
    EXPECT_EQ(ConfirmMessage(ConfirmCheck::NotComparable, s),
              "A module file can only be compared with another module file, not with a folder, "
              "a project, a project group or an Office document.");
    SetFileName(s, 1, (dir.Path() / "none.frm").string());
    EXPECT_FALSE(OKEnabled(s));
    EXPECT_EQ(ConfirmMessage(CheckConfirm(s), s),
              "Unable to open File 2\n" + s.NewFileName[1] + "\nNo such file or directory");
    // A name that a listing hides, or that a pattern would match, is a file like any other.
    SetFileName(s, 1, hidden);
    EXPECT_TRUE(OKEnabled(s));
    SetFileName(s, 1, dir.Write("q?*.frm", "w"));
    EXPECT_TRUE(OKEnabled(s));
    SetFileName(s, 1, two);
    EXPECT_TRUE(OKEnabled(s));
    EXPECT_EQ(CheckConfirm(s), ConfirmCheck::Ready);
    SetFileName(s, 1, one);
    EXPECT_EQ(CheckConfirm(s), ConfirmCheck::SameFile);
    EXPECT_EQ(ConfirmMessage(ConfirmCheck::SameFile, s), "File 1 and File 2 are the same file.");
}

TEST(PairProblems, FoldersAndProjectsAreFineWhenTheyCanBeComparedAsProjects) {
    const test::TempDir dir;
    std::filesystem::create_directories(dir.Path() / "v1");
    std::filesystem::create_directories(dir.Path() / "v2");
    const std::string v1 = (dir.Path() / "v1").string();
    const std::string v2 = (dir.Path() / "v2").string() + "/";
    const std::string app = dir.Write("v1/App.vbp", "Type=Exe\r\n");
    const std::string group = dir.Write("v2/All.vbg", "VBGROUP 5.0\r\n");
    const std::string form = dir.Write("v1/frmMain.frm", "x");
    const std::string notes = dir.Write("v1/notes.txt", "x");
    using Lines = std::array<std::string, 2>;
    EXPECT_EQ(PairProblems({v1, v2}), (Lines{"", ""}));
    EXPECT_EQ(PairProblems({app, v2}), (Lines{"", ""}));
    EXPECT_EQ(PairProblems({form, form}), (Lines{"", ""}));  // two files, as ever
    // The reason stands under the name that is no folder, project or group.
    const std::string moduleReason =
        "A module file can only be compared with another module file, not with a folder, a "
        "project, a project group or an Office document.";
    EXPECT_EQ(PairProblems({form, v2}), (Lines{moduleReason, ""}));
    EXPECT_EQ(PairProblems({v1, form}), (Lines{"", moduleReason}));
    // Only its first line: the name is in the box already.
    EXPECT_EQ(
        PairProblems({notes, v2}),
        (Lines{"File 1 is not a folder, a project (.vbp), a project group (.vbg) or an Office "
               "document",
               ""}));
    // Both are projects of a kind, and File 2's box takes it.
    EXPECT_EQ(PairProblems({app, group}),
              (Lines{"", "A project group can only be compared with another project group."}));
    // A name's own problem comes first, and an empty box says nothing.
    EXPECT_EQ(PairProblems({v1 + "/none", v2}), (Lines{"No such file", ""}));
    EXPECT_EQ(PairProblems({"", v2}), (Lines{"", ""}));
    SelectState s = Stored(0, v1 + "/", v2);
    SetFileName(s, 0, app);
    EXPECT_TRUE(OKEnabled(s));
    EXPECT_EQ(CheckConfirm(s), ConfirmCheck::Ready);
    EXPECT_FALSE(OKEnabledWhileTyping(s, 1, group));
    EXPECT_FALSE(OKEnabledWhileTyping(s, 0, form));
    EXPECT_TRUE(OKEnabledWhileTyping(s, 0, v1));
}

TEST(NameProblem, SaysUnderTheBoxWhyANameCannotBeCompared) {
    const test::TempDir dir;
    const std::string file = dir.Write("one.frm", "x");
    EXPECT_EQ(NameProblem(file), "");
    EXPECT_EQ(NameProblem(""), "");  // an empty box speaks for itself
    EXPECT_EQ(NameProblem((dir.Path() / "none.frm").string()), "No such file");
    EXPECT_EQ(NameProblem((dir.Path() / "none" / "x.frm").string()), "No such file");
    // A file where a folder of the name should be is no file either.
    EXPECT_EQ(NameProblem(file + "/x.frm"), "No such file");
    EXPECT_EQ(NameProblem(dir.Path().string()), "It is a folder");
    EXPECT_EQ(NameProblem(dir.Path().string() + "/"), "It is a folder");
    EXPECT_EQ(NameProblem("/dev/null"), "It is not a regular file");
}

TEST(Confirm, WhileTypingTheTypedNameCountsAndNothingIsApplied) {
    const test::TempDir dir;
    const std::string one = dir.Write("one.frm", "x");
    const std::string two = dir.Write("two.frm", "y");
    SelectState s = Stored(0, dir.Path().string() + "/", dir.Path().string() + "/");
    SetFileName(s, 1, two);
    EXPECT_FALSE(OKEnabledWhileTyping(s, 0, one.substr(0, one.size() - 1)));
    EXPECT_TRUE(OKEnabledWhileTyping(s, 0, one));
    EXPECT_EQ(s.NewFileName[0], dir.Path().string() + "/");
    // The other side's name must be comparable too.
    EXPECT_FALSE(OKEnabledWhileTyping(s, 1, one));
    SetFileName(s, 0, one);
    EXPECT_TRUE(OKEnabledWhileTyping(s, 1, one));
}

TEST(Confirm, NamesDifferingInCaseAreNotTheSameFile) {
    const test::TempDir dir;
    const std::string lower = dir.Write("form.frm", "x");
    const std::string upper = dir.Write("FORM.frm", "y");
    SelectState s = Stored(0, "/", "/");
    SetFileName(s, 0, lower);
    SetFileName(s, 1, upper);
    EXPECT_EQ(CheckConfirm(s), ConfirmCheck::Ready);
}

TEST(Confirm, StoresNamesFoldersAndSyncs) {
    SelectState s = Stored(2, "/p/", "/t/");
    s.SyncFileNames = true;
    SetFileName(s, 0, "/a/x.frm");
    SetFileName(s, 1, "/b/y");
    Settings settings;
    settings.SourceFilterIndex = 2;
    ComparisonState comparison;
    ConfirmSelection(s, settings, comparison);
    EXPECT_EQ(settings.SyncFilePaths, 2);
    EXPECT_TRUE(settings.SyncFileNames);
    EXPECT_FALSE(settings.SyncFileExtensions);
    EXPECT_EQ(settings.SourcePath, "/a/");
    EXPECT_EQ(settings.TargetPath, "/b/");
    EXPECT_EQ(settings.SourceFilterIndex, 2);
    EXPECT_EQ(comparison.FileName, (std::array<std::string, 2>{"/a/x.frm", "/b/y"}));
    EXPECT_EQ(comparison.BaseName, (std::array<std::string, 2>{"x", "y"}));
    EXPECT_EQ(comparison.Extension, (std::array<std::string, 2>{"frm", ""}));
}

}  // namespace
}  // namespace dualis
