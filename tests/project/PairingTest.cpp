// Pairing the modules of two sources: by name, by path, by content, and what each pair says
// about where its module came from.
#include <gtest/gtest.h>

#include "ContentMatch.h"
#include "ProjectCompare.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

using test::BasText;
using test::ClsText;
using test::FrmText;
using test::Procedures;
using Strings = std::vector<std::string>;

struct Compared {
    Source A, B;
    ProjectComparison Result;
};

Compared CompareTrees(const test::Tree& one, const test::Tree& two, const std::string& inside = "",
                      ProjectOptions options = {}) {
    Compared c{OpenSource(one / inside), OpenSource(two / inside), {}};
    EXPECT_EQ(c.A.Problem, "");
    EXPECT_EQ(c.B.Problem, "");
    c.Result = CompareSources(c.A, c.B, options);
    return c;
}

Strings DescribeTrees(const test::Tree& one, const test::Tree& two, const std::string& inside = "",
                      ProjectOptions options = {}) {
    const Compared c = CompareTrees(one, two, inside, options);
    return test::DescribePairs(c.A, c.B, c.Result);
}

TEST(PairModules, ByNameFirstAModuleMovedToASubfolderIsMoved) {
    test::Tree one, two;
    one.Write("cOrder.cls", ClsText("cOrder", Procedures("Save", 2)));
    two.Write("classes/cOrder.cls", ClsText("cOrder", Procedures("Save", 3)));
    one.Write("modA.bas", BasText("modA"));
    two.Write("modA.bas", BasText("modA"));
    EXPECT_EQ(DescribeTrees(one, two),
              (Strings{"modA equal", "cOrder unknown moved at cOrder.cls"}));
}

TEST(PairModules, ARenamedModuleFileKeepsItsPairByName) {
    test::Tree one, two;
    one.Write("Orders.bas", BasText("modOrders", Procedures("P", 2)));
    two.Write("OrderCode.bas", BasText("modOrders", Procedures("P", 2)));
    EXPECT_EQ(DescribeTrees(one, two), Strings{"modOrders equal moved at Orders.bas"});
}

TEST(PairModules, AnotherNameAtTheSamePathIsRenamed) {
    test::Tree one, two;
    one.Write("modMain.bas", BasText("modMain", Procedures("A", 1)));
    two.Write("modMain.bas", BasText("modStart", Procedures("Z", 1)));
    const Compared c = CompareTrees(one, two);
    EXPECT_EQ(test::DescribePairs(c.A, c.B, c.Result),
              Strings{"modStart unknown renamed from modMain"});
    EXPECT_EQ(c.Result.Modules[0].By, PairedBy::Path);
}

TEST(PairModules, ByContentWhenNameAndPathBothChanged) {
    test::Tree one, two;
    std::vector<std::string> body = Procedures("Calc", 10);
    one.Write("Tax.bas", BasText("modTax", body));
    body.resize(body.size() - 6);  // two procedures fewer: still most of the smaller one's lines
    two.Write("lib/Levy.bas", BasText("modLevy", body));
    one.Write("Other.bas", BasText("modOther", Procedures("Unrelated", 5)));
    const Compared c = CompareTrees(one, two);
    EXPECT_EQ(test::DescribePairs(c.A, c.B, c.Result),
              (Strings{"modLevy unknown renamed from modTax at Tax.bas", "modOther deleted"}));
    EXPECT_EQ(c.Result.Modules[0].By, PairedBy::Content);
}

TEST(PairModules, HalfTheLinesOfTheSmallerOnePairsLessDoesNot) {
    // Six lines each after the options (blank lines ignored): the VB_Name line differs.
    const std::vector<std::string> shared{"Sub A()", "End Sub"};
    const auto module = [&](const std::string& name, const std::vector<std::string>& own) {
        std::vector<std::string> body = shared;
        body.insert(body.end(), own.begin(), own.end());
        return BasText(name, body);
    };
    ProjectOptions options;
    options.Compare.IgnoreBlankLines = true;
    {
        test::Tree one, two;  // 3 of 6 in common: Option Explicit, Sub A(), End Sub
        one.Write("a.bas", module("modA", {"x = 1", "y = 2"}));
        two.Write("b.bas", module("modB", {"x = 3", "y = 4"}));
        EXPECT_EQ(DescribeTrees(one, two, "", options),
                  Strings{"modB unknown renamed from modA at a.bas"});
    }
    {
        test::Tree one, two;  // 3 of 7 in the smaller one
        one.Write("a.bas", module("modA", {"x = 1", "y = 2", "z = 5"}));
        two.Write("b.bas", module("modB", {"x = 3", "y = 4", "z = 6"}));
        EXPECT_EQ(DescribeTrees(one, two, "", options), (Strings{"modA deleted", "modB added"}));
    }
}

