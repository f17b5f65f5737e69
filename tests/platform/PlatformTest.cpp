#include <gtest/gtest.h>

#include <filesystem>

#include "AppInfo.h"
#include "Window.h"

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

}  // namespace
}  // namespace dualis
