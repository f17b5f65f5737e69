// The POSIX side of the system layer: file identity across names, the opening rules the engine
// relies on, names as UTF-8, and which settings names are bare.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "OsFacts.h"
#include "OsFiles.h"
#include "TestSupport.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(OsFiles, IdentityFollowsLinksAndDiffersBetweenFiles) {
    TempDir dir;
    const fs::path a = dir.Write("a.bas", "x"), b = dir.Write("b.bas", "yy");
    const fs::path link = dir.Path() / "l";
    fs::create_symlink(a, link);
    os::FileStatus sa, sb, sl;
    ASSERT_TRUE(os::StatusOfName(a.string(), sa));
    ASSERT_TRUE(os::StatusOfName(b.string(), sb));
    ASSERT_TRUE(os::StatusOfName(link.string(), sl));
    EXPECT_TRUE(sa.Regular && !sa.Folder);
    EXPECT_EQ(sa.Size, 1);
    EXPECT_EQ(sa.Device, sl.Device);
    EXPECT_EQ(sa.Index, sl.Index);
    EXPECT_NE(sa.Index, sb.Index);
    os::FileStatus folder;
    ASSERT_TRUE(os::StatusOfName(dir.Path().string(), folder));
    EXPECT_TRUE(folder.Folder && !folder.Regular);
    os::FileStatus missing;
    EXPECT_FALSE(os::StatusOfName((dir.Path() / "none").string(), missing));
    EXPECT_EQ(errno, ENOENT);
}

TEST(OsFiles, AppendingNeitherWaitsForAFifoNorKeepsItsDescriptorNonBlocking) {
    TempDir dir;
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // No reader: refused at once instead of waiting for one.
    EXPECT_LT(os::OpenForAppending(fifo), 0);
    EXPECT_EQ(errno, ENXIO);
    // Reading does not wait for a writer either.
    const int reader = os::OpenForReading(fifo);
    ASSERT_GE(reader, 0);
    const int writer = os::OpenForAppending(fifo);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(::fcntl(writer, F_GETFL) & O_NONBLOCK, 0);
    os::FileStatus status;
    ASSERT_TRUE(os::StatusOfOpen(writer, status));
    EXPECT_FALSE(status.Regular);
    ::close(writer);
    ::close(reader);
}

TEST(OsFiles, ExclusiveCreationRefusesATakenName) {
    TempDir dir;
    const fs::path name = dir.Path() / "new.tmp";
    const int fd = os::CreateExclusive(name);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_LT(os::CreateExclusive(name), 0);
    EXPECT_EQ(errno, EEXIST);
}

TEST(OsFiles, NamesAreUtf8AndOnlyASlashMakesANameNotBare) {
    const std::string name =
        "Pr\xC3\xBC"
        "fung-\xE6\x97\xA5\xE6\x9C\xAC.ini";
    EXPECT_EQ(os::PathFromUtf8(name).string(), name);
    EXPECT_TRUE(os::IsBareName("VBDualis.INI"));
    EXPECT_TRUE(os::IsBareName(name));
    // Here "\" and ":" are ordinary characters of a name.
    EXPECT_TRUE(os::IsBareName("C:sub\\x.ini"));
    EXPECT_FALSE(os::IsBareName("sub/x.ini"));
    EXPECT_FALSE(os::DrivesAndServersAreNames());
}

TEST(OsFacts, ProcessesAndSystem) {
    EXPECT_FALSE(os::ProcessEnded(os::ProcessId()));
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(os::ProcessEnded(child));
    EXPECT_EQ(os::SystemSettingsFolder(), "/etc/xdg/Dualis/");
    const os::SystemRelease release = os::SystemVersion();
    EXPECT_FALSE(release.Name.empty());
    EXPECT_FALSE(release.Release.empty());
    EXPECT_EQ(os::ExecutablePath().filename(), "platform_tests");
}

}  // namespace
}  // namespace dualis
