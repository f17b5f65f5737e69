// Bad input for a comparison of projects or folders: each gives a plain message or a reason
// listed beside its module, the rest is still compared, and the program ends with status 2;
// nothing hangs and nothing crashes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "RunDualis.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using project::test::BasText;
using project::test::CrLf;
using project::test::Tree;
using test::Outcome;

std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    }
    return out;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

Outcome Report(const fs::path& one, const fs::path& two) {
    return test::RunDualis({"--report", one.string(), two.string()});
}

TEST(ProjectInput, AProjectFileThatIsNotOneIsRefused) {
    Tree tree;
    const fs::path bad = tree.Write("Notes.vbp", "Meeting notes\r\nnothing here\r\n");
    const fs::path good = tree.Write("App/App.vbp", CrLf({"Type=Exe"}));
    const Outcome run = Report(bad, good);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to open File 1\n" + bad.string() +
                           "\nIt is not a Visual Basic project file: it has no Type= line.\n");
    EXPECT_EQ(run.Out, "");
    // Within a folder, the same file is listed with its reason and the rest compared.
    const Outcome folders = Report(tree.Path(), tree.Path());
    EXPECT_EQ(folders.Status, 2);
    EXPECT_TRUE(Has(Squeezed(folders.Out),
                    "\n unreadable Notes.vbp\n File 1: It is not a Visual "
                    "Basic project file: it has no Type= line.\n"))
        << folders.Out;
    EXPECT_TRUE(Has(Squeezed(folders.Out), "\n equal App/App.vbp\n")) << folders.Out;
}

TEST(ProjectInput, MemberPathsThatClimbOutOrAreAbsolute) {
    Tree tree;
    tree.Write("lib/modLib.bas", BasText("modLib"));
    std::string climbing;
    for (int k = 0; k < 40; ++k) climbing += "..\\";
    const fs::path one = tree.Write(
        "app/one/App.vbp",
        CrLf({"Type=Exe", "Module=modLib; ..\\..\\lib\\modLib.bas",
              "Module=modDeep; " + climbing + "gone.bas", "Module=modDrive; C:\\VB\\modDrive.bas",
              "Module=modShare; \\\\server\\share\\modShare.bas"}));
    const fs::path two =
        tree.Write("app/two/App.vbp",
                   CrLf({"Type=Exe", "Module=modLib; " + (tree / "lib/modLib.bas").string()}));
    const Outcome run = Report(one, two);
    EXPECT_EQ(run.Status, 2);
    const std::string out = Squeezed(run.Out);
    EXPECT_TRUE(Has(out, "\n Module modLib moved 0 0 0 0 ../../lib/modLib.bas " +
                             (tree / "lib/modLib.bas").string() + "\n"))
        << run.Out;
    EXPECT_TRUE(Has(out, "\n Module modDeep unreadable")) << run.Out;
    EXPECT_TRUE(Has(out,
                    "\n Module modDrive unreadable C:/VB/modDrive.bas -\n File 1: The file "
                    "does not exist.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out,
                    "File 1: App.vbp: Module=modDrive; C:\\VB\\modDrive.bas names an "
                    "absolute path.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out,
                    "File 1: App.vbp: Module=modShare; \\\\server\\share\\modShare.bas names "
                    "an absolute path.\n"))
        << run.Out;
}

TEST(ProjectInput, GroupsThatNameEachOtherAreNotFollowed) {
    Tree tree;
    tree.Write("App.vbp", CrLf({"Type=Exe", "Name=\"App\""}));
    const fs::path one = tree.Write("One.vbg", CrLf({"VBGROUP 5.0", "StartupProject=App.vbp",
                                                     "Project=Two.vbg", "Project=One.vbg"}));
    const fs::path two =
        tree.Write("Two.vbg", CrLf({"VBGROUP 5.0", "StartupProject=App.vbp", "Project=One.vbg"}));
    const Outcome run = Report(one, two);
    EXPECT_LT(run.Status, 2) << run.Err;
    EXPECT_TRUE(Has(run.Out,
                    "File 1: One.vbg: Project=Two.vbg names a project group; a group "
                    "lists projects only, so it is not opened.\n"))
        << run.Out;
    EXPECT_TRUE(Has(run.Out, "File 2: Two.vbg: Project=One.vbg names a project group")) << run.Out;
    // A folder holding both compares them as project files, by their settings.
    EXPECT_EQ(Report(tree.Path(), tree.Path()).Status, 0);
}

