// Opening folders, projects and groups as sources: what each lists, and what it says about
// input it cannot follow.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileIO.h"
#include "ModuleFile.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

using test::BasText;
using test::ClsText;
using test::FrmText;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

bool HasNoteContaining(const Source& source, const std::string& text) {
    for (const std::string& note : source.Notes) {
        if (note.find(text) != std::string::npos) return true;
    }
    return false;
}

TEST(OpenFolder, EveryVbSourceFileUnderItSortedByKindThenName) {
    test::Tree tree;
    tree.Write("frmMain.frm", FrmText("frmMain", "frmMain.frx"));
    tree.Write("frmMain.frx", "\x01\x02");
    tree.Write("lib/modUtil.bas", BasText("modUtil"));
    tree.Write("lib/cOrder.cls", ClsText("cOrder"));
    tree.Write("lib/deep/ucGrid.ctl", "Attribute VB_Name = \"ucGrid\"\r\n");
    tree.Write("ppGeneral.pag", "Attribute VB_Name = \"ppGeneral\"\r\n");
    tree.Write("udHome.dob", "Attribute VB_Name = \"udHome\"\r\n");
    tree.Write("DataEnvironment1.dsr", "Attribute VB_Name = \"deMain\"\r\n");
    tree.Write("readme.txt", "not a module");
    tree.Write("App.vbp", "Type=Exe\r\nForm=frmMain.frm\r\n");
    tree.Write("App.vbw", "frmMain = 1, 2, 3, 4, , 0, 0, 0, 0, C\r\n");
    const Source source = OpenSource(tree.Path());
    EXPECT_EQ(source.Problem, "");
    EXPECT_EQ(source.Kind, SourceKind::Folder);
    EXPECT_EQ(test::Listing(source),
              (Strings{"Form frmMain frmMain.frm", "Module modUtil lib/modUtil.bas",
                       "Class cOrder lib/cOrder.cls", "UserControl ucGrid lib/deep/ucGrid.ctl",
                       "PropertyPage ppGeneral ppGeneral.pag", "UserDocument udHome udHome.dob",
                       "Designer deMain DataEnvironment1.dsr"}));
    const ModuleEntry& form = test::ModuleNamed(source, "frmMain");
    ASSERT_EQ(form.Companions.size(), 1u);
    EXPECT_EQ(form.Companions[0].RelativePath, "frmMain.frx");
    EXPECT_EQ(form.Project, -1);
    ASSERT_EQ(source.ProjectFiles.size(), 2u);
    EXPECT_EQ(source.ProjectFiles[0].RelativePath, "App.vbp");
    EXPECT_EQ(source.ProjectFiles[0].Members[0].Name, "frmMain");
    EXPECT_EQ(source.ProjectFiles[1].Kind, ProjectFileKind::Workspace);
    EXPECT_TRUE(source.OtherFiles.empty());
}

TEST(OpenFolder, HiddenFoldersAreSkipped) {
    test::Tree tree;
    tree.Write("modA.bas", BasText("modA"));
    tree.Write(".git/objects/modA.bas", BasText("modA"));
    tree.Write(".svn/pristine/modB.bas", BasText("modB"));
    tree.Write(".hidden.bas", BasText("modC"));
    EXPECT_EQ(test::Listing(OpenSource(tree.Path())), Strings{"Module modA modA.bas"});
}

TEST(OpenFolder, SymbolicLinksAreListedNotFollowed) {
    test::Tree tree;
    tree.Write("real/modA.bas", BasText("modA"));
    fs::create_symlink(tree / "real/modA.bas", tree / "linked.bas");
    fs::create_directory_symlink(tree.Path(), tree / "real/loop");  // a loop back to the top
    fs::create_symlink(tree / "self.bas", tree / "self.bas");
    const Source source = OpenSource(tree.Path());
    EXPECT_EQ(
        test::Listing(source),
        (Strings{"Module linked linked.bas", "Module modA real/modA.bas", "Module self self.bas"}));
    const ModuleEntry& link = test::ModuleNamed(source, "linked");
    EXPECT_TRUE(link.IsLink);
    EXPECT_EQ(link.Problem, "It is a symbolic link; links in a folder are not followed.");
    EXPECT_TRUE(HasNoteContaining(source, "real/loop is a symbolic link to a folder"));
    EXPECT_THROW(ReadModuleBytes(link), InputFileError);
}

