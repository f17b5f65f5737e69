#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Services.h"
#include "TestSupport.h"

namespace dualis {
namespace {

TEST(StartServices, ReadsSettingsAndSwitchesAndRewritesForANewVersion) {
    test::TempDir dir;
    const std::string ini =
        dir.Write("VBDualis.INI",
                  "[Compare]\nSyncNumber=0\nIgnoreCase=Yes\n[Debug]\nLogApp=Yes\n"
                  "[General]\nVersion=0.9.0 (old)\n");
    Services services;
    EXPECT_TRUE(StartServices(services, ini, true).empty());
    EXPECT_TRUE(services.Values.Compare.IgnoreCase);
    EXPECT_EQ(services.Values.Compare.SyncNumber, 2);
    EXPECT_TRUE(services.Debug.LogApp);
    EXPECT_TRUE(services.Debug.LogEvents);  // always on after start-up
    const std::string written = test::ReadFile(ini);
    EXPECT_NE(written.find("Version=" + services.AppInfo.AppVersion()), std::string::npos);
    EXPECT_NE(written.find("DifferencesAfter=3"), std::string::npos);  // every key written
}

TEST(StartServices, LeavesTheFileAloneWhenItMayNotWriteOrTheVersionIsCurrent) {
    test::TempDir dir;
    const std::string text = "[General]\nVersion=0.9.0 (old)\n";
    const std::string ini = dir.Write("ro.ini", text);
    Services services;
    (void)StartServices(services, ini, false);
    EXPECT_EQ(test::ReadFile(ini), text);
    const std::string current =
        dir.Write("cur.ini", "[General]\nVersion=" + services.AppInfo.AppVersion() + "\n");
    const std::string before = test::ReadFile(current);
    Services again;
    (void)StartServices(again, current, true);
    EXPECT_EQ(test::ReadFile(current), before);
}

TEST(StartServices, BadValuesAreReportedAndTheNextWriteMendsThem) {
    test::TempDir dir;
    const std::string ini = dir.Write("bad.ini", "[Display]\nDifferencesAfter=abc\n");
    Services services;
    const std::vector<std::string> problems = StartServices(services, ini, false);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("DifferencesAfter"), std::string::npos);
    EXPECT_EQ(services.Values.Compare.DifferencesAfter, 3);
    ASSERT_TRUE(WriteSettings(services).Saved);
    EXPECT_NE(test::ReadFile(ini).find("DifferencesAfter=3"), std::string::npos);
}

TEST(StartServices, ALogThatCannotOpenIsNamedAndTheProgramGoesOnWithoutIt) {
    test::TempDir dir;
    const std::string input = dir.Write("one.bas", "Sub A()\r\n");
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {(dir.Path() / "none" / "trace.log").string(), "No such file or directory"},
        {input, "It is one of the files to compare."},
        {fifo, "It is not a regular file."},
    };
    for (const auto& [log, reason] : cases) {
        const std::string ini = dir.Write("log.ini", "[Debug]\nLOGFILE=" + log + "\n");
        Services services;
        const std::vector<std::string> problems =
            StartServices(services, ini, false, {input, dir.Write("two.bas", "")});
        ASSERT_EQ(problems.size(), 1u) << log;
        EXPECT_EQ(problems[0], "Unable to open the trace log that LOGFILE names\n" + log + "\n" +
                                   reason + "\nThe program goes on without a log.");
        EXPECT_EQ(services.Log.LogFileName(), log);  // kept for the next save
    }
    EXPECT_EQ(test::ReadFile(input), "Sub A()\r\n");
}

TEST(StartServices, ALogThatIsTheSettingsFileLeavesTheSettingsAsTheyWere) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.Path() / "Dualis");
    const std::string own = (dir.Path() / "Dualis" / SettingsFileName).string();
    const std::string named = (dir.Path() / "named.ini").string();
    const std::string link = (dir.Path() / "link.log").string();
    ASSERT_EQ(::symlink(named.c_str(), link.c_str()), 0);
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string kept = before ? before : "";
    ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    // The user's own file naming itself, and a named one reached through a link; the window
    // (which may write) and the command line alike.
    const std::pair<std::string, std::string> cases[] = {{own, own}, {named, link}};
    for (const auto& [settings, log] : cases) {
        for (const bool mayWrite : {false, true}) {
            const std::string text = "[Debug]\nLogApp=Yes\nLOGFILE=" + log + "\n";
            dir.Write(std::filesystem::relative(settings, dir.Path()).string(), text);
            Services services;
            const std::vector<std::string> problems =
                StartServices(services, settings == own ? "" : settings, mayWrite);
            ASSERT_EQ(problems.size(), 1u) << settings;
            EXPECT_EQ(problems[0], "Unable to open the trace log that LOGFILE names\n" + log +
                                       "\nIt is the settings file.\nThe program goes on "
                                       "without a log.");
            const std::string after = test::ReadFile(settings);
            EXPECT_NE(after.find("LOGFILE=" + log), std::string::npos) << after;
            EXPECT_EQ(after.find("=====>"), std::string::npos) << after;
            if (!mayWrite) {
                EXPECT_EQ(after, text);
            }
        }
    }
    if (before) {
        ::setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(StartServices, ASaveThatFailsAtStartIsNamed) {
    test::TempDir dir;
    const std::string ini = dir.Write("old.ini", "[General]\nVersion=0.9.0 (old)\n");
    ::chmod(ini.c_str(), 0444);
    Services services;
    const std::vector<std::string> problems = StartServices(services, ini, true);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "Unable to save the settings\n" + ini + "\nPermission denied");
    EXPECT_EQ(test::ReadFile(ini), "[General]\nVersion=0.9.0 (old)\n");
}

TEST(WriteSettings, StoresTheSwitchesAsTheyAreNow) {
    test::TempDir dir;
    const std::string ini = dir.Write("s.ini", "");
    Services services;
    (void)StartServices(services, ini, false);
    services.Debug.DontTrapErrors = true;
    services.Log.LogFileName("/tmp/x.log");
    ASSERT_TRUE(WriteSettings(services).Saved);
    const std::string written = test::ReadFile(ini);
    EXPECT_NE(written.find("DontTrapErrors=Yes"), std::string::npos);
    EXPECT_NE(written.find("LOGFILE=/tmp/x.log"), std::string::npos);
}

}  // namespace
}  // namespace dualis
