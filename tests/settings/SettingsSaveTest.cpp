// The settings file read once and saved in one step: how often the file is opened and replaced,
// what a save killed at any point leaves, what a save that cannot be made says, and files that
// are not settings files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Settings.h"
#include "TestSupport.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using test::FolderEntries;

// What the file system reports for one file while it is watched: opens and renames onto it.
class FileWatch {
  public:
    explicit FileWatch(const fs::path& file) : name_(file.filename().string()) {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0) ::inotify_add_watch(fd_, file.parent_path().c_str(), IN_OPEN | IN_MOVED_TO);
    }
    ~FileWatch() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Works() const { return fd_ >= 0; }
    // Counts the events on the file since the last count.
    void Count(int& opens, int& renames) {
        opens = renames = 0;
        alignas(inotify_event) char buffer[65536];
        ssize_t got;
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0 && name_ == event->name) {
                    opens += (event->mask & IN_OPEN) != 0;
                    renames += (event->mask & IN_MOVED_TO) != 0;
                }
                at += sizeof(inotify_event) + event->len;
            }
        }
    }

  private:
    std::string name_;
    int fd_;
};

// Runs the body in a child process, as an ordinary user when asked and the tests run as the
// superuser, and hands back what it returns.
std::string InChild(const std::function<std::string()>& body, bool ordinaryUser = false) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (ordinaryUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(1);
        }
        const std::string result = body();
        if (::write(pipeFds[1], result.data(), result.size()) < 0) ::_exit(1);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string result;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) result.append(buffer, got);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return result;
}

class SettingsSave : public ::testing::Test {
  protected:
    SettingsSave() : ini("/opt/dualis/dualis", (dir.Path() / "WIN.INI").string()) {
        ini.SetINIFileName(file.string());
        first.MRU[0] = {"/old/one.frm", "/old/two.frm"};
        second.MRU[0] = {"/new/one.frm", "/new/two.frm"};
        second.Compare.IgnoreCase = true;
    }

    test::TempDir dir;
    fs::path file = dir.Path() / "VBDualis.INI";
    cINIHandler ini;
    Settings first;
    Settings second;
};

TEST_F(SettingsSave, ReadsTheFileOnceAndReplacesItOnce) {
    FileWatch watch(file);
    if (!watch.Works()) GTEST_SKIP() << "no inotify here";
    ASSERT_TRUE(INIPutInfo(ini, first, "1", true).Saved);
    int opens = 0, renames = 0;
    watch.Count(opens, renames);
    EXPECT_EQ(renames, 1);

    ASSERT_TRUE(INIPutInfo(ini, second, "1", true).Saved);
    watch.Count(opens, renames);
    EXPECT_EQ(opens, 1);  // read once, written through a temporary file
    EXPECT_EQ(renames, 1);

    Settings read;
    EXPECT_TRUE(INIGetInfo(ini, read, "/").empty());
    watch.Count(opens, renames);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(renames, 0);
    EXPECT_EQ(read.MRU[0], second.MRU[0]);
}

TEST_F(SettingsSave, ASaveKilledAtAnyPointLeavesTheOldOrTheNewFileWhole) {
    ASSERT_TRUE(INIPutInfo(ini, second, "1", true).Saved);
    const std::string secondText = test::ReadFile(file.string());
    ASSERT_TRUE(INIPutInfo(ini, first, "1", true).Saved);
    const std::string firstText = test::ReadFile(file.string());
    ASSERT_NE(firstText, secondText);

    std::mt19937 random(9);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    int killedMidway = 0;
    for (int run = 0; run < 100; ++run) {
        const pid_t child = ::fork();
        if (child == 0) {
            // Saves the one and the other, over and over, until it is killed.
            for (int n = 0;; ++n) (void)INIPutInfo(ini, n % 2 == 0 ? second : first, "1", true);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string text = test::ReadFile(file.string());
        ASSERT_TRUE(text == firstText || text == secondText) << "after run " << run << ":\n"
                                                             << text;
        killedMidway += FolderEntries(dir.Path()).size() > 1;
    }
    // What killed saves left behind goes with the next save, whatever the runs above left.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    dir.Write(".VBDualis.INI." + std::to_string(gone) + "-0.tmp", "[MRU]\nMRU1F1=/half");
    ASSERT_TRUE(INIPutInfo(ini, first, "1", true).Saved);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"VBDualis.INI"})
        << killedMidway << " runs left a temporary file";
}