TEST(OpenFolder, ModulesThatCannotBeReadAreListedWithTheReason) {
    test::Tree tree;
    tree.Write("good.bas", BasText("good"));
    tree.Write("binary.bas", std::string("MZ\0\0\x90", 5));
    fs::resize_file(tree.Write("huge.bas", ""), MaxModuleBytes + 1);  // sparse: no disk used
    ASSERT_EQ(::mkfifo((tree / "pipe.bas").c_str(), 0600), 0);
    const Source source = OpenSource(tree.Path());
    EXPECT_EQ(test::ModuleNamed(source, "good").Problem, "");
    EXPECT_EQ(test::ModuleNamed(source, "binary").Problem, "It is not a text file.");
    EXPECT_EQ(test::ModuleNamed(source, "huge").Problem,
              "The file is larger than 67,108,864 bytes.");
    EXPECT_EQ(test::ModuleNamed(source, "pipe").Problem, "It is not a regular file.");
}

TEST(OpenFolder, CompanionsBelongToTheirModuleOrStandApart) {
    test::Tree tree;
    tree.Write("frmA.frm", FrmText("frmA", "Pictures.frx"));  // names a file of another name
    tree.Write("Pictures.FRX", "pictures");
    tree.Write("frmA.frx", "unclaimed: the form names another file");
    tree.Write("frmB.frm", FrmText("frmB", "Gone.frx"));
    tree.Write("ucGrid.ctl", "Attribute VB_Name = \"ucGrid\"\r\n");
    tree.Write("UCGRID.ctx", "x");
    tree.Write("Stray.res", "x");
    tree.Write("App.vbp", "Type=Exe\r\nResFile32=\"app.RES\"\r\n");
    tree.Write("App.res", "x");
    const Source source = OpenSource(tree.Path());
    const ModuleEntry& a = test::ModuleNamed(source, "frmA");
    ASSERT_EQ(a.Companions.size(), 1u);
    EXPECT_EQ(a.Companions[0].RelativePath, "Pictures.FRX");
    const ModuleEntry& b = test::ModuleNamed(source, "frmB");
    ASSERT_EQ(b.Companions.size(), 1u);
    EXPECT_EQ(b.Companions[0].Problem, "The file does not exist.");
    ASSERT_EQ(test::ModuleNamed(source, "ucGrid").Companions.size(), 1u);
    EXPECT_EQ(test::ModuleNamed(source, "ucGrid").Companions[0].RelativePath, "UCGRID.ctx");
    ASSERT_EQ(source.ProjectFiles[0].Companions.size(), 1u);
    EXPECT_EQ(source.ProjectFiles[0].Companions[0].RelativePath, "App.res");
    Strings others;
    for (const Companion& c : source.OtherFiles) others.push_back(c.RelativePath);
    EXPECT_EQ(others, (Strings{"frmA.frx", "Stray.res"}));
}

