#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(FileExists, AnyReadableRegularFileWhateverItsName) {
    test::TempDir dir;
    for (const std::string name :
         {"Form1.frm", ".hidden.frm", ".bas", "*.frm", "Form?.frm", "[a-z].bas", " blank.bas"}) {
        const std::string file = dir.Write(name, "x");
        EXPECT_TRUE(FileExists(file)) << name;
        EXPECT_EQ(FileRefusal(file), "") << name;
    }
}

TEST(FileRefusal, SaysWhyANameCannotBeCompared) {
    test::TempDir dir;
    const std::string file = dir.Write("Form1.frm", "x");
    const std::string fifo = (dir.Path() / "pipe.frm").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"", "No such file or directory"},
        {(dir.Path() / "missing.frm").string(), "No such file or directory"},
        {(dir.Path() / "*.frm").string(), "No such file or directory"},  // no pattern
        {file + "/", "Not a directory"},
        {dir.Path().string(), "It is a folder."},
        {dir.Path().string() + "/", "It is a folder."},
        {fifo, "It is not a regular file."},
        {"/dev/null", "It is not a regular file."},
    };
    for (const auto& [name, reason] : cases) {
        EXPECT_EQ(FileRefusal(name), reason) << name;
        EXPECT_FALSE(FileExists(name)) << name;
    }
    EXPECT_EQ(UnableToOpenMessage(1, dir.Path().string()),
              "Unable to open File 2\n" + dir.Path().string() + "\nIt is a folder.");
    EXPECT_EQ(UnableToOpenMessage(0, fifo, "\r\n"),
              "Unable to open File 1\r\n" + fifo + "\r\nIt is not a regular file.");
    EXPECT_EQ(UnableToOpenMessage(0, file), "");
    if (::geteuid() != 0) {  // the superuser reads every file
        ASSERT_EQ(::chmod(file.c_str(), 0), 0);
        EXPECT_EQ(FileRefusal(file), "Permission denied");
    }
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
