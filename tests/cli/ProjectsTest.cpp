// Two folders, projects or groups compared module by module from the command line: the
// summary, the reports that follow it, the dump of one module pair, the inputs refused, and the
// exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "RunDualis.h"

namespace dualis {
namespace {

using project::test::BasText;
using project::test::ClsText;
using project::test::CrLf;
using project::test::FrmText;
using project::test::Procedures;
using project::test::Tree;
using test::Outcome;
using Strings = std::vector<std::string>;

// The text with every occurrence of `from` replaced, so that golden texts need no temporary
// folder's name.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The text with every run of blanks made one blank, for lines whose columns' widths do not
// matter to the test.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    }
    return out;
}

// Two versions of a small folder: a module changed, one the same, one deleted and one added,
// a module renamed with its lines edited, a module file renamed, a class moved to a subfolder,
// a form whose picture file changed.
class TwoVersions : public ::testing::Test {
  protected:
    void SetUp() override {
        one.Write("src/modA.bas", BasText("modA", {"Sub One()", "  x = 1", "End Sub", "Sub Two()",
                                                   "  y = 2", "End Sub"}));
        two.Write("src/modA.bas", BasText("modA", {"Sub One()", "  x = 10", "End Sub",
                                                   "Sub Three()", "  z = 3", "End Sub"}));
        for (const Tree* t : {&one, &two})
            t->Write("src/modB.bas", BasText("modB", {"Sub B()", "End Sub"}));
        one.Write("src/modGone.bas", BasText("modGone", Procedures("G", 1)));
        two.Write("src/modHere.bas", BasText("modHere", Procedures("H", 1)));
        one.Write("src/modOld.bas", BasText("modOld", Procedures("K", 3)));
        two.Write("src/modNew.bas", BasText("modNew", Procedures("K", 3)));
        one.Write("src/util.bas", BasText("modUtil", Procedures("U", 1)));
        two.Write("src/utilities.bas", BasText("modUtil", Procedures("U", 1)));
        one.Write("src/cOrder.cls", ClsText("cOrder", Procedures("Save", 1)));
        two.Write("src/lib/cOrder.cls", ClsText("cOrder", Procedures("Save", 1)));
        for (const Tree* t : {&one, &two})
            t->Write("src/frmMain.frm", FrmText("frmMain", "frmMain.frx"));
        one.Write("src/frmMain.frx", "picture 1");
        two.Write("src/frmMain.frx", "picture 2");
    }
    Outcome Report(Strings options) const {
        options.insert(options.begin(), "--report");
        options.push_back(one.Path().string());
        options.push_back(two.Path().string());
        Outcome run = test::RunDualis(options);
        run.Out =
            Replaced(Replaced(run.Out, one.Path().string(), "ONE"), two.Path().string(), "TWO");
        return run;
    }