TEST(PairModules, TheComparisonOptionsDecideWhatIsCommon) {
    test::Tree one, two;
    std::vector<std::string> body = Procedures("Calc", 4), upper;
    for (std::string line : body) {
        for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        upper.push_back(line);
    }
    one.Write("a.bas", BasText("modA", body));
    two.Write("b.bas", BasText("modB", upper));
    EXPECT_EQ(DescribeTrees(one, two), (Strings{"modA deleted", "modB added"}));
    ProjectOptions options;
    options.Compare.IgnoreCase = true;
    EXPECT_EQ(DescribeTrees(one, two, "", options),
              Strings{"modB unknown renamed from modA at a.bas"});
}

TEST(PairModules, TheBestMatchingPairsFirstEachModuleOnce) {
    test::Tree one, two;
    const std::vector<std::string> base = Procedures("Core", 6);
    std::vector<std::string> near = base, far = base;
    near.resize(near.size() - 3);  // most of base
    far.resize(far.size() - 6);    // still more than half of the smaller one
    const std::vector<std::string> farExtra = Procedures("Extra", 1);
    far.insert(far.end(), farExtra.begin(), farExtra.end());
    one.Write("old.bas", BasText("modOld", base));
    two.Write("far.bas", BasText("modFar", far));
    two.Write("near.bas", BasText("modNear", near));
    EXPECT_EQ(DescribeTrees(one, two),
              (Strings{"modFar added", "modNear unknown renamed from modOld at old.bas"}));
}

TEST(PairModules, RepeatedNamesPairSamePathFirst) {
    test::Tree one, two;
    for (const std::string folder : {"Basic", "Chat", "Secure"}) {
        one.Write(folder + "/Form1.frm", FrmText("Form1", "", Procedures(folder, 1)));
    }
    two.Write("Basic/Form1.frm", FrmText("Form1", "", Procedures("Basic", 1)));
    two.Write("Chat/Form1.frm", FrmText("Form1", "", Procedures("Chat", 2)));
    two.Write("Moved/Form1.frm", FrmText("Form1", "", Procedures("Secure", 1)));
    EXPECT_EQ(DescribeTrees(one, two),
              (Strings{"Form1 equal", "Form1 unknown", "Form1 equal moved at Secure/Form1.frm"}));
}

TEST(PairModules, KindsPairOnlyWithTheirOwnKind) {
    test::Tree one, two;
    one.Write("Thing.cls", ClsText("Thing", Procedures("P", 3)));
    two.Write("Thing.bas", BasText("Thing", Procedures("P", 3)));
    EXPECT_EQ(DescribeTrees(one, two), (Strings{"Thing added", "Thing deleted"}));
}

TEST(PairModules, SameBytesAreEqualOtherBytesWaitForTheEngine) {
    test::Tree one, two;
    one.Write("a.bas", BasText("modA", Procedures("P", 2)));
    two.Write("a.bas", BasText("modA", Procedures("P", 2)));
    one.Write("b.bas", BasText("modB", Procedures("P", 2)));
    two.Write("b.bas", BasText("modB", Procedures("Q", 2)));
    one.Write("c.bas", BasText("modC"));
    two.Write("c.bas", BasText("modC") + " ");  // same size would differ only by a byte
    EXPECT_EQ(DescribeTrees(one, two), (Strings{"modA equal", "modB unknown", "modC unknown"}));
}

TEST(PairModules, UnreadableModulesStillPairAndKeepTheirReason) {
    test::Tree one, two;
    two.Write("modA.bas", BasText("modA"));
    one.Write("App.vbp", "Type=Exe\r\nModule=modA; modA.bas\r\n");  // its file is missing
    two.Write("App.vbp", "Type=Exe\r\nModule=modA; modA.bas\r\n");
    const Compared c = CompareTrees(one, two, "App.vbp");
    EXPECT_EQ(test::DescribePairs(c.A, c.B, c.Result), Strings{"modA unknown"});
    EXPECT_EQ(c.A.Modules[0].Problem, "The file does not exist.");
}

