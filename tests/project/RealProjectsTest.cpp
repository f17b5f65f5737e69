// Three real versions of a public project, kept read-only in the shared data folder: their
// folders, projects and group opened as sources, paired and compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ProjectCompare.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const fs::path Versions = fs::path(DUALIS_SHARED_DATA) / "projects/VbAsyncSocket";

class RealProjects : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::is_directory(Versions)) {
            GTEST_SKIP() << "The real project versions are not there: " << Versions;
        }
    }
    static fs::path V2020() { return Versions / "2020-10-11-5b94771"; }
    static fs::path V2022() { return Versions / "2022-10-24-a80b1db"; }
    static fs::path V2025() { return Versions / "2025-06-04-48e2bd6"; }
};

struct Compared {
    Source A, B;
    ProjectComparison Result;

    // The pair whose File 2 module (else File 1 module) has this relative path.
    const ModulePair& At(const std::string& path) const {
        for (const ModulePair& pair : Result.Modules) {
            const int f = pair.Module[1] >= 0 ? 1 : 0;
            if ((f == 1 ? B : A).Modules[pair.Module[f]].RelativePath == path) return pair;
        }
        ADD_FAILURE() << "no module at " << path;
        static const ModulePair none;
        return none;
    }
    // The differences of the project-file pair whose File 2 file (else File 1 file) has this path.
    Strings Differences(const std::string& path) const {
        for (const ProjectFilePair& pair : Result.ProjectFiles) {
            const int f = pair.File[1] >= 0 ? 1 : 0;
            if ((f == 1 ? B : A).ProjectFiles[pair.File[f]].RelativePath == path) {
                return test::DescribeDifferences(pair.Differences);
            }
        }
        ADD_FAILURE() << "no project file at " << path;
        return {};
    }
    ContentStatus ProjectFileStatus(const std::string& path) const {
        for (const ProjectFilePair& pair : Result.ProjectFiles) {
            const int f = pair.File[1] >= 0 ? 1 : 0;
            if ((f == 1 ? B : A).ProjectFiles[pair.File[f]].RelativePath == path) {
                return pair.Status;
            }
        }
        ADD_FAILURE() << "no project file at " << path;
        return ContentStatus::Unknown;
    }
};

Compared CompareSourcesAt(const fs::path& one, const fs::path& two) {
    Compared c{OpenSource(one), OpenSource(two), {}};
    EXPECT_EQ(c.A.Problem, "");
    EXPECT_EQ(c.B.Problem, "");
    c.Result = CompareSources(c.A, c.B, {});
    return c;
}

// The modules only File 2 has, as "Name path".
Strings Added(const Compared& c) {
    Strings added;
    for (const ModulePair& pair : c.Result.Modules) {
        if (pair.Module[0] < 0) {
            const ModuleEntry& m = c.B.Modules[pair.Module[1]];
            added.push_back(m.Name + " " + m.RelativePath);
        }
    }
    return added;
}

// Every pair kept its name and path and nothing was deleted.
void ExpectNothingMovedRenamedOrDeleted(const Compared& c) {
    for (const ModulePair& pair : c.Result.Modules) {
        EXPECT_EQ(pair.From, Origin::Same);
        EXPECT_NE(pair.Status, ContentStatus::Deleted);
    }
}

TEST_F(RealProjects, TwoVersionsOfTheFolderPairEveryModuleWhereItWas) {
    const Compared c = CompareSourcesAt(V2022(), V2025());
    EXPECT_TRUE(c.A.Notes.empty());
    EXPECT_EQ(c.A.Modules.size(), 36u);
    ExpectNothingMovedRenamedOrDeleted(c);
    // test/Winsock/Form3.frm calls itself Form2, like three other forms: paths tell them apart.
    EXPECT_EQ(Added(c),
              (Strings{"Form2 test/Winsock/Form3.frm", "frmRemaster test/Winsock/frmRemaster.frm",
                       "cClientCallback test/Winsock/cClientCallback.cls",
                       "cTlsRemaster contrib/cTlsRemaster.cls"}));
    EXPECT_EQ(c.At("test/Winsock/Form2.frm").Status, ContentStatus::Unknown);  // it changed
    EXPECT_EQ(c.At("test/Chat/frmClient.frm").Status, ContentStatus::Equal);
    EXPECT_EQ(c.At("src/cAsyncSocket.cls").Status, ContentStatus::Unknown);
    // Binary companions: changed, new beside a form that had none, the same.
    ASSERT_EQ(c.At("samples/Winsock-simple/Client/Form1.frm").Companions.size(), 1u);
    EXPECT_EQ(c.At("samples/Winsock-simple/Client/Form1.frm").Companions[0].Status,
              CompanionStatus::Different);
    ASSERT_EQ(c.At("test/Crypto/Form1.frm").Companions.size(), 1u);
    EXPECT_EQ(c.At("test/Crypto/Form1.frm").Companions[0].Status, CompanionStatus::Added);
    ASSERT_EQ(c.At("test/Chat/frmServer.frm").Companions.size(), 1u);
    EXPECT_EQ(c.At("test/Chat/frmServer.frm").Companions[0].Status, CompanionStatus::Equal);
}

