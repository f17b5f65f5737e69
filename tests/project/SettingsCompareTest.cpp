// Project files compared as settings: members, libraries, keys, and the noise a save makes.
#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "References.h"
#include "SettingsCompare.h"

namespace dualis::project {
namespace {

using Strings = std::vector<std::string>;

// The differences of two project-file texts, described.
Strings Differences(const std::string& text1, const std::string& text2, bool noise = true,
                    ProjectFileKind kind = ProjectFileKind::Project) {
    const ProjectFile a = ParseProjectText(text1, kind), b = ParseProjectText(text2, kind);
    EXPECT_EQ(a.Problem, "");
    EXPECT_EQ(b.Problem, "");
    return test::DescribeDifferences(CompareProjectFiles(a, b, noise));
}

std::string Vbp(const Strings& lines) {
    return test::CrLf(lines);
}

TEST(CompareProjectFiles, MembersAddedRemovedRenamedMoved) {
    const std::string one =
        Vbp({"Type=Exe", "Form=frmMain.frm", "Module=modA; modA.bas", "Class=cOld; cOld.cls",
             "Class=cKeep; src\\cKeep.cls", "Module=modGone; modGone.bas"});
    const std::string two =
        Vbp({"Type=Exe", "Form=frmMain.frm", "Module=modA; modA.bas", "Class=cNew; cOld.cls",
             "Class=cKeep; lib\\cKeep.cls", "UserControl=ucNew.ctl"});
    EXPECT_EQ(Differences(one, two),
              (Strings{"removed Module modGone: modGone; modGone.bas | ",
                       "moved Class cKeep: cKeep; src\\cKeep.cls | cKeep; lib\\cKeep.cls",
                       "renamed Class cNew: cOld; cOld.cls | cNew; cOld.cls",
                       "added UserControl ucNew:  | ucNew.ctl"}));
}

TEST(CompareProjectFiles, TheSameProjectInAnotherOrderIsEqual) {
    const std::string one =
        Vbp({"Type=Exe", "Form=frmMain.frm", "Module=modA; modA.bas",
             "Reference=*\\G{AAAAAAAA-0000-0000-0000-000000000001}#1.0#0#a.tlb#A",
             "Reference=*\\G{BBBBBBBB-0000-0000-0000-000000000002}#1.0#0#b.tlb#B",
             "Class=cOrder; cOrder.cls", "Name=\"App\""});
    const std::string two =
        Vbp({"Type=Exe", "Class=cOrder; cOrder.cls",
             "Reference=*\\G{BBBBBBBB-0000-0000-0000-000000000002}#1.0#0#b.tlb#B",
             "Module=modA; modA.bas", "Form=frmMain.frm",
             "Reference=*\\G{AAAAAAAA-0000-0000-0000-000000000001}#1.0#0#a.tlb#A", "Name=\"App\""});
    EXPECT_EQ(Differences(one, two), Strings{});
    EXPECT_EQ(Differences(one, two, false),
              (Strings{"reordered Members: frmMain, modA, cOrder | cOrder, modA, frmMain"}));
}

TEST(CompareProjectFiles, LetterCaseInMemberPathsIsNoise) {
    const std::string one = Vbp({"Type=Exe", "Form=Forms\\frmMain.frm"});
    const std::string two = Vbp({"Type=Exe", "Form=FORMS\\FrmMain.frm"});
    EXPECT_EQ(Differences(one, two), Strings{});
    EXPECT_EQ(Differences(one, two, false),
              Strings{"moved Form FrmMain: Forms\\frmMain.frm | FORMS\\FrmMain.frm"});
}

TEST(CompareProjectFiles, ReferencesByIdentityInAnyOrder) {
    const std::string stdole = "{00020430-0000-0000-C000-000000000046}";
    const std::string one =
        Vbp({"Type=Exe",
             "Reference=*\\G" + stdole + "#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE Automation",
             "Reference=*\\G{11111111-0000-0000-0000-000000000001}#1.0#0#old.dll#Old",
             "Reference=*\\G{22222222-0000-0000-0000-000000000002}#5.1#0#x.dll#X",
             "Reference=*\\G{33333333-0000-0000-0000-000000000003}#1.0#0#C:\\a\\y.dll#Y"});
    const std::string two = Vbp(
        {"Type=Exe", "Reference=*\\G{33333333-0000-0000-0000-000000000003}#1.0#0#C:\\b\\y.dll#Y",
         "Reference=*\\G{22222222-0000-0000-0000-000000000002}#6.0#0#x.dll#X",
         "Reference=*\\g" + stdole + "#2.0#0#d:\\WINDOWS\\SysWOW64\\STDOLE2.TLB#OLE Automation",
         "Reference=*\\G{44444444-0000-0000-0000-000000000004}#1.0#0#new.dll#New"});
    EXPECT_EQ(Differences(one, two),
              (Strings{"removed Reference {11111111-0000-0000-0000-000000000001}: "
                       "*\\G{11111111-0000-0000-0000-000000000001}#1.0#0#old.dll#Old | ",
                       "changed Reference {22222222-0000-0000-0000-000000000002}: "
                       "*\\G{22222222-0000-0000-0000-000000000002}#5.1#0#x.dll#X | "
                       "*\\G{22222222-0000-0000-0000-000000000002}#6.0#0#x.dll#X",
                       "changed Reference {33333333-0000-0000-0000-000000000003}: "
                       "*\\G{33333333-0000-0000-0000-000000000003}#1.0#0#C:\\a\\y.dll#Y | "
                       "*\\G{33333333-0000-0000-0000-000000000003}#1.0#0#C:\\b\\y.dll#Y",
                       "added Reference {44444444-0000-0000-0000-000000000004}:  | "
                       "*\\G{44444444-0000-0000-0000-000000000004}#1.0#0#new.dll#New"}));
}

TEST(CompareProjectFiles, ControlsByIdentityAndVersion) {
    const std::string one =
        Vbp({"Type=Exe", "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX",
             "Object={F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0; COMDLG32.OCX"});
    const std::string two =
        Vbp({"Type=Exe", "Object={F9043C88-F6F2-101A-A3C9-08002B2F49FB}#1.2#0; comdlg32.ocx",
             "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.1#0; MSCOMCTL.OCX"});
    EXPECT_EQ(Differences(one, two),
              (Strings{"changed Object {831fdd16-0c5c-11d2-a9fc-0000f8754da1}: "
                       "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX | "
                       "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.1#0; MSCOMCTL.OCX"}));
}

TEST(SameLibraryPath, DriveCaseSeparatorsAndTheSystemFolder) {
    EXPECT_TRUE(SameLibraryPath("C:\\Windows\\System32\\stdole2.tlb",
                                "D:\\WINDOWS\\SysWOW64\\STDOLE2.TLB"));
    EXPECT_TRUE(SameLibraryPath("C:\\Windows\\system32\\x.dll", "c:/windows/system32/x.dll"));
    EXPECT_FALSE(SameLibraryPath("C:\\Windows\\System32\\x.dll", "C:\\Windows\\System\\x.dll"));
    EXPECT_FALSE(SameLibraryPath("C:\\a\\x.dll", "C:\\b\\x.dll"));
    EXPECT_FALSE(SameLibraryPath("..\\x.dll", "C:\\x.dll"));
}

TEST(ParseReference, TheFormsOfAReference) {
    const LibraryReference typeLib = ParseReference(
        "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\stdole2.tlb#OLE Automation");
    EXPECT_EQ(typeLib.Identity, "{00020430-0000-0000-c000-000000000046}");
    EXPECT_EQ(typeLib.Version, "2.0#0");
    EXPECT_EQ(typeLib.Path, "..\\stdole2.tlb");
    const LibraryReference project = ParseReference("*\\A..\\Shared\\Shared.vbp");
    EXPECT_EQ(project.Identity, "project:../shared/shared.vbp");
    EXPECT_EQ(project.Version, "");
    const LibraryReference control =
        ParseObject("{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX");
    EXPECT_EQ(control.Version, "2.0#0");
    EXPECT_EQ(control.Path, "MSCOMCTL.OCX");
    EXPECT_EQ(ParseObject("*\\A..\\Grid\\Grid.vbp").Identity, "project:../grid/grid.vbp");
    EXPECT_EQ(ParseReference("").Identity, "");
}

TEST(CompareProjectFiles, KeysOfTheProject) {
    const std::string one =
        Vbp({"Type=Exe", "Name=\"Orders\"", "Startup=\"frmMain\"", "ExeName32=\"Orders.exe\"",
             "CompatibleMode=\"0\"", "CondComp=\"DEBUG = 1\"", "MajorVer=1", "OptimizationType=0",
             "ThreadingModel=1"});
    const std::string two = Vbp({"Type=OleExe", "Name=\"Orders\"", "Startup=\"Sub Main\"",
                                 "ExeName32=\"ORDERS.EXE\"", "CompatibleMode=\"1\"", "MajorVer=2",
                                 "OptimizationType=0", "ThreadingModel=1", "Path32=\"bin\""});
    EXPECT_EQ(
        Differences(one, two),
        (Strings{"changed Type: Exe | OleExe", "changed Startup: \"frmMain\" | \"Sub Main\"",
                 "changed CompatibleMode: \"0\" | \"1\"", "removed CondComp: \"DEBUG = 1\" | ",
                 "changed MajorVer: 1 | 2", "added Path32:  | \"bin\""}));
    // The letter case of a path key counts when noise does.
    EXPECT_EQ(Differences(one, two, false).at(2),
              "changed ExeName32: \"Orders.exe\" | \"ORDERS.EXE\"");
}

TEST(CompareProjectFiles, RevisionVerIsNoiseWhenBothIncrementIt) {
    const std::string auto1 = Vbp({"Type=Exe", "RevisionVer=12", "AutoIncrementVer=1"});
    const std::string auto2 = Vbp({"Type=Exe", "RevisionVer=15", "AutoIncrementVer=1"});
    const std::string fixed = Vbp({"Type=Exe", "RevisionVer=15", "AutoIncrementVer=0"});
    EXPECT_EQ(Differences(auto1, auto2), Strings{});
    EXPECT_EQ(Differences(auto1, auto2, false), Strings{"changed RevisionVer: 12 | 15"});
    EXPECT_EQ(Differences(auto1, fixed),
              (Strings{"changed RevisionVer: 12 | 15", "changed AutoIncrementVer: 1 | 0"}));
}

TEST(CompareProjectFiles, TaskListAddInAndTransactionSectionsAreNoise) {
    const std::string one =
        Vbp({"Type=Exe", "[MS Transaction Server]", "AutoRefresh=1", "[VBCompiler]",
             "LinkSwitches=/OPT:REF", "[TaskList]", "Task1=x", "[SomeAddIn]", "Setting=1"});
    const std::string two =
        Vbp({"Type=Exe", "[VBCompiler]", "LinkSwitches=", "[SomeAddIn]", "Setting=2"});
    EXPECT_EQ(Differences(one, two), Strings{"changed [VBCompiler] LinkSwitches: /OPT:REF | "});
    EXPECT_EQ(Differences(one, two, false),
              (Strings{"removed [MS Transaction Server] AutoRefresh: 1 | ",
                       "changed [VBCompiler] LinkSwitches: /OPT:REF | ",
                       "removed [TaskList] Task1: x | ", "changed [SomeAddIn] Setting: 1 | 2"}));
}

TEST(CompareProjectFiles, AGroupsProjectsAndItsStartup) {
    const std::string one =
        test::CrLf({"VBGROUP 5.0", "StartupProject=App\\App.vbp", "Project=Lib\\Lib.vbp"});
    const std::string two = test::CrLf({"VBGROUP 5.0", "Project=App\\App.vbp",
                                        "StartupProject=Lib\\Lib.vbp", "Project=Tools\\Tools.vbp"});
    EXPECT_EQ(Differences(one, two, true, ProjectFileKind::Group),
              (Strings{"added Project Tools:  | Tools\\Tools.vbp",
                       "changed StartupProject: App\\App.vbp | Lib\\Lib.vbp"}));
}

TEST(CompareProjectFiles, AFileAgainstItselfHasNoDifferences) {
    const std::string text =
        Vbp({"Type=Exe", "Form=a.frm", "Form=a.frm", "Reference=*\\G{X}#1.0#0#x#X",
             "Reference=*\\G{X}#1.0#0#x#X", "Key=1", "Key=2", "[S]", "Key=3"});
    EXPECT_EQ(Differences(text, text, false), Strings{});
    EXPECT_EQ(Differences(text, text, true), Strings{});
}

}  // namespace
}  // namespace dualis::project
