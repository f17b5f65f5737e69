// The facts about the system that the about box and the system information window show: the
// memory of the system and of this process, read from the kernel's status files, and their texts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dualis {

// The value of a "Key:   1234 kB" line of /proc/meminfo or /proc/self/status, in KiB; none when
// the key is missing or its value is not a number.
std::optional<int64_t> KernelFieldKiB(std::string_view text, std::string_view key);

struct MemoryFacts {
    std::optional<int64_t> TotalKiB;      // all usable memory of the system
    std::optional<int64_t> AvailableKiB;  // what programs can still take without swapping
};

// From the text of /proc/meminfo. Older kernels have no MemAvailable; their MemFree stands in.
MemoryFacts ParseMemInfo(std::string_view text);

// A whole small file; none when it cannot be read.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& path);

MemoryFacts ReadSystemMemory(const std::filesystem::path& memInfo = "/proc/meminfo");
// The resident memory of this process (VmRSS of /proc/self/status).
std::optional<int64_t> ReadProcessMemoryKiB(
    const std::filesystem::path& status = "/proc/self/status");

// "3,210 MB free of 7,890 MB", or "not known" when either figure is missing.
std::string MemoryText(const MemoryFacts& memory);
// "45 MB in use by Dualis", or "not known".
std::string ResourcesText(std::optional<int64_t> residentKiB, const std::string& productName);

// What the system information window lists, gathered by the window.
struct SystemFacts {
    std::string OperatingSystem;  // the system's version text (cWindow::WinVersion)
    std::string Distribution;     // the distribution's or product's own name, maybe empty
    std::string Kernel;
    int Processors = 0;  // 0 when not known
    MemoryFacts Memory;
    std::optional<int64_t> ProcessKiB;
    std::string ProductName;
    std::string ProgramVersion;
    std::string QtVersion;
    int ScreenWidth = 0;  // pixels; 0 when there is no screen
    int ScreenHeight = 0;
    double LogicalDpi = 0;
};

// The rows of the window, label and value, in the order shown.
std::vector<std::pair<std::string, std::string>> SystemInfoRows(const SystemFacts& facts);

}  // namespace dualis