TEST_F(RealProjects, TwoVersionsOfTheFolderCompareTheirProjectFiles) {
    const Compared c = CompareSourcesAt(V2022(), V2025());
    EXPECT_EQ(c.ProjectFileStatus("test/Winsock/Group3.vbg"), ContentStatus::Added);
    EXPECT_EQ(c.ProjectFileStatus("test/Winsock/Project3.vbp"), ContentStatus::Added);
    EXPECT_EQ(c.ProjectFileStatus("test/Chat/Project1.vbp"), ContentStatus::Equal);
    EXPECT_EQ(
        c.Differences("test/Winsock/Project1.vbp"),
        (Strings{"added Form frmRemaster:  | frmRemaster.frm",
                 "added Class cClientCallback:  | cClientCallback; cClientCallback.cls",
                 "added Class cTlsRemaster:  | cTlsRemaster; ..\\..\\contrib\\cTlsRemaster.cls"}));
    EXPECT_EQ(
        c.Differences("test/Basic/Project1.vbp"),
        Strings{"removed Reference {662901fc-6951-4854-9eb2-d9a2570f2b2e}: "
                "*\\G{662901FC-6951-4854-9EB2-D9A2570F2B2E}#5.1#0#..\\..\\..\\..\\..\\Windows\\"
                "system32\\winhttpcom.dll#Microsoft WinHTTP Services, version 5.1 | "});
    EXPECT_EQ(c.Differences("contrib/dll/HttpRequest.vbp"),
              (Strings{"changed Description: \"Http Request Replacement 1.0\" | "
                       "\"Http Request Replacement (1.0.7)\"",
                       "changed RevisionVer: 0 | 7",  // AutoIncrementVer=0: a real change
                       "changed VersionCompanyName: \"Unicontsoft\" | \"wqweto@gmail.com\"",
                       "changed VersionFileDescription: \"Http Request Replacement 1.0\" | "
                       "\"Http Request Replacement (1.0.7)\"",
                       "removed CondComp: \"ASYNCSOCKET_NO_TLSSERVER = 1\" | "}));
}

TEST_F(RealProjects, TheOldestVersionsToo) {
    const Compared c = CompareSourcesAt(V2020(), V2022());
    ExpectNothingMovedRenamedOrDeleted(c);
    EXPECT_EQ(Added(c).size(), 13u);
    EXPECT_EQ(c.Differences("test/Winsock/Project1.vbp"),
              Strings{"added ExeName32:  | \"Project1.exe\""});
}

TEST_F(RealProjects, ProjectsNamingFilesOutsideTheirFolder) {
    const Source source = OpenSource(V2025() / "contrib/dll/HttpRequest.vbp");
    EXPECT_EQ(source.Problem, "");
    EXPECT_EQ(source.Name, "HttpRequest");
    EXPECT_EQ(test::Listing(source), (Strings{"Module mdTlsThunks ../../src/mdTlsThunks.bas",
                                              "Class cAsyncSocket ../../src/cAsyncSocket.cls",
                                              "Class cHttpRequest ../cHttpRequest.cls",
                                              "Class cTlsSocket ../../src/cTlsSocket.cls"}));
    for (const ModuleEntry& m : source.Modules) EXPECT_EQ(m.Problem, "") << m.Name;
    EXPECT_TRUE(source.Notes.empty());

    const Compared c = CompareSourcesAt(V2022() / "contrib/dll/HttpRequest.vbp",
                                        V2025() / "contrib/dll/HttpRequest.vbp");
    ExpectNothingMovedRenamedOrDeleted(c);
    ASSERT_EQ(c.Result.ProjectFiles.size(), 1u);
    EXPECT_EQ(c.Result.ProjectFiles[0].Differences.size(), 5u);
}

TEST_F(RealProjects, AControlNamedFromTwoPlacesIsMoved) {
    const Compared c = CompareSourcesAt(V2025() / "contrib/dll/WinsockTls.vbp",
                                        V2025() / "test/Winsock/Project1.vbp");
    const ModulePair& control = c.At("../../contrib/ctxWinsock.ctl");
    EXPECT_EQ(control.From, Origin::Moved);
    EXPECT_EQ(control.OldPath, "../ctxWinsock.ctl");
    EXPECT_EQ(control.Status, ContentStatus::Equal);  // the same file
    EXPECT_EQ(c.At("../../src/cAsyncSocket.cls").From, Origin::Same);
}

