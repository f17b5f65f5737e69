#include <gtest/gtest.h>

#include "SystemFacts.h"
#include "TestSupport.h"

namespace dualis {
namespace {

constexpr const char* kMemInfo =
    "MemTotal:        8073564 kB\n"
    "MemFree:          612344 kB\n"
    "MemAvailable:    3287012 kB\n"
    "Buffers:          201112 kB\n"
    "HugePages_Total:       0\n";

TEST(KernelFieldTest, ReadsTheNamedFieldOnly) {
    EXPECT_EQ(KernelFieldKiB(kMemInfo, "MemTotal"), 8073564);
    EXPECT_EQ(KernelFieldKiB(kMemInfo, "MemAvailable"), 3287012);
    // A key is matched whole, not as the start of another one.
    EXPECT_EQ(KernelFieldKiB(kMemInfo, "Mem"), std::nullopt);
    EXPECT_EQ(KernelFieldKiB(kMemInfo, "SwapTotal"), std::nullopt);
    // A count without a unit is no memory size.
    EXPECT_EQ(KernelFieldKiB(kMemInfo, "HugePages_Total"), std::nullopt);
}

TEST(KernelFieldTest, ToleratesBrokenText) {
    EXPECT_EQ(KernelFieldKiB("", "MemTotal"), std::nullopt);
    EXPECT_EQ(KernelFieldKiB("MemTotal:\n", "MemTotal"), std::nullopt);
    EXPECT_EQ(KernelFieldKiB("MemTotal: lots kB\n", "MemTotal"), std::nullopt);
    EXPECT_EQ(KernelFieldKiB("MemTotal: 99999999999999999999999 kB", "MemTotal"), std::nullopt);
    // The last line needs no line break; CR LF line ends are read too.
    EXPECT_EQ(KernelFieldKiB("A: 1 kB\r\nVmRSS:\t  4096 kB", "VmRSS"), 4096);
    EXPECT_EQ(KernelFieldKiB("A: 1 kB\r\nB: 2 kB\r\n", "A"), 1);
}

TEST(MemoryTest, AvailableMemoryFallsBackToFreeMemory) {
    const MemoryFacts modern = ParseMemInfo(kMemInfo);
    EXPECT_EQ(MemoryText(modern), "3,210 MB free of 7,884 MB");
    const MemoryFacts old = ParseMemInfo("MemTotal: 2048 kB\nMemFree: 1536 kB\n");
    EXPECT_EQ(MemoryText(old), "2 MB free of 2 MB");
    EXPECT_EQ(MemoryText(ParseMemInfo("MemFree: 1536 kB\n")), "not known");
}

TEST(MemoryTest, MissingFilesGiveNotKnown) {
    EXPECT_EQ(MemoryText(ReadSystemMemory("/nonexistent/meminfo")), "not known");
    EXPECT_EQ(ReadProcessMemoryKiB("/nonexistent/status"), std::nullopt);
    EXPECT_EQ(ResourcesText(std::nullopt, "Dualis"), "not known");
}

TEST(MemoryTest, ReadsFilesOfTheKernelsForm) {
    test::TempDir dir;
    const std::string memInfo = dir.Write("meminfo", kMemInfo);
    const std::string status = dir.Write("status", "Name:\tdualis\nVmRSS:\t   46080 kB\n");
    EXPECT_EQ(ReadSystemMemory(memInfo).TotalKiB, 8073564);
    EXPECT_EQ(ResourcesText(ReadProcessMemoryKiB(status), "Dualis"), "45 MB in use by Dualis");
    // This process has its own status file.
    EXPECT_TRUE(ReadProcessMemoryKiB().has_value());
}

TEST(SystemInfoRowsTest, ListsEveryFactAndSaysWhatIsNotKnown) {
    SystemFacts facts;
    facts.OperatingSystem = " Linux Version 6.1 Build 0 #1 SMP";
    facts.Kernel = "linux 6.1.0";
    facts.Processors = 4;
    facts.Memory = ParseMemInfo(kMemInfo);
    facts.ProcessKiB = 46080;
    facts.ProductName = "Dualis";
    facts.ProgramVersion = "1.0.0 (2026-01-02 03:04:05)";
    facts.QtVersion = "6.4.2";
    facts.ScreenWidth = 1920;
    facts.ScreenHeight = 1080;
    facts.LogicalDpi = 95.8;
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Operating system", "Linux Version 6.1 Build 0 #1 SMP"},
        {"Kernel", "linux 6.1.0"},
        {"Processors", "4"},
        {"Memory", "3,210 MB free of 7,884 MB"},
        {"Resources", "45 MB in use by Dualis"},
        {"Program", "Dualis 1.0.0 (2026-01-02 03:04:05)"},
        {"Qt", "6.4.2"},
        {"Screen", "1920 x 1080 pixels, 96 dpi"},
    };
    EXPECT_EQ(SystemInfoRows(facts), expected);

    facts.Distribution = "Debian GNU/Linux 12 (bookworm)";
    facts.Processors = 0;
    facts.ScreenWidth = 0;
    facts.Kernel = "";
    const auto rows = SystemInfoRows(facts);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"Distribution", facts.Distribution}));
    EXPECT_EQ(rows[2].second, "not known");
    EXPECT_EQ(rows[3].second, "not known");
    EXPECT_EQ(rows[8].second, "none");
}

}  // namespace
}  // namespace dualis
