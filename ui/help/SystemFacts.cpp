#include "SystemFacts.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>

#include "Formats.h"

namespace dualis {
namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// KiB to whole MB (1024 KiB each), rounded.
std::string Megabytes(int64_t kib) {
    return GroupedThousands((kib + 512) / 1024) + " MB";
}

}  // namespace

std::optional<int64_t> KernelFieldKiB(std::string_view text, std::string_view key) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || line.substr(0, colon) != key) continue;
        std::string_view value = Trimmed(line.substr(colon + 1));
        int64_t number = 0;
        size_t digits = 0;
        while (digits < value.size() && std::isdigit(static_cast<unsigned char>(value[digits]))) {
            if (number > (INT64_MAX - 9) / 10) return std::nullopt;
            number = number * 10 + (value[digits] - '0');
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        const std::string_view unit = Trimmed(value.substr(digits));
        // The kernel writes kB for KiB; a field without a unit counts bytes or pages, not memory.
        if (unit != "kB") return std::nullopt;
        return number;
    }
    return std::nullopt;
}

MemoryFacts ParseMemInfo(std::string_view text) {
    MemoryFacts facts;
    facts.TotalKiB = KernelFieldKiB(text, "MemTotal");
    facts.AvailableKiB = KernelFieldKiB(text, "MemAvailable");
    if (!facts.AvailableKiB) facts.AvailableKiB = KernelFieldKiB(text, "MemFree");
    return facts;
}

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return text.str();
}

MemoryFacts ReadSystemMemory(const std::filesystem::path& memInfo) {
    const std::optional<std::string> text = ReadSmallFile(memInfo);
    return text ? ParseMemInfo(*text) : MemoryFacts{};
}

std::optional<int64_t> ReadProcessMemoryKiB(const std::filesystem::path& status) {
    const std::optional<std::string> text = ReadSmallFile(status);
    return text ? KernelFieldKiB(*text, "VmRSS") : std::nullopt;
}

std::string MemoryText(const MemoryFacts& memory) {
    if (!memory.TotalKiB || !memory.AvailableKiB) return "not known";
    return Megabytes(*memory.AvailableKiB) + " free of " + Megabytes(*memory.TotalKiB);
}

std::string ResourcesText(std::optional<int64_t> residentKiB, const std::string& productName) {
    if (!residentKiB) return "not known";
    return Megabytes(*residentKiB) + " in use by " + productName;
}

std::vector<std::pair<std::string, std::string>> SystemInfoRows(const SystemFacts& f) {
    auto orUnknown = [](const std::string& s) {
        const std::string_view t = Trimmed(s);
        return t.empty() ? std::string("not known") : std::string(t);
    };
    std::string screen = "none";
    if (f.ScreenWidth > 0 && f.ScreenHeight > 0) {
        screen = std::to_string(f.ScreenWidth) + " x " + std::to_string(f.ScreenHeight) +
                 " pixels, " + std::to_string(static_cast<int>(std::lround(f.LogicalDpi))) + " dpi";
    }
    std::vector<std::pair<std::string, std::string>> rows = {
        {"Operating system", orUnknown(f.OperatingSystem)},
    };
    if (!Trimmed(f.Distribution).empty()) rows.emplace_back("Distribution", f.Distribution);
    rows.emplace_back("Kernel", orUnknown(f.Kernel));
    rows.emplace_back("Processors", f.Processors > 0 ? std::to_string(f.Processors) : "not known");
    rows.emplace_back("Memory", MemoryText(f.Memory));
    rows.emplace_back("Resources", ResourcesText(f.ProcessKiB, f.ProductName));
    rows.emplace_back("Program", orUnknown(f.ProductName + " " + f.ProgramVersion));
    rows.emplace_back("Qt", orUnknown(f.QtVersion));
    rows.emplace_back("Screen", screen);
    return rows;
}

}  // namespace dualis