TEST(ProjectInput, ModulesThatCannotBeReadAreListedWithTheirReason) {
    Tree one, two;
    for (const Tree* t : {&one, &two}) t->Write("modGood.bas", BasText("modGood"));
    one.Write("binary.bas", std::string("MZ\x90\0\x03\0\0\0", 8));
    fs::resize_file(one.Write("huge.bas", ""), (int64_t{64} << 20) + 1);  // sparse
    ASSERT_EQ(::mkfifo((one / "pipe.bas").c_str(), 0600), 0);
    fs::create_directory(one / "folder.bas");
    // A project names members that are links: to nothing, and to each other.
    fs::create_symlink(two / "nowhere.bas", two / "dangling.bas");
    fs::create_symlink(two / "loopB.bas", two / "loopA.bas");
    fs::create_symlink(two / "loopA.bas", two / "loopB.bas");
    const fs::path project = two.Write("App.vbp", CrLf({"Type=Exe", "Module=modGood; modGood.bas",
                                                        "Module=modDangling; "
                                                        "dangling.bas",
                                                        "Module=modLoop; loopA.bas"}));
    Outcome run = Report(one.Path(), project);
    EXPECT_EQ(run.Status, 2) << run.Err;
    EXPECT_EQ(run.Err, "");
    const std::string out = Squeezed(run.Out);
    EXPECT_TRUE(Has(out,
                    "\n Module binary unreadable binary.bas -\n File 1: It is not a text "
                    "file.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out,
                    "\n Module huge unreadable huge.bas -\n File 1: The file is larger than "
                    "67,108,864 bytes.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out,
                    "\n Module pipe unreadable pipe.bas -\n File 1: It is not a regular "
                    "file.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out, "\n Module modDangling unreadable - dangling.bas\n File 2: ")) << run.Out;
    EXPECT_TRUE(Has(out, "\n Module modLoop unreadable - loopA.bas\n File 2: ")) << run.Out;
    EXPECT_TRUE(Has(out, "\n Module modGood equal 0 0 0 0 modGood.bas modGood.bas\n")) << run.Out;
    EXPECT_FALSE(Has(out, "folder.bas")) << run.Out;

    // The same in JSON: the reasons with their modules, the status in the summary.
    run = test::RunDualis({"--format=json", one.Path().string(), project.string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Has(run.Out,
                    "\"status\":\"unreadable\",\"parsed\":false,\"problem\":\"File 1: It "
                    "is not a regular file.\""))
        << run.Out;
    EXPECT_TRUE(Has(run.Out, "\"trouble\":true,\"exitStatus\":2}")) << run.Out;
}

TEST(ProjectInput, SymbolicLinksInAFolderAreListedNeverFollowed) {
    Tree one, two;
    for (const Tree* t : {&one, &two}) t->Write("src/modA.bas", BasText("modA"));
    fs::create_directory_symlink(one.Path(), one / "src/up");  // a loop to the top
    fs::create_directory_symlink(one / "src", one / "again");
    fs::create_symlink(one / "self.bas", one / "self.bas");
    fs::create_symlink(one / "src/modA.bas", one / "copy.bas");
    const Outcome run = Report(one.Path(), two.Path());
    EXPECT_EQ(run.Status, 2);
    const std::string out = Squeezed(run.Out);
    EXPECT_TRUE(Has(out,
                    "\n Module copy unreadable copy.bas -\n File 1: It is a symbolic link; "
                    "links in a folder are not followed.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out, "\n Module self unreadable self.bas -\n")) << run.Out;
    EXPECT_TRUE(Has(out, "File 1: again is a symbolic link to a folder; it is not followed.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out, "File 1: src/up is a symbolic link to a folder; it is not followed.\n"))
        << run.Out;
    EXPECT_TRUE(Has(out, "\n Module modA equal 0 0 0 0 src/modA.bas src/modA.bas\n")) << run.Out;
}

TEST(ProjectInput, AFolderOfAHundredThousandFiles) {
    Tree one, two;
    fs::create_directories(one / "many");
    for (int k = 0; k < 100000; ++k) {
        const std::string name = (one / "many" / std::to_string(k)).string() + ".txt";
        const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    for (const Tree* t : {&one, &two}) t->Write("modA.bas", BasText("modA"));
    const Outcome run = Report(one.Path(), two.Path());
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(Has(run.Out, "Modules: 1 equal, 0 changed")) << run.Out;
}

TEST(ProjectInput, AFolderThatCannotBeListedIsNoted) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser lists any folder";
    Tree one, two;
    for (const Tree* t : {&one, &two}) t->Write("modA.bas", BasText("modA"));
    one.Write("closed/modB.bas", BasText("modB"));
    fs::permissions(one / "closed", fs::perms::none);
    const Outcome run = Report(one.Path(), two.Path());
    fs::permissions(one / "closed", fs::perms::owner_all);
    EXPECT_TRUE(Has(run.Out, "File 1: The folder closed cannot be listed: Permission denied."))
        << run.Out;
}

}  // namespace
}  // namespace dualis
