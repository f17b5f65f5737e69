#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "AppInfo.h"
#include "TestSupport.h"
#include "Window.h"
#include "WritableFolder.h"

namespace dualis {
namespace {

TEST(JumpToURL, EncodesTheMessageOnly) {
    EXPECT_EQ(JumpURLText("mailto:x@example.org", "Error in Dualis", "a b, c."),
              "mailto:x@example.org?subject=Error in Dualis&body=a%20b%2C%20c%2E");
    EXPECT_EQ(JumpURLText("mailto:x", "", "q?:;"), "mailto:x&body=q%3F%3A%3B");
    EXPECT_EQ(JumpURLText("https://example.org", "", ""), "https://example.org");
    std::string opened;
    cAppInfo info;
    info.JumpToURL("u", "s", "m");  // no opener: nothing happens
    info.UrlOpener = [&](const std::string& url) { opened = url; };
    info.JumpToURL("u", "s", "m");
    EXPECT_EQ(opened, "u?subject=s&body=m");
}

TEST(AppInfo, VersionTextShape) {
    const cAppInfo info;
    const std::string version = info.AppVersion();
    EXPECT_EQ(version.rfind("1.0.0 (", 0), 0u);
    EXPECT_EQ(version, "1.0.0 (" + info.AppDateTime() + ")");
}

TEST(WinVersion, TextShapeFromTheRelease) {
    EXPECT_EQ(VersionText("Linux", "6.1.0-18-amd64", "#1 SMP"),
              " Linux Version 6.1 Build 0 18-amd64");
    EXPECT_EQ(VersionText("Linux", "6.18.44", "#1 SMP"), " Linux Version 6.18 Build 44 #1 SMP");
    EXPECT_EQ(VersionText("Linux", "6.18.44", ""), " Linux Version 6.18 Build 44");
    EXPECT_EQ(cWindow().WinVersion().rfind(" ", 0), 0u);
}

TEST(GetTempFile, MakesANewFileWithThePrefix) {
    const std::string a = cWindow().GetTempFile("dlt");
    const std::string b = cWindow().GetTempFile("dlt");
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(std::filesystem::path(a).filename().string().rfind("dlt", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(a));
    std::filesystem::remove(a);
    std::filesystem::remove(b);
}

// XDG_DATA_HOME for one test, put back as it was afterwards.
class DataHome {
  public:
    explicit DataHome(const std::filesystem::path& folder) {
        if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~DataHome() {
        if (old_) {
            setenv("XDG_DATA_HOME", old_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

  private:
    std::optional<std::string> old_;
};

TEST(WritableFolder, IsTheProgramsFolderWhenItCanBeWritten) {
    const test::TempDir dir;
    const DataHome home(dir.Path() / "data");
    std::string problem = "left from before";
    EXPECT_EQ(WritableFolder(dir.Path(), &problem), dir.Path());
    EXPECT_EQ(problem, "");
    // Nothing is made in the data folder then.
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "data"));
}

TEST(WritableFolder, ElseTheUserDataFolderIsMadeWhereItIsMissing) {
    const test::TempDir dir;
    const DataHome home(dir.Path() / "not" / "yet");
    // A program folder that cannot be written, as an installed program's.
    const std::filesystem::path installed = dir.Path() / "usr" / "bin";
    std::string problem;
    const std::filesystem::path folder = WritableFolder(installed, &problem);
    EXPECT_EQ(folder, dir.Path() / "not" / "yet" / "Dualis");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(problem, "");
    // Made once, it is simply used.
    dir.Write("not/yet/Dualis/kept.txt", "x");
    EXPECT_EQ(WritableFolder(installed, &problem), folder);
    EXPECT_EQ(test::ReadFile((folder / "kept.txt").string()), "x");
    // No program folder known: the data folder too.
    EXPECT_EQ(WritableFolder({}), folder);
}

TEST(WritableFolder, SaysWhyTheDataFolderCannotBeMade) {
    const test::TempDir dir;
    dir.Write("file", "");
    const DataHome home(dir.Path() / "file" / "data");
    std::string problem;
    const std::filesystem::path folder = WritableFolder(dir.Path() / "missing", &problem);
    EXPECT_EQ(folder, dir.Path() / "file" / "data" / "Dualis");
    EXPECT_NE(problem, "");
    EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace dualis