TEST(OpenFolder, AHundredThousandFilesAreListedWithoutTrouble) {
    test::Tree tree;
    fs::create_directories(tree / "many");
    for (int k = 0; k < 100000; ++k) {
        const std::string name = (tree / "many" / std::to_string(k)).string() + ".txt";
        const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    tree.Write("many/modA.bas", BasText("modA"));
    const Source source = OpenSource(tree.Path());
    EXPECT_EQ(test::Listing(source), Strings{"Module modA many/modA.bas"});
    EXPECT_TRUE(source.Notes.empty());
}

TEST(OpenProject, MembersAreFoundAsWindowsWouldFindThem) {
    test::Tree tree;
    tree.Write("app/codigo/FRMMAIN.FRM", FrmText("frmMain", "frmMain.frx"));
    tree.Write("app/codigo/FRMMAIN.FRX", "x");
    tree.Write("app/Mods/modMain.bas", BasText("modMain"));
    tree.Write("src/cSocket.cls", ClsText("cSocket"));
    tree.Write("app/Data.dsr",
               "VERSION 5.00\r\nBegin {C0E45035} deOrders\r\nEnd\r\n"
               "Attribute VB_Name = \"deOrders\"\r\n");
    tree.Write("app/App.vbp",
               "Type=Exe\r\nForm=CODIGO\\frmMain.frm\r\nModule=modMain; mods\\MODMAIN.BAS\r\n"
               "Class=cSocket; ..\\src\\cSocket.cls\r\nDesigner=Data.dsr\r\nName=\"Orders\"\r\n");
    const Source source = OpenSource(tree / "app/App.vbp");
    EXPECT_EQ(source.Problem, "");
    EXPECT_EQ(source.Kind, SourceKind::Project);
    EXPECT_EQ(source.Name, "Orders");
    EXPECT_EQ(test::Listing(source),
              (Strings{"Form frmMain codigo/FRMMAIN.FRM", "Module modMain Mods/modMain.bas",
                       "Class cSocket ../src/cSocket.cls", "Designer deOrders Data.dsr"}));
    for (const ModuleEntry& m : source.Modules) {
        EXPECT_EQ(m.Problem, "") << m.Name;
        EXPECT_EQ(m.Project, 0);
    }
    EXPECT_EQ(test::ModuleNamed(source, "frmMain").Companions.at(0).RelativePath,
              "codigo/FRMMAIN.FRX");
    EXPECT_EQ(source.ProjectFiles.at(0).Members[3].Name, "deOrders");  // its VB_Name
    EXPECT_TRUE(source.Notes.empty());
}

TEST(OpenProject, Windows1252NamesFindTheirFiles) {
    test::Tree tree;
    tree.Write(
        "C\xC3\xB3"
        "digo/M\xC3\xB3"
        "dulo.bas",
        BasText("M\xC3\xB3"
                "dulo"));
    tree.Write("App.vbp",
               "Type=Exe\rModule=M\xF3"
               "dulo; C\xD3"
               "DIGO\\M\xF3"
               "dulo.bas\r");
    const Source source = OpenSource(tree / "App.vbp");
    EXPECT_EQ(test::Listing(source), Strings{"Module M\xC3\xB3"
                                             "dulo C\xC3\xB3"
                                             "digo/M\xC3\xB3"
                                             "dulo.bas"});
    EXPECT_EQ(source.Modules.at(0).Problem, "");
}

TEST(OpenProject, AMissingMemberIsListedAndTheRestStillRead) {
    test::Tree tree;
    tree.Write("modA.bas", BasText("modA"));
    tree.Write("App.vbp",
               "Type=Exe\r\nModule=modA; modA.bas\r\nModule=modGone; Gone.bas\r\n"
               "Form=frmGone.frm\r\n");
    const Source source = OpenSource(tree / "App.vbp");
    EXPECT_EQ(test::ModuleNamed(source, "modA").Problem, "");
    EXPECT_EQ(test::ModuleNamed(source, "modGone").Problem, "The file does not exist.");
    EXPECT_EQ(test::ModuleNamed(source, "frmGone").Problem, "The file does not exist.");
}

TEST(OpenProject, AbsoluteMemberPathsAreReadAndNoted) {
    test::Tree tree;
    tree.Write("shared/modShared.bas", BasText("modShared"));
    tree.Write("app/App.vbp", "Type=Exe\r\nModule=modShared; " +
                                  (tree / "shared/modShared.bas").string() +
                                  "\r\nModule=modWin; C:\\VB\\modWin.bas\r\n");
    const Source source = OpenSource(tree / "app/App.vbp");
    EXPECT_EQ(test::ModuleNamed(source, "modShared").Problem, "");
    EXPECT_EQ(test::ModuleNamed(source, "modWin").Problem, "The file does not exist.");
    EXPECT_EQ(test::ModuleNamed(source, "modWin").RelativePath, "C:/VB/modWin.bas");
    ASSERT_EQ(source.Notes.size(), 2u);
    EXPECT_EQ(source.Notes[1],
              "App.vbp: Module=modWin; C:\\VB\\modWin.bas names an absolute path.");
}

TEST(OpenProject, RelatedDocumentsAndTheResourceFile) {
    test::Tree tree;
    tree.Write("docs/Notes.txt", "Release notes\r\n");
    tree.Write("docs/Manual.pdf", std::string("%PDF\0\x01", 6));
    tree.Write("App.RES", "x");
    tree.Write("App.vbp",
               "Type=Exe\r\nRelatedDoc=docs\\notes.txt\r\nRelatedDoc=docs\\manual.pdf\r\n"
               "ResFile32=\"app.res\"\r\n");
    const Source source = OpenSource(tree / "App.vbp");
    EXPECT_EQ(test::Listing(source), Strings{"RelatedDoc notes docs/Notes.txt"});
    Strings companions;
    for (const Companion& c : source.ProjectFiles[0].Companions) {
        companions.push_back(c.RelativePath + "|" + c.Problem);
    }
    EXPECT_EQ(companions, (Strings{"docs/Manual.pdf|", "App.RES|"}));
}

TEST(OpenProject, TenThousandMembers) {
    test::Tree tree;
    std::string vbp = "Type=Exe\r\n";
    for (int k = 0; k < 10000; ++k) {
        const std::string name = "mod" + std::to_string(k);
        tree.Write("Mods/" + name + ".bas", BasText(name));
        vbp += "Module=" + name + "; MODS\\" + name + ".bas\r\n";
    }
    tree.Write("Big.vbp", vbp);
    const Source source = OpenSource(tree / "Big.vbp");
    ASSERT_EQ(source.Modules.size(), 10000u);
    for (const ModuleEntry& m : source.Modules) ASSERT_EQ(m.Problem, "") << m.Name;
    EXPECT_EQ(source.Modules[0].Name, "mod0");
    EXPECT_EQ(source.Modules[1].Name, "mod1");
    EXPECT_EQ(source.Modules[2].Name, "mod10");
}

TEST(OpenProject, AFileThatIsNotAProjectSaysSo) {
    test::Tree tree;
    tree.Write("App.vbp", BasText("modA"));
    const Source source = OpenSource(tree / "App.vbp");
    EXPECT_EQ(source.Problem, "It is not a Visual Basic project file: it has no Type= line.");
    EXPECT_TRUE(source.Modules.empty());
    EXPECT_TRUE(source.ProjectFiles.empty());
}

TEST(OpenGroup, EachProjectWithItsOwnModules) {
    test::Tree tree;
    tree.Write("shared/modShared.bas", BasText("modShared"));
    for (const std::string name : {"App", "Lib", "Tools"}) {
        tree.Write(name + "/" + name + ".vbp",
                   "Type=Exe\r\nName=\"" + name + "\"\r\nModule=mod" + name + "; mod" + name +
                       ".bas\r\nModule=modShared; ..\\shared\\modShared.bas\r\n");
        tree.Write(name + "/mod" + name + ".bas", BasText("mod" + name));
    }
    tree.Write("All.vbg",
               "VBGROUP 5.0\r\nStartupProject=app\\APP.vbp\r\nProject=Lib\\Lib.vbp\r\n"
               "Project=Tools\\Tools.vbp\r\n");
    const Source source = OpenSource(tree / "All.vbg");
    EXPECT_EQ(source.Problem, "");
    EXPECT_EQ(source.Kind, SourceKind::Group);
    ASSERT_EQ(source.ProjectFiles.size(), 4u);
    EXPECT_EQ(source.ProjectFiles[0].Kind, ProjectFileKind::Group);
    EXPECT_EQ(source.ProjectFiles[1].RelativePath, "App/App.vbp");
    EXPECT_EQ(source.ProjectFiles[0].Members[0].Name, "App");
    EXPECT_EQ(
        test::Listing(source),
        (Strings{"Module modApp modApp.bas", "Module modShared ../shared/modShared.bas",
                 "Module modLib modLib.bas", "Module modShared ../shared/modShared.bas",
                 "Module modShared ../shared/modShared.bas", "Module modTools modTools.bas"}));
    EXPECT_EQ(source.Modules[2].Project, 2);
    EXPECT_TRUE(source.Notes.empty());
}

TEST(OpenGroup, GroupsInGroupsAreNotFollowedSoTheyCannotLoop) {
    test::Tree tree;
    tree.Write("A.vbp", "Type=Exe\r\n");
    tree.Write("One.vbg",
               "VBGROUP 5.0\r\nProject=A.vbp\r\nProject=Two.vbg\r\nProject=One.vbg\r\n"
               "Project=A.vbp\r\nProject=Gone.vbp\r\n");
    tree.Write("Two.vbg", "VBGROUP 5.0\r\nProject=One.vbg\r\n");
    const Source source = OpenSource(tree / "One.vbg");
    EXPECT_EQ(source.Problem, "");
    ASSERT_EQ(source.ProjectFiles.size(), 3u);  // the group, A, and the missing one
    EXPECT_EQ(source.ProjectFiles[2].Problem, "The file does not exist.");
    EXPECT_EQ(source.Notes,
              (Strings{"One.vbg: Project=Two.vbg names a project group; a group lists projects "
                       "only, so it is not opened.",
                       "One.vbg: Project=One.vbg names a project group; a group lists projects "
                       "only, so it is not opened.",
                       "One.vbg: A.vbp is listed twice; it is opened once."}));
}

TEST(OpenGroup, AProjectThatIsNotOneIsListedWithTheReason) {
    test::Tree tree;
    tree.Write("Bad.vbp", "Hello\r\n");
    tree.Write("G.vbg", "VBGROUP 5.0\r\nProject=Bad.vbp\r\n");
    const Source source = OpenSource(tree / "G.vbg");
    ASSERT_EQ(source.ProjectFiles.size(), 2u);
    EXPECT_EQ(source.ProjectFiles[1].Problem,
              "It is not a Visual Basic project file: it has no Type= line.");
}

TEST(WhyNotComparable, OnlyLikeWithLike) {
    test::Tree tree;
    const fs::path folder = tree / "dir";
    fs::create_directories(folder);
    const fs::path vbp = tree.Write("A.vbp", "Type=Exe\r\n");
    const fs::path vbg = tree.Write("G.vbg", "VBGROUP 5.0\r\n");
    const fs::path bas = tree.Write("m.bas", BasText("m"));
    const fs::path txt = tree.Write("t.txt", "x");
    EXPECT_EQ(WhyNotComparable(folder, folder), "");
    EXPECT_EQ(WhyNotComparable(vbp, vbp), "");
    EXPECT_EQ(WhyNotComparable(folder, vbp), "");
    EXPECT_EQ(WhyNotComparable(vbp, folder), "");
    EXPECT_EQ(WhyNotComparable(vbg, vbg), "");
    const std::string group = "A project group can only be compared with another project group.";
    EXPECT_EQ(WhyNotComparable(vbg, vbp), group);
    EXPECT_EQ(WhyNotComparable(folder, vbg), group);
    const std::string module =
        "A module file can only be compared with another module file, not "
        "with a folder, a project, a project group or an Office document.";
    EXPECT_EQ(WhyNotComparable(bas, folder), module);
    EXPECT_EQ(WhyNotComparable(vbp, bas), module);
    EXPECT_EQ(WhyNotComparable(bas, bas),
              "Two module files are compared as files, not as projects.");
    EXPECT_EQ(WhyNotComparable(tree / "none", folder),
              "Unable to open File 1\n" + (tree / "none").string() + "\nThe file does not exist.");
    fs::create_symlink(tree / "none", tree / "dangling");
    EXPECT_EQ(WhyNotComparable(folder, tree / "dangling"),
              "Unable to open File 2\n" + (tree / "dangling").string() +
                  "\nIt is a symbolic link to a file that does not exist.");
    EXPECT_EQ(WhyNotComparable(folder, txt),
              "File 2 is not a folder, a project (.vbp), a project group (.vbg) or an Office "
              "document\n" +
                  txt.string());
}

TEST(OpenSource, APathOfAnotherKindSaysSo) {
    test::Tree tree;
    EXPECT_EQ(OpenSource(tree.Write("notes.txt", "x")).Problem,
              "It is not a folder, a project (.vbp), a project group (.vbg) or an Office "
              "document.");
    EXPECT_EQ(OpenSource(tree / "none").Problem, "The file does not exist.");
}

}  // namespace
}  // namespace dualis::project
