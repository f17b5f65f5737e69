#include <gtest/gtest.h>

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