TEST(PairModules, CompanionsAreComparedByTheirBytes) {
    test::Tree one, two;
    one.Write("frmA.frm", FrmText("frmA", "frmA.frx"));
    two.Write("frmA.frm", FrmText("frmA", "frmA.frx"));
    one.Write("frmA.frx", "pictures");
    two.Write("frmA.frx", "pictures");
    one.Write("frmB.frm", FrmText("frmB", "frmB.frx"));
    two.Write("frmB.frm", FrmText("frmB", "frmB.frx"));
    one.Write("frmB.frx", "old pictures");
    two.Write("frmB.frx", "new pictures");
    one.Write("frmC.frm", FrmText("frmC"));
    two.Write("frmC.frm", FrmText("frmC", "frmC.frx"));
    two.Write("frmC.frx", "x");
    const Compared c = CompareTrees(one, two);
    ASSERT_EQ(c.Result.Modules.size(), 3u);
    std::vector<CompanionStatus> status;
    for (const ModulePair& pair : c.Result.Modules) {
        ASSERT_EQ(pair.Companions.size(), 1u);
        status.push_back(pair.Companions[0].Status);
    }
    EXPECT_EQ(status,
              (std::vector<CompanionStatus>{CompanionStatus::Equal, CompanionStatus::Different,
                                            CompanionStatus::Added}));
    EXPECT_EQ(c.Result.Modules[1].Status, ContentStatus::Equal);  // the form's text is the same
}

TEST(PairModules, AMissingCompanionIsUnreadable) {
    test::Tree one, two;
    one.Write("frmA.frm", FrmText("frmA", "frmA.frx"));
    two.Write("frmA.frm", FrmText("frmA", "frmA.frx"));
    two.Write("frmA.frx", "x");
    const Compared c = CompareTrees(one, two);
    ASSERT_EQ(c.Result.Modules.at(0).Companions.size(), 1u);
    EXPECT_EQ(c.Result.Modules[0].Companions[0].Status, CompanionStatus::Unreadable);
    EXPECT_EQ(c.Result.Modules[0].Companions[0].Problem, "frmA.frx: The file does not exist.");
}

TEST(PairModules, AFolderAgainstAProjectPairsByName) {
    test::Tree one, two;
    one.Write("src/cSocket.cls", ClsText("cSocket", Procedures("S", 2)));
    one.Write("src/modOld.bas", BasText("modOld", Procedures("O", 2)));
    two.Write("src/cSocket.cls", ClsText("cSocket", Procedures("S", 2)));
    two.Write("dll/Lib.vbp", "Type=OleDll\r\nClass=cSocket; ..\\src\\CSOCKET.cls\r\n");
    Compared c{OpenSource(one / "src"), OpenSource(two / "dll/Lib.vbp"), {}};
    c.Result = CompareSources(c.A, c.B, {});
    EXPECT_EQ(test::DescribePairs(c.A, c.B, c.Result),
              (Strings{"modOld deleted", "cSocket equal moved at cSocket.cls"}));
}

TEST(PairModules, GroupsPairTheirProjectsByNameThenPath) {
    test::Tree one, two;
    const auto project = [](const test::Tree& tree, const std::string& path,
                            const std::string& name, const std::string& module) {
        tree.Write(path, "Type=Exe\r\nName=\"" + name + "\"\r\nModule=" + module + "; m.bas\r\n");
        tree.Write((std::filesystem::path(path).parent_path() / "m.bas").string(), BasText(module));
    };
    project(one, "App/App.vbp", "App", "modApp");
    project(one, "Lib/Lib.vbp", "Lib", "modLib");
    project(one, "Old/Old.vbp", "Old", "modOld");
    project(two, "Application/App.vbp", "App", "modApp");  // moved, same name
    project(two, "Lib/Lib.vbp", "Library", "modLib");      // renamed, same path
    project(two, "New/New.vbp", "New", "modNew");
    one.Write("G.vbg",
              "VBGROUP 5.0\r\nStartupProject=App\\App.vbp\r\nProject=Lib\\Lib.vbp\r\n"
              "Project=Old\\Old.vbp\r\n");
    two.Write("G.vbg",
              "VBGROUP 5.0\r\nStartupProject=Application\\App.vbp\r\n"
              "Project=Lib\\Lib.vbp\r\nProject=New\\New.vbp\r\n");
    const Compared c = CompareTrees(one, two, "G.vbg");
    Strings files;
    for (const ProjectFilePair& pair : c.Result.ProjectFiles) {
        files.push_back(std::to_string(pair.File[0]) + "-" + std::to_string(pair.File[1]));
    }
    EXPECT_EQ(files, (Strings{"0-0", "1-1", "2-2", "3--1", "-1-3"}));
    EXPECT_EQ(test::DescribePairs(c.A, c.B, c.Result),
              (Strings{"modApp equal", "modLib equal", "modOld deleted", "modNew added"}));
}

