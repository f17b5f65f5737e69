// Paths as Windows projects write them, found on a case-sensitive file system.
#include <gtest/gtest.h>

#include "PathResolve.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

TEST(NormalisePath, BackslashesDotsAndClimbing) {
    EXPECT_EQ(NormalisePath("..\\..\\src\\.\\a.cls"), "../../src/a.cls");
    EXPECT_EQ(NormalisePath("sub\\..\\a.bas"), "a.bas");
    EXPECT_EQ(NormalisePath("sub\\\\deeper/a.bas"), "sub/deeper/a.bas");
    EXPECT_EQ(NormalisePath("..\\sub\\..\\..\\a.bas"), "../../a.bas");
    EXPECT_EQ(NormalisePath("C:\\VB\\..\\a.bas"), "C:/a.bas");
    EXPECT_EQ(NormalisePath("\\\\server\\share\\a.bas"), "//server/share/a.bas");
    EXPECT_EQ(NormalisePath("/a/../../b.bas"), "/b.bas");
}

TEST(FoldPath, LetterCaseAndSeparatorsDoNotCount) {
    EXPECT_EQ(FoldPath("CODIGO\\frmMain.FRM"), FoldPath("codigo/FRMMAIN.frm"));
    EXPECT_EQ(FoldName("\xC3\x89T\xC3\x89"), "\xC3\xA9t\xC3\xA9");  // ÉTÉ in UTF-8
    EXPECT_EQ(FoldName("\xC9T\xC9"), "\xC3\xA9t\xC3\xA9");          // the same in Windows-1252
}

TEST(IsAbsoluteWrittenPath, EveryFormOfAbsolutePath) {
    for (const char* path : {"C:\\x.bas", "c:x.bas", "\\x.bas", "\\\\server\\x.bas", "/x.bas"}) {
        EXPECT_TRUE(IsAbsoluteWrittenPath(path)) << path;
    }
    for (const char* path : {"x.bas", "..\\x.bas", "sub\\x.bas", ""}) {
        EXPECT_FALSE(IsAbsoluteWrittenPath(path)) << path;
    }
}

TEST(FolderIndexResolve, CaseMangledPathsAreFoundAndSpelledAsOnDisk) {
    test::Tree tree;
    tree.Write("codigo/FRMMAIN.FRM", "x");
    FolderIndex index;
    const ResolvedPath found = index.Resolve(tree.Path(), "CODIGO\\frmMain.frm");
    EXPECT_TRUE(found.Found);
    EXPECT_FALSE(found.Absolute);
    EXPECT_EQ(found.RelativePath, "codigo/FRMMAIN.FRM");
    EXPECT_EQ(found.FullPath, tree / "codigo/FRMMAIN.FRM");
}

TEST(FolderIndexResolve, TheExactNameWinsOverAnotherCase) {
    test::Tree tree;
    tree.Write("A.bas", "upper");
    tree.Write("a.bas", "lower");
    FolderIndex index;
    EXPECT_EQ(index.Resolve(tree.Path(), "a.bas").RelativePath, "a.bas");
    EXPECT_EQ(index.Resolve(tree.Path(), "A.bas").RelativePath, "A.bas");
    EXPECT_EQ(index.Resolve(tree.Path(), "A.BAS").RelativePath, "A.bas");  // first in byte order
}

TEST(FolderIndexResolve, ClimbingOutOfTheProjectFolder) {
    test::Tree tree;
    tree.Write("src/cSocket.cls", "x");
    std::filesystem::create_directories(tree / "contrib/dll");
    FolderIndex index;
    const ResolvedPath found = index.Resolve(tree / "contrib/dll", "..\\..\\SRC\\csocket.cls");
    EXPECT_TRUE(found.Found);
    EXPECT_EQ(found.RelativePath, "../../src/cSocket.cls");
    EXPECT_EQ(found.FullPath, tree / "src/cSocket.cls");
}

TEST(FolderIndexResolve, AMissingPartKeepsTheRestAsWritten) {
    test::Tree tree;
    std::filesystem::create_directories(tree / "Sub");
    FolderIndex index;
    const ResolvedPath missing = index.Resolve(tree.Path(), "sub\\Gone\\x.bas");
    EXPECT_FALSE(missing.Found);
    EXPECT_EQ(missing.RelativePath, "Sub/Gone/x.bas");
}

TEST(FolderIndexResolve, AbsolutePaths) {
    test::Tree tree;
    tree.Write("abs/x.bas", "x");
    FolderIndex index;
    const ResolvedPath unix = index.Resolve(tree / "elsewhere", (tree / "ABS/X.bas").string());
    EXPECT_TRUE(unix.Found);
    EXPECT_TRUE(unix.Absolute);
    EXPECT_EQ(unix.FullPath, tree / "abs/x.bas");
    EXPECT_EQ(unix.RelativePath, (tree / "abs/x.bas").generic_string());
    // A drive is never looked for here, and never taken from the current folder.
    const ResolvedPath drive = index.Resolve(tree.Path(), "C:\\VB\\x.bas");
    EXPECT_FALSE(drive.Found);
    EXPECT_TRUE(drive.Absolute);
    EXPECT_EQ(drive.RelativePath, "C:/VB/x.bas");
}

TEST(FolderIndexResolve, Windows1252NamesMeetUtf8NamesOnDisk) {
    test::Tree tree;
    tree.Write(
        "M\xC3\xB3"
        "dulo.bas",
        "utf-8 name");                            // as an archive tool would unpack it
    tree.Write("R\xE9sum\xE9.bas", "raw bytes");  // as copied byte for byte
    FolderIndex index;
    EXPECT_EQ(index
                  .Resolve(tree.Path(),
                           "M\xF3"
                           "DULO.bas")
                  .FullPath,
              tree /
                  "M\xC3\xB3"
                  "dulo.bas");
    const ResolvedPath raw = index.Resolve(tree.Path(), "r\xC3\xA9sum\xC3\xA9.BAS");
    EXPECT_TRUE(raw.Found);
    EXPECT_EQ(raw.FullPath, tree / "R\xE9sum\xE9.bas");
    EXPECT_EQ(raw.RelativePath, "R\xC3\xA9sum\xC3\xA9.bas");  // decoded for the user
}

}  // namespace
}  // namespace dualis::project