TEST_F(RealProjects, TheGroupAndItsProjects) {
    const fs::path group = V2025() / "test/Winsock/Group3.vbg";
    const Source source = OpenSource(group);
    EXPECT_EQ(source.Problem, "");
    Strings files;
    for (const ProjectFile& f : source.ProjectFiles) files.push_back(f.RelativePath + " " + f.Name);
    EXPECT_EQ(files, (Strings{"Group3.vbg Group3", "Project3.vbp WinsockCompiled",
                              "../../contrib/dll/WinsockTls.vbp WinsockTls"}));
    EXPECT_EQ(test::Listing(source),
              (Strings{"Form Form2 Form3.frm", "Module mdTlsNative ../../src/mdTlsNative.bas",
                       "Class cAsyncSocket ../../src/cAsyncSocket.cls",
                       "Class cTlsSocket ../../src/cTlsSocket.cls",
                       "UserControl ctxWinsock ../ctxWinsock.ctl"}));

    const Compared same = CompareSourcesAt(group, group);
    for (const ProjectFilePair& pair : same.Result.ProjectFiles) {
        EXPECT_EQ(pair.Status, ContentStatus::Equal);
    }
    for (const ModulePair& pair : same.Result.Modules) EXPECT_EQ(pair.Status, ContentStatus::Equal);

    // The same projects named from elsewhere, in the other order, the other one starting.
    test::Tree tree;
    const fs::path other = tree.Write(
        "Other.vbg",
        test::CrLf({"VBGROUP 5.0",
                    "StartupProject=" + (V2025() / "contrib/dll/WinsockTls.vbp").string(),
                    "Project=" + (V2025() / "test/Winsock/Project3.vbp").string()}));
    const Compared moved = CompareSourcesAt(group, other);
    EXPECT_EQ(moved.B.Notes.size(), 2u);  // two absolute paths
    ASSERT_EQ(moved.Result.ProjectFiles.size(), 3u);
    const Strings differences = test::DescribeDifferences(moved.Result.ProjectFiles[0].Differences);
    ASSERT_EQ(differences.size(), 3u);
    EXPECT_TRUE(differences[0].starts_with("moved Project WinsockCompiled: Project3.vbp | /"));
    EXPECT_TRUE(differences[1].starts_with(
        "moved StartupProject WinsockTls: ..\\..\\contrib\\dll\\WinsockTls.vbp | /"));
    EXPECT_TRUE(differences[2].starts_with("changed StartupProject: Project3.vbp | /"));
    EXPECT_EQ(moved.Result.ProjectFiles[1].Status, ContentStatus::Equal);
    EXPECT_EQ(moved.Result.ProjectFiles[2].Status, ContentStatus::Equal);
    for (const ModulePair& pair : moved.Result.Modules) {
        EXPECT_EQ(pair.Status, ContentStatus::Equal);
    }
}

// A copy of the chat sample in which the server form is renamed, file and all.
void CopyWithRenamedForm(const fs::path& version, const test::Tree& tree) {
    fs::copy(version / "src", tree / "src", fs::copy_options::recursive);
    fs::create_directories(tree / "test");
    fs::copy(version / "test/Chat", tree / "test/Chat", fs::copy_options::recursive);
    const fs::path chat = tree / "test/Chat";
    fs::rename(chat / "frmServer.frm", chat / "frmListener.frm");
    fs::rename(chat / "frmServer.frx", chat / "frmListener.frx");
    for (const auto& entry : fs::directory_iterator(chat)) {
        if (entry.path().extension() == ".frx") continue;
        std::string text = dualis::test::ReadFile(entry.path().string());
        for (size_t at = text.find("frmServer"); at != std::string::npos;
             at = text.find("frmServer", at)) {
            text.replace(at, 9, "frmListener");
        }
        std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << text;
    }
}

TEST_F(RealProjects, ARenamedFormIsFoundByItsContent) {
    test::Tree tree;
    CopyWithRenamedForm(V2025(), tree);
    const Compared c =
        CompareSourcesAt(V2025() / "test/Chat/Project1.vbp", tree / "test/Chat/Project1.vbp");
    const ModulePair& form = c.At("frmListener.frm");
    EXPECT_EQ(form.From, Origin::Renamed);
    EXPECT_EQ(form.By, PairedBy::Content);
    EXPECT_EQ(form.OldName, "frmServer");
    EXPECT_EQ(form.OldPath, "frmServer.frm");
    ASSERT_EQ(form.Companions.size(), 1u);
    EXPECT_EQ(form.Companions[0].Status, CompanionStatus::Equal);
    EXPECT_EQ(c.At("../../src/cAsyncSocket.cls").Status, ContentStatus::Equal);
    EXPECT_EQ(c.At("cClientInfo.cls").Status, ContentStatus::Unknown);  // names the form
    EXPECT_EQ(c.Differences("Project1.vbp"), (Strings{"added Form frmListener:  | frmListener.frm",
                                                      "removed Form frmServer: frmServer.frm | "}));
}

}  // namespace
}  // namespace dualis::project