    Tree one, two;
};

TEST_F(TwoVersions, TheSummaryHasALinePerModule) {
    const Outcome run = Report({});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(
        run.Out,
        "File 1: ONE\n"
        "File 2: TWO\n"
        "\n"
        "Modules (procedures changed, added and deleted; lines that differ):\n"
        "  Kind    Name              Status            Changed  Added  Deleted    Lines  "
        "File 1           File 2\n"
        "  Form    frmMain           equal                   0      0        0        0  "
        "src/frmMain.frm  src/frmMain.frm\n"
        "      src/frmMain.frx: different\n"
        "  Module  modA              changed                 1      1        1        8  "
        "src/modA.bas     src/modA.bas\n"
        "  Module  modB              equal                   0      0        0        0  "
        "src/modB.bas     src/modB.bas\n"
        "  Module  modGone           deleted                 0      0        2        5  "
        "src/modGone.bas  -\n"
        "  Module  modHere           added                   0      2        0        5  "
        "-                src/modHere.bas\n"
        "  Module  modOld -> modNew  renamed, changed        1      0        0        2  "
        "src/modOld.bas   src/modNew.bas\n"
        "  Module  modUtil           moved                   0      0        0        0  "
        "src/util.bas     src/utilities.bas\n"
        "  Class   cOrder            moved                   0      0        0        0  "
        "src/cOrder.cls   src/lib/cOrder.cls\n"
        "\n"
        "Modules: 2 equal, 1 changed, 1 added, 1 deleted, 2 moved, 1 renamed, 0 unreadable\n");
}

TEST_F(TwoVersions, DifferencesOnlyLeavesTheUnchangedModulesOut) {
    const Outcome run = Report({"--differences-only"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("Options: differences only (3,3)\n"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("modB"), std::string::npos) << run.Out;
    // A module whose bytes are the same but whose companion differs stays.
    EXPECT_NE(run.Out.find("  Form    frmMain"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("  Module  modUtil"), std::string::npos) << run.Out;
}

TEST_F(TwoVersions, ModulesAddsTheReportOfEachChangedModuleInOrder) {
    const Outcome run = Report({"--modules", "--differences-only=0,0"});
    EXPECT_EQ(run.Status, 1);
    const size_t counts = run.Out.find("\nModules: 2 equal");
    ASSERT_NE(counts, std::string::npos) << run.Out;
    const std::string reports = run.Out.substr(counts);
    Strings headers;
    for (size_t at = 0; (at = reports.find("\nFile 1: ", at)) != std::string::npos; ++at) {
        headers.push_back(reports.substr(at + 9, reports.find('\n', at + 1) - at - 9));
    }
    EXPECT_EQ(headers,
              (Strings{"ONE/src/modA.bas", "ONE/src/modGone.bas", "(none)", "ONE/src/modOld.bas"}));
    EXPECT_NE(reports.find("4   -   x = 1\n  4 +   x = 10\n"), std::string::npos) << reports;
    EXPECT_NE(reports.find("File 2: TWO/src/modHere.bas\n"), std::string::npos) << reports;
    EXPECT_NE(reports.find("Procs: 1 equal, 1 changed, 1 added, 1 deleted\n"), std::string::npos);
}

TEST_F(TwoVersions, ModuleNamesOneReportByNameOrPath) {
    Outcome run = Report({"--module", "MODA"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("\nFile 1: ONE/src/modA.bas\nFile 2: TWO/src/modA.bas\n"),
              std::string::npos)
        << run.Out;
    EXPECT_EQ(run.Out.find("File 1: ONE/src/modOld.bas"), std::string::npos);

    // An equal module's report is given when it is named.
    run = Report({"--module=src/lib/cOrder.cls"});
    EXPECT_NE(run.Out.find("\nFile 1: ONE/src/cOrder.cls\nFile 2: TWO/src/lib/cOrder.cls\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("Procs: 2 equal, 0 changed, 0 added, 0 deleted"), std::string::npos);

    run = Report({"--module", "modNothing"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "No module of File 1 or File 2 is named modNothing.\n");
    EXPECT_EQ(run.Out, "");
}

TEST_F(TwoVersions, ColourMarksTheStatusesAndTheHeadings) {
    const Outcome run = Report({"--color=always"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("\x1b[1mModules (procedures"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("\x1b[33mchanged"), std::string::npos);
    EXPECT_NE(run.Out.find("\x1b[31mdeleted"), std::string::npos);
    EXPECT_NE(run.Out.find("\x1b[32madded"), std::string::npos);
    EXPECT_NE(run.Out.find("\x1b[36mmoved"), std::string::npos);
    EXPECT_EQ(Report({"--color=never"}).Out.find('\x1b'), std::string::npos);
}

TEST_F(TwoVersions, TheDumpTakesTheModuleItIsGiven) {
    const std::string dump = (one.Path() / "DUMP.TXT").string();
    Outcome run = test::RunDualis({"--dump", dump, one.Path().string(), two.Path().string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err,
              "--dump compares one pair of files: name a module of the two projects or "
              "folders with --module NAME\n");
    EXPECT_FALSE(std::filesystem::exists(dump));

    run = test::RunDualis(
        {"--dump", dump, "--module", "modA", one.Path().string(), two.Path().string()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    const std::string text = dualis::test::ReadFile(dump);
    EXPECT_NE(text.find((one / "src/modA.bas").string()), std::string::npos);
    EXPECT_NE(text.find((two / "src/modA.bas").string()), std::string::npos);

    run = test::RunDualis(
        {"--dump", dump, "--module", "modHere", one.Path().string(), two.Path().string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "The module modHere is only in File 2; the dump needs it in both.\n");
}

TEST_F(TwoVersions, TheSameFoldersAreEqual) {
    const Outcome run = test::RunDualis(
        {"--report", "--differences-only", one.Path().string(), one.Path().string()});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("Modules: 7 equal, 0 changed, 0 added, 0 deleted, 0 moved, 0 renamed, "
                           "0 unreadable\n"),
              std::string::npos)
        << run.Out;
}

TEST(ProjectCommandLine, OnlyLikeInputsAreCompared) {
    Tree tree, other;
    const std::string project =
        tree.Write("App.vbp", CrLf({"Type=Exe", "Module=modA; modA.bas"})).string();
    const std::string module = tree.Write("modA.bas", BasText("modA")).string();
    const std::string folder = tree.Path().string();
    const std::string group =
        other.Write("All.vbg", CrLf({"VBGROUP 5.0", "Project=App.vbp"})).string();
    const std::string groupOnly =
        "A project group can only be compared with another project group.\n";
    const std::string moduleOnly =
        "A module file can only be compared with another module file, not with a folder, a "
        "project, a project group or an Office document.\n";
    const struct {
        std::string One, Two, Err;
    } refused[] = {{group, project, groupOnly},
                   {folder, group, groupOnly},
                   {module, folder, moduleOnly},
                   {project, module, moduleOnly},
                   {module, group, moduleOnly}};
    for (const auto& r : refused) {
        const Outcome run = test::RunDualis({"--report", r.One, r.Two});
        EXPECT_EQ(run.Status, 2) << r.One << " " << r.Two;
        EXPECT_EQ(run.Err, r.Err);
        EXPECT_EQ(run.Out, "");
    }
    // A folder against a project, either way, and a project against itself.
    for (const auto& [a, b] : {std::pair{folder, project}, {project, folder}, {project, project}}) {
        const Outcome run = test::RunDualis({"--report", a, b});
        EXPECT_EQ(run.Status, 0) << a << " " << b << "\n" << run.Out << run.Err;
    }
    const Outcome run = test::RunDualis({"--report", "--module", "modA", module, module});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err,
              "--module picks a module of two projects or folders; FILE1 and FILE2 are files\n");
}

TEST(ProjectCommandLine, ProjectFilesAreComparedAsSettings) {
    Tree one, two;
    for (const Tree* t : {&one, &two}) {
        t->Write("modA.bas", BasText("modA"));
        t->Write("frmMain.frm", FrmText("frmMain"));
    }
    one.Write("App.vbp", CrLf({"Type=Exe", "Form=frmMain.frm", "Module=modA; modA.bas",
                               "Name=\"App\"", "AutoIncrementVer=1", "RevisionVer=3",
                               "[MS Transaction Server]", "AutoRefresh=1"}));
    // The same project saved again: other member order, letter case and revision.
    two.Write("App.vbp", CrLf({"Type=Exe", "Module=modA; MODA.bas", "Form=frmMain.frm",
                               "Name=\"App\"", "AutoIncrementVer=1", "RevisionVer=4"}));
    Outcome run = test::RunDualis({"--report", one.Path().string(), two.Path().string()});
    EXPECT_EQ(run.Status, 0) << run.Out;
    EXPECT_NE(run.Out.find("Project files:\n  equal       App.vbp\n"), std::string::npos)
        << run.Out;

    run = test::RunDualis({"--report", "--ignore-save-noise=no", (one / "App.vbp").string(),
                           (two / "App.vbp").string()});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("Options: save noise compared\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("  changed     App.vbp\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("      changed RevisionVer: 3 -> 4\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("      reordered Members: frmMain, modA -> modA, frmMain\n"),
              std::string::npos);

    // The settings file's key, and the command line over it.
    const std::string ini = one.Write("s.ini", "[Compare]\nIgnoreSaveNoise=No\n").string();
    run = test::RunDualis(
        {"--settings", ini, "--report", (one / "App.vbp").string(), (two / "App.vbp").string()});
    EXPECT_EQ(run.Status, 1);
    run = test::RunDualis({"--settings", ini, "--report", "--ignore-save-noise",
                           (one / "App.vbp").string(), (two / "App.vbp").string()});
    EXPECT_EQ(run.Status, 0);
}

TEST(ProjectCommandLine, GroupsOfThreeProjectsPairTheirProjectsByName) {
    Tree one, two;
    for (const Tree* t : {&one, &two}) {
        for (const std::string name : {"App", "Lib", "Tools"}) {
            t->Write(name + "/" + name + ".vbp",
                     CrLf({"Type=Exe", "Name=\"" + name + "\"",
                           "Module=mod" + name + "; mod" + name + ".bas"}));
            t->Write(name + "/mod" + name + ".bas", BasText("mod" + name, Procedures("P", 2)));
        }
    }
    std::vector<std::string> edited = Procedures("P", 2);
    edited[1] = "    Debug.Print \"edited\"";
    two.Write("Lib/modLib.bas", BasText("modLib", edited));
    one.Write("All.vbg", CrLf({"VBGROUP 5.0", "StartupProject=App\\App.vbp", "Project=Lib\\Lib.vbp",
                               "Project=Tools\\Tools.vbp"}));
    // The other group lists the projects in another order, one of them moved to another folder
    // with its module.
    std::filesystem::rename(two / "Tools", two / "Moved");
    two.Write("All.vbg", CrLf({"VBGROUP 5.0", "Project=Moved\\Tools.vbp", "Project=Lib\\Lib.vbp",
                               "StartupProject=App\\App.vbp"}));
    const Outcome run =
        test::RunDualis({"--report", (one / "All.vbg").string(), (two / "All.vbg").string()});
    EXPECT_EQ(run.Status, 1) << run.Err;
    const std::string out = Squeezed(run.Out);
    EXPECT_NE(out.find("\n changed All.vbg\n moved Project Tools: Tools\\Tools.vbp -> "
                       "Moved\\Tools.vbp\n equal App/App.vbp\n equal Lib/Lib.vbp\n equal "
                       "Tools/Tools.vbp -> Moved/Tools.vbp\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(out.find("\n Module modLib changed 1 0 0 2 Lib/modLib.bas Lib/modLib.bas\n"),
              std::string::npos)
        << run.Out;
    // A module keeps its path from its own project's folder when the project moves.
    EXPECT_NE(out.find("\n Module modTools equal 0 0 0 0 Tools/modTools.bas Moved/modTools.bas\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(out.find("Modules: 2 equal, 1 changed, 0 added"), std::string::npos) << run.Out;
}

TEST(ProjectCommandLine, MembersFoundAsWindowsWouldFindThem) {
    Tree tree;
    tree.Write("shared/modS.bas", BasText("modS"));
    for (const std::string v : {"v1", "v2"}) {
        tree.Write(v + "/codigo/FRMMAIN.FRM", FrmText("frmMain"));
        tree.Write(v + "/codigo/modA.bas",
                   BasText("modA", {"Sub A()", "  v = \"" + v + "\"", "End Sub"}));
    }
    // CR alone ends the lines of the first project; letter case and separators differ from
    // the disk; a member outside the project's folder, one missing, one by absolute path.
    tree.Write("v1/App.vbp",
               "Type=Exe\rForm=CODIGO\\frmMain.frm\rModule=modA; Codigo\\MODA.bas\r"
               "Module=modS; ..\\shared\\modS.bas\rModule=modGone; gone.bas\r");
    tree.Write("v2/App.vbp",
               CrLf({"Type=Exe", "Form=codigo\\FrmMain.frm", "Module=modA; codigo\\moda.BAS",
                     "Module=modS; " + (tree / "shared/modS.bas").string()}));
    const Outcome run = test::RunDualis(
        {"--report", (tree / "v1/App.vbp").string(), (tree / "v2/App.vbp").string()});
    EXPECT_EQ(run.Status, 2) << run.Err;  // the missing member
    EXPECT_EQ(run.Err, "");
    const std::string out = Squeezed(Replaced(run.Out, tree.Path().string(), "T"));
    EXPECT_NE(out.find("\n Form frmMain equal 0 0 0 0 codigo/FRMMAIN.FRM codigo/FRMMAIN.FRM\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\n Module modA changed 1 0 0 2 codigo/modA.bas codigo/modA.bas\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\n Module modGone unreadable gone.bas -\n File 1: The file does not "
                       "exist.\n"),
              std::string::npos)
        << out;
    // Named from elsewhere, by an absolute path: the same file, moved.
    EXPECT_NE(out.find("\n Module modS moved 0 0 0 0 ../shared/modS.bas T/shared/modS.bas\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Notes:\n File 2: App.vbp: Module=modS; T/shared/modS.bas names an "
                       "absolute path.\n"),
              std::string::npos)
        << out;
}

TEST(ProjectCommandLine, TenThousandMembers) {
    Tree one, two;
    std::string vbp = "Type=Exe\r\n";
    for (int k = 0; k < 10000; ++k) {
        const std::string name = "mod" + std::to_string(k);
        const std::string text = BasText(name, Procedures("P", 1));
        one.Write("Mods/" + name + ".bas", text);
        two.Write("Mods/" + name + ".bas", k == 9999 ? text + "Sub Z()\r\nEnd Sub\r\n" : text);
        vbp += "Module=" + name + "; MODS\\" + name + ".bas\r\n";
    }
    one.Write("Big.vbp", vbp);
    two.Write("Big.vbp", vbp);
    const Outcome run = test::RunDualis(
        {"--report", "--differences-only", (one / "Big.vbp").string(), (two / "Big.vbp").string()});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_NE(Squeezed(run.Out).find("\n Module mod9999 changed 0 1 0 2 Mods/mod9999.bas"),
              std::string::npos)
        << run.Out.substr(0, 2000);
    EXPECT_NE(run.Out.find("Modules: 9999 equal, 1 changed, 0 added, 0 deleted"),
              std::string::npos);
}

// Real versions of a public project in the shared data folder, when it is there.
TEST(ProjectCommandLine, RealProjectVersions) {
    const std::filesystem::path versions =
        std::filesystem::path(DUALIS_SHARED_DATA) / "projects/VbAsyncSocket";
    if (!std::filesystem::is_directory(versions)) GTEST_SKIP() << "no " << versions;
    const std::string v2022 = (versions / "2022-10-24-a80b1db").string();
    const std::string v2025 = (versions / "2025-06-04-48e2bd6").string();
    Outcome run = test::RunDualis({"--report", "--differences-only", v2022, v2025});
    EXPECT_EQ(run.Status, 1) << run.Err;
    std::string out = Squeezed(run.Out);
    EXPECT_NE(out.find("\n added test/Winsock/Group3.vbg\n"), std::string::npos) << run.Out;
    EXPECT_NE(out.find("\n changed contrib/dll/HttpRequest.vbp\n changed Description: \"Http "
                       "Request Replacement 1.0\" -> \"Http Request Replacement (1.0.7)\"\n"),
              std::string::npos)
        << run.Out;
    // Four forms call themselves Form2: the paths tell them apart.
    EXPECT_NE(out.find("\n Form Form2 added 0 13 0 157 - test/Winsock/Form3.frm\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(out.find("\n Form Form1 equal 0 0 0 0 samples/Winsock-simple/Client/Form1.frm "
                       "samples/Winsock-simple/Client/Form1.frm\n "
                       "samples/Winsock-simple/Client/Form1.frx: different\n"),
              std::string::npos)
        << run.Out;
    EXPECT_EQ(out.find("test/Chat/frmClient.frm"), std::string::npos);  // equal: left out
    EXPECT_NE(out.find("\nModules: 18 equal, 18 changed, 4 added, 0 deleted, 0 moved, 0 renamed, "
                       "0 unreadable\n"),
              std::string::npos)
        << run.Out;

    // A control that two projects name from two places.
    const std::string control =
        (versions / "2025-06-04-48e2bd6/contrib/dll/WinsockTls.vbp").string();
    const std::string test = (versions / "2025-06-04-48e2bd6/test/Winsock/Project1.vbp").string();
    run = test::RunDualis({"--report", control, test});
    out = Squeezed(run.Out);
    EXPECT_NE(out.find("\n UserControl ctxWinsock moved 0 0 0 0 ../ctxWinsock.ctl "
                       "../../contrib/ctxWinsock.ctl\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(out.find("\n moved UserControl ctxWinsock: ..\\ctxWinsock.ctl -> "
                       "..\\..\\contrib\\ctxWinsock.ctl\n"),
              std::string::npos)
        << run.Out;
}

}  // namespace
}  // namespace dualis