TEST(CompareSources, WorkspaceFilesCountOnlyWhenSaveNoiseDoes) {
    test::Tree one, two;
    one.Write("App.vbp", "Type=Exe\r\n");
    two.Write("App.vbp", "Type=Exe\r\n");
    one.Write("App.vbw", "frmMain = 0, 0, 100, 100, C\r\n");
    two.Write("App.vbw", "frmMain = 20, 20, 300, 200, Z\r\n");
    const Compared quiet = CompareTrees(one, two);
    ASSERT_EQ(quiet.Result.ProjectFiles.size(), 1u);
    EXPECT_EQ(quiet.Result.ProjectFiles[0].Status, ContentStatus::Equal);
    ProjectOptions options;
    options.IgnoreSaveNoise = false;
    const Compared all = CompareTrees(one, two, "", options);
    ASSERT_EQ(all.Result.ProjectFiles.size(), 2u);
    EXPECT_EQ(test::DescribeDifferences(all.Result.ProjectFiles[1].Differences),
              Strings{"changed frmMain: 0, 0, 100, 100, C | 20, 20, 300, 200, Z"});
}

TEST(CompareSources, AFoldersStrayCompanionsPairByPath) {
    test::Tree one, two;
    one.Write("App.res", "one");
    two.Write("app.RES", "two");
    one.Write("old/Gone.frx", "x");
    two.Write("New.dca", "x");
    const Compared c = CompareTrees(one, two);
    std::vector<CompanionStatus> status;
    for (const CompanionPair& pair : c.Result.OtherFiles) status.push_back(pair.Status);
    EXPECT_EQ(status,
              (std::vector<CompanionStatus>{CompanionStatus::Different, CompanionStatus::Deleted,
                                            CompanionStatus::Added}));
}

TEST(PairModules, TooManyLeftoversAreNotWeighedByContent) {
    test::Tree one, two;
    for (int k = 0; k < 501; ++k) {
        const std::string number = std::to_string(k);
        one.Write("a/" + number + ".bas", BasText("modA" + number));
        two.Write("b/" + number + ".bas", BasText("modB" + number));
    }
    const Compared c = CompareTrees(one, two);
    EXPECT_EQ(c.Result.Modules.size(), 1002u);
    ASSERT_EQ(c.Result.Notes.size(), 1u);
    EXPECT_EQ(c.Result.Notes[0],
              "Too many modules are left without a partner (501 in File 1, 501 in File 2) to "
              "pair them by content; they are listed as deleted and added.");
}

TEST(PairModules, TenThousandModulesMovedInOneGo) {
    test::Tree one, two;
    std::string vbp1 = "Type=Exe\r\n", vbp2 = "Type=Exe\r\n";
    for (int k = 0; k < 10000; ++k) {
        const std::string name = "mod" + std::to_string(k);
        one.Write(name + ".bas", BasText(name));
        two.Write("Mods/" + name + ".bas", BasText(name));
        vbp1 += "Module=" + name + "; " + name + ".bas\r\n";
        vbp2 += "Module=" + name + "; Mods\\" + name + ".bas\r\n";
    }
    one.Write("Big.vbp", vbp1);
    two.Write("Big.vbp", vbp2);
    const Compared c = CompareTrees(one, two, "Big.vbp");
    ASSERT_EQ(c.Result.Modules.size(), 10000u);
    for (const ModulePair& pair : c.Result.Modules) {
        ASSERT_EQ(pair.From, Origin::Moved);
        ASSERT_EQ(pair.Status, ContentStatus::Equal);
    }
    ASSERT_EQ(c.Result.ProjectFiles.size(), 1u);
    EXPECT_EQ(c.Result.ProjectFiles[0].Differences.size(), 10000u);  // each member moved
}

TEST(SameFileBytes, SizesThenBytes) {
    test::Tree tree;
    const auto a = tree.Write("a", "same bytes"), b = tree.Write("b", "same bytes");
    const auto c = tree.Write("c", "same bytez"), d = tree.Write("d", "longer bytes");
    EXPECT_TRUE(SameFileBytes(a, b));
    EXPECT_FALSE(SameFileBytes(a, c));
    EXPECT_FALSE(SameFileBytes(a, d));
    std::string problem;
    EXPECT_FALSE(SameFileBytes(a, tree / "none", &problem));
    EXPECT_NE(problem.find("none"), std::string::npos);
    const std::string big(200000, 'x');
    std::string other = big;
    other[150000] = 'y';
    EXPECT_TRUE(SameFileBytes(tree.Write("big1", big), tree.Write("big2", big)));
    EXPECT_FALSE(SameFileBytes(tree / "big1", tree.Write("big3", other)));
}

TEST(SameBytes, ModulesHeldInMemory) {
    ModuleEntry a, b;
    a.Contents = "Attribute VB_Name = \"m\"";
    b.Contents = *a.Contents;
    EXPECT_TRUE(SameBytes(a, b));
    b.Contents->push_back(' ');
    EXPECT_FALSE(SameBytes(a, b));
    b = a;
    b.Problem = "It is not a text file.";
    EXPECT_FALSE(SameBytes(a, b));
}

}  // namespace
}  // namespace dualis::project
