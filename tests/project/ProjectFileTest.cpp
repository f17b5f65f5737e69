// Reading project files and project groups: members of every kind, line ends, encodings, and
// texts that are not project files at all.
#include <gtest/gtest.h>

#include "ProjectFile.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

using Strings = std::vector<std::string>;

Strings MemberLines(const ProjectFile& file) {
    Strings lines;
    for (const Member& m : file.Members) lines.push_back(m.Key + "|" + m.Name + "|" + m.Path);
    return lines;
}

TEST(ParseProjectText, EveryKindOfMemberWithItsNameAndPath) {
    const ProjectFile file = ParseProjectText(
        "Type=Exe\n"
        "Form=frmMain.frm\n"
        "Module=modMain; CODIGO\\modMain.bas\n"
        "Class=cOrder;..\\src\\cOrder.cls\n"
        "UserControl=ctl\\ucGrid.ctl\n"
        "PropertyPage=ppGeneral.pag\n"
        "UserDocument=udHome.dob\n"
        "Designer=DataEnvironment1.dsr\n"
        "RelatedDoc=..\\docs\\notes.txt\n"
        "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE Automation\n"
        "ResFile32=\"App.res\"\n"
        "Name=\"Orders\"\n",
        ProjectFileKind::Project);
    EXPECT_EQ(file.Problem, "");
    EXPECT_EQ(MemberLines(file),
              (Strings{"Form|frmMain|frmMain.frm", "Module|modMain|CODIGO\\modMain.bas",
                       "Class|cOrder|..\\src\\cOrder.cls", "UserControl|ucGrid|ctl\\ucGrid.ctl",
                       "PropertyPage|ppGeneral|ppGeneral.pag", "UserDocument|udHome|udHome.dob",
                       "Designer|DataEnvironment1|DataEnvironment1.dsr",
                       "RelatedDoc|notes|..\\docs\\notes.txt"}));
    EXPECT_EQ(file.Members[2].RelativePath, "../src/cOrder.cls");
    EXPECT_EQ(file.Name, "Orders");
    EXPECT_EQ(file.Settings.size(), 12u);
    EXPECT_EQ(file.Settings[10].Key, "ResFile32");
    EXPECT_EQ(file.Settings[10].Value, "\"App.res\"");
}

TEST(ParseProjectText, CrOnlyCrLfAndLfLinesReadAlike) {
    const std::string lines[] = {"Type=Exe", "Module=modA; a.bas", "", "[MS Transaction Server]",
                                 "AutoRefresh=1"};
    for (const std::string end : {"\r", "\r\n", "\n"}) {
        std::string text;
        for (const std::string& line : lines) text += line + end;
        const ProjectFile file = ParseProjectText(text, ProjectFileKind::Project);
        ASSERT_EQ(file.Problem, "") << "line end " << end.size();
        ASSERT_EQ(file.Settings.size(), 3u);
        EXPECT_EQ(file.Settings[1].Value, "modA; a.bas");
        EXPECT_EQ(file.Settings[2].Section, "MS Transaction Server");
        EXPECT_EQ(file.Settings[2].Key, "AutoRefresh");
        EXPECT_EQ(file.Members.size(), 1u);
    }
}

TEST(ParseProjectText, SectionKeysAreNotMembers) {
    const ProjectFile file = ParseProjectText("Type=OleDll\r\n[Add-In]\r\nForm=not a member\r\n",
                                              ProjectFileKind::Project);
    EXPECT_TRUE(file.Members.empty());
    EXPECT_EQ(file.Settings.back().Section, "Add-In");
}

TEST(ParseProjectText, Windows1252NamesAreDecoded) {
    const ProjectFile file = ParseProjectText(
        "Type=Exe\r\nModule=M\xF3"
        "dulo; C\xF3"
        "digo\\M\xF3"
        "dulo.bas\r\n",
        ProjectFileKind::Project);
    ASSERT_EQ(file.Members.size(), 1u);
    EXPECT_EQ(file.Members[0].Name,
              "M\xC3\xB3"
              "dulo");
    EXPECT_EQ(file.Members[0].RelativePath,
              "C\xC3\xB3"
              "digo/M\xC3\xB3"
              "dulo.bas");
}

TEST(ParseProjectText, TextThatIsNotAProjectFileSaysSo) {
    EXPECT_EQ(ParseProjectText(test::BasText("modA"), ProjectFileKind::Project).Problem,
              "It is not a Visual Basic project file: it has no Type= line.");
    EXPECT_EQ(ParseProjectText("", ProjectFileKind::Project).Problem,
              "It is not a Visual Basic project file: it has no Type= line.");
    EXPECT_EQ(ParseProjectText("[Section]\nType=Exe\n", ProjectFileKind::Project).Problem,
              "It is not a Visual Basic project file: it has no Type= line.");
    EXPECT_EQ(ParseProjectText(std::string("Type=Exe\0\x01", 10), ProjectFileKind::Project).Problem,
              "It is not a text file.");
    const ProjectFile group = ParseProjectText("Type=Exe\nProject=a.vbp\n", ProjectFileKind::Group);
    EXPECT_EQ(group.Problem,
              "It is not a Visual Basic project group: it does not start with VBGROUP.");
    EXPECT_TRUE(group.Members.empty());
    EXPECT_TRUE(group.Settings.empty());
}

TEST(ParseProjectText, AGroupListsItsProjects) {
    const ProjectFile group = ParseProjectText(
        "VBGROUP 5.0\r\nStartupProject=App\\App.vbp\r\nProject=..\\Lib\\Lib.vbp\r\n",
        ProjectFileKind::Group);
    EXPECT_EQ(group.Problem, "");
    EXPECT_EQ(group.Header, "VBGROUP 5.0");
    EXPECT_EQ(MemberLines(group),
              (Strings{"StartupProject|App|App\\App.vbp", "Project|Lib|..\\Lib\\Lib.vbp"}));
}

TEST(ParseProjectText, AWorkspaceIsATableWithoutMembers) {
    const ProjectFile file = ParseProjectText("frmMain = 22, 22, 600, 400, , 0, 0, 0, 0, C\r\n",
                                              ProjectFileKind::Workspace);
    EXPECT_EQ(file.Problem, "");
    ASSERT_EQ(file.Settings.size(), 1u);
    EXPECT_EQ(file.Settings[0].Key, "frmMain");
    EXPECT_TRUE(file.Members.empty());
}

TEST(ReadProjectFile, AFileThatCannotBeReadIsNamedWithItsReason) {
    test::Tree tree;
    const ProjectFile missing = ReadProjectFile(tree / "none.vbp", ProjectFileKind::Project);
    EXPECT_FALSE(missing.Problem.empty());
    EXPECT_EQ(missing.Name, "none");
    std::filesystem::create_directories(tree / "dir.vbp");
    EXPECT_EQ(ReadProjectFile(tree / "dir.vbp", ProjectFileKind::Project).Problem,
              "It is not a regular file.");
}

TEST(Unquote, OnePairOfQuotesGoes) {
    EXPECT_EQ(Unquote("\"Project1\""), "Project1");
    EXPECT_EQ(Unquote("\"\""), "");
    EXPECT_EQ(Unquote("\""), "\"");
    EXPECT_EQ(Unquote("plain"), "plain");
}

}  // namespace
}  // namespace dualis::project
