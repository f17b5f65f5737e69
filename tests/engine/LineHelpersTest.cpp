#include <gtest/gtest.h>

#include "Normalise.h"
#include "Procedures.h"
#include "RawLoader.h"
#include "TestSupport.h"

namespace dualis {
namespace {

TEST(GetProcName, RecognisesHeaders) {
    EXPECT_EQ(GetProcName("Private Sub cmdOK_Click()"), "cmdOK_Click");
    EXPECT_EQ(GetProcName("Public Static Function Total(a As Long) As Long"), "Total");
    EXPECT_EQ(GetProcName("Public Property Get Caption() As String"), "Caption [PropertyGet]");
    EXPECT_EQ(GetProcName("Property Let Caption(v As String)"), "Caption [PropertyLet]");
    EXPECT_EQ(GetProcName("friend property set Picture(p)"), "Picture [PropertySet]");
    EXPECT_EQ(GetProcName("    Sub Indented()"), "Indented");
    EXPECT_EQ(GetProcName("Sub (x)"), "(x)");  // a parenthesis in front is not cut
    EXPECT_EQ(GetProcName("Private Sub Long_Header(a, _"), "Long_Header");
    EXPECT_EQ(GetProcName("Private Sub _"), "_");
}

TEST(GetProcName, RejectsOtherLines) {
    EXPECT_EQ(GetProcName("End Sub"), "");
    EXPECT_EQ(GetProcName("Dim x As Long"), "");
    EXPECT_EQ(GetProcName("Private Declare Function GetTickCount Lib \"kernel32\" () As Long"), "");
    EXPECT_EQ(GetProcName("Public Event Changed()"), "");
    EXPECT_EQ(GetProcName("Set x = Nothing"), "");
    EXPECT_EQ(GetProcName("Get #1, , rec"), "");
    EXPECT_EQ(GetProcName("'Sub Commented()"), "");
    EXPECT_EQ(GetProcName("\tSub Tabbed()"), "");
    EXPECT_EQ(GetProcName("Private  Sub TwoBlanks()"), "");
    EXPECT_EQ(GetProcName("Sub  TwoBlanks()"), "");
    EXPECT_EQ(GetProcName("Sub"), "");
    EXPECT_EQ(GetProcName(""), "");
    EXPECT_EQ(GetProcName("Private Public Static Friend Property Sub TooLate()"), "");
}

TEST(GetProcName, FollowsItsStepsWhereTheyAreSurprising) {
    // An empty word after Get is still a name, so the suffix alone is the name.
    EXPECT_EQ(GetProcName("Property Get  Caption()"), " [PropertyGet]");
    // Get as the first word is passed over.
    EXPECT_EQ(GetProcName("Get Sub Odd()"), "Odd");
    EXPECT_EQ(GetProcName("Public Public Public Public Sub Fifth()"), "Fifth");
}

TEST(UnComment, WholeLineCommentsOnly) {
    EXPECT_EQ(UnComment("' note"), "");
    EXPECT_EQ(UnComment("   ' indented"), "");
    EXPECT_EQ(UnComment("// slashes"), "");
    EXPECT_EQ(UnComment("Rem"), "");
    EXPECT_EQ(UnComment("rEm text"), "");
    EXPECT_EQ(UnComment("Remark = 1"), "Remark = 1");
    EXPECT_EQ(UnComment("x = 1 ' trailing"), "x = 1 ' trailing");
    EXPECT_EQ(UnComment("\t' tab is no blank"), "\t' tab is no blank");
    EXPECT_EQ(UnComment("   "), "   ");
}

TEST(Blanks, LeadingAndTrailingCounts) {
    EXPECT_EQ(GetLeadingBlanks("  ab "), 2);
    EXPECT_EQ(GetTrailingBlanks("  ab "), 1);
    EXPECT_EQ(GetLeadingBlanks("    "), 0);  // all blanks count as none
    EXPECT_EQ(GetTrailingBlanks("    "), 0);
    EXPECT_EQ(GetLeadingBlanks("\tab"), 0);
    EXPECT_EQ(GetLeadingBlanks(""), 0);
}

TEST(HashLine, IgnoresOrder) {
    EXPECT_EQ(HashLine("ab"), HashLine("ba"));
    EXPECT_EQ(HashLine(""), 0);
}

TEST(SplitFileName, Examples) {
    std::string path, base, ext;
    SplitFileName("/src/Form1.frm", path, base, ext);
    EXPECT_EQ(path, "/src/");
    EXPECT_EQ(base, "Form1");
    EXPECT_EQ(ext, "frm");
    SplitFileName("  Module1.bas ", path, base, ext);
    EXPECT_EQ(path, "Module1.bas");
    EXPECT_EQ(base, "Module1");
    EXPECT_EQ(ext, "bas");
    SplitFileName("/src/Makefile", path, base, ext);
    EXPECT_EQ(base, "Makefile");
    EXPECT_EQ(ext, "");
    SplitFileName("/src/a.b.cls", path, base, ext);
    EXPECT_EQ(base, "a.b");
    EXPECT_EQ(ext, "cls");
    SplitFileName("/src/", path, base, ext);
    EXPECT_EQ(path, "/src/");
    EXPECT_EQ(base, "");
}

TEST(FileExists, OrdinaryVisibleFilesOnly) {
    test::TempDir dir;
    const std::string file = dir.Write("Form1.frm", "x");
    dir.Write(".hidden.frm", "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir.Path().string() + "/"));
    EXPECT_FALSE(FileExists(dir.Path().string()));
    EXPECT_FALSE(FileExists((dir.Path() / ".hidden.frm").string()));
    EXPECT_FALSE(FileExists((dir.Path() / ".bas").string()));
    EXPECT_FALSE(FileExists((dir.Path() / "*.frm").string()));
    EXPECT_FALSE(FileExists((dir.Path() / "Form?.frm").string()));
    EXPECT_FALSE(FileExists((dir.Path() / "missing.frm").string()));
}

TEST(FileExists, BareNameIsLookedUpInTheCurrentFolder) {
    test::TempDir dir;
    dir.Write("Here.bas", "x");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    EXPECT_TRUE(FileExists("Here.bas"));
    EXPECT_FALSE(FileExists("There.bas"));
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace dualis