TEST_F(SettingsSave, ASaveThatCannotBeMadeSaysWhyAndLeavesTheFileAsItWas) {
    ASSERT_TRUE(INIPutInfo(ini, first, "1", true).Saved);
    const std::string before = test::ReadFile(file.string());
    auto saveInChild = [&] {
        const SaveResult result = INIPutInfo(ini, second, "1", true);
        return result.Saved ? "saved" : result.FileName + ": " + result.Reason;
    };

    // A folder the user may not write in (the file itself may be written).
    ::chmod(file.c_str(), 0666);
    ::chmod(dir.Path().c_str(), 0555);
    EXPECT_EQ(InChild(saveInChild, true), file.string() + ": Permission denied");
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(test::ReadFile(file.string()), before);

    // A full disk, as a limit on the size of the files written.
    const std::string full = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return saveInChild();
    });
    EXPECT_EQ(full, file.string() + ": File too large");
    EXPECT_EQ(test::ReadFile(file.string()), before);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"VBDualis.INI"});

    // A file the user may not write is not replaced behind the user's back.
    ::chmod(file.c_str(), 0444);
    SaveResult result = INIPutInfo(ini, second, "1", true);
    EXPECT_FALSE(result.Saved);
    EXPECT_EQ(result.Reason, "Permission denied");
    EXPECT_EQ(test::ReadFile(file.string()), before);

    // A folder where the file should be.
    ini.SetINIFileName((dir.Path() / "folder.ini").string());
    fs::create_directory(dir.Path() / "folder.ini");
    result = INIPutInfo(ini, second, "1", true);
    EXPECT_FALSE(result.Saved);
    EXPECT_EQ(result.FileName, (dir.Path() / "folder.ini").string());
    EXPECT_EQ(result.Reason, "It is a folder.");
}

TEST_F(SettingsSave, FilesThatAreNoSettingsFilesAreNamedAndNeverReplaced) {
    Settings read;
    dir.Write("VBDualis.INI", std::string("\x7F"
                                          "ELF\0\0",
                                          6));
    std::vector<std::string> problems = INIGetInfo(ini, read, "/");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "Unable to read the settings file\n" + file.string() +
                               "\nIt is not a text file.\nThe defaults are used.");
    const SaveResult result = INIPutInfo(ini, second, "1", true);
    EXPECT_FALSE(result.Saved);
    EXPECT_EQ(test::ReadFile(file.string()), std::string("\x7F"
                                                         "ELF\0\0",
                                                         6));

    fs::remove(file);
    fs::create_directory(file);
    problems = INIGetInfo(ini, read, "/");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("\nIt is a folder.\n"), std::string::npos);
}

TEST_F(SettingsSave, CarriageReturnsAloneEndLinesAndStayTheFilesLineEnds) {
    dir.Write("VBDualis.INI", "[Compare]\rIgnoreCase=Yes\rSyncNumber=5\r[MRU]\rMRU1F1=/a\r");
    Settings read;
    EXPECT_TRUE(INIGetInfo(ini, read, "/").empty());
    EXPECT_TRUE(read.Compare.IgnoreCase);
    EXPECT_EQ(read.Compare.SyncNumber, 5);
    EXPECT_EQ(read.MRU[0][0], "/a");
    ASSERT_TRUE(INIPutInfo(ini, read, "1", true).Saved);
    const std::string text = test::ReadFile(file.string());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.rfind("[Compare]\rIgnoreCase=Yes\rSyncNumber=5\r", 0), 0u);
}

}  // namespace
}  // namespace dualis
