// The cost of reading the macros of an Office document: a generated workbook of 500 modules
// (about 5 MB of source, compressed as Office compresses it, in a zip package) opened as a
// source, and two versions of it paired and compared module by module. Prints figures; passes or
// fails nothing.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Document.h"
#include "ModuleCompare.h"
#include "OfficeWriter.h"
#include "ProjectCompare.h"
#include "Source.h"

namespace {

namespace fs = std::filesystem;
using dualis::office::test::TestModule;
using dualis::office::test::TestProject;

constexpr int Modules = 500;
constexpr int Rounds = 7;

// About 10 KB of source: procedures of statements over a vocabulary of names and numbers
// drawn from a fixed sequence, so that the text compresses about as well as real code.
std::string ModuleText(int m, int version) {
    static const char* const Names[] = {"Orders",  "Customer", "Invoice", "Amount", "Rate",
                                        "Balance", "Ledger",   "Account", "Total",  "Items",
                                        "Region",  "Discount", "Tax",     "Stock",  "Price"};
    uint32_t seed = 2166136261u ^ static_cast<uint32_t>(m);
    const auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    std::string text =
        "Attribute VB_Name = \"Module" + std::to_string(m) + "\"\r\nOption Explicit\r\n";
    for (int p = 0; text.size() < 10000; ++p) {
        text += "Public Function " + std::string(Names[next(15)]) + "Of" + std::to_string(p) +
                "(ByVal key As Long) As Double\r\n";
        for (int s = 0; s < 8; ++s) {
            text += "    " + std::string(Names[next(15)]) + std::to_string(next(100)) + " = " +
                    Names[next(15)] + "(key).Item(" + std::to_string(next(1000)) + ") * " +
                    std::to_string(next(10000) / 100.0).substr(0, 5) + " ' " + Names[next(15)] +
                    "\r\n";
        }
        if (version == 1 && m % 20 == 0 && p == 2) text += "    key = key + 1\r\n";
        text += "End Function\r\n";
    }
    return text;
}

TestProject Project(int version, uint16_t codePage = 1252) {
    TestProject project;
    project.CodePage = codePage;
    for (int m = 0; m < Modules; ++m) {
        TestModule module;
        module.Name = "Module" + std::to_string(m);
        module.Type = m % 5 == 0 ? TestModule::Kind::Class : TestModule::Kind::Standard;
        module.Source = ModuleText(m, version);
        module.PCode = std::string(2000, '\x5A');
        project.Modules.push_back(std::move(module));
    }
    return project;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class Work>
double MedianMs(Work&& work) {
    work();  // once uncounted, so that the memory it needs is mapped
    std::vector<double> spent;
    for (int r = 0; r < Rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        spent.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return Median(spent);
}

}  // namespace

int main() {
    const fs::path folder =
        fs::temp_directory_path() / ("dualis-office-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::vector<fs::path> paths;
    size_t sourceBytes = 0;
    for (int version = 0; version < 2; ++version) {
        const TestProject project = Project(version);
        if (version == 0) {
            for (const TestModule& m : project.Modules) sourceBytes += m.Source.size();
        }
        paths.push_back(folder / ("Book" + std::to_string(version + 1) + ".xlsm"));
        std::ofstream(paths.back(), std::ios::binary) << dualis::office::test::XlsmOf(project);
    }
    std::printf("document: %d modules, %.1f MB of source, %.1f MB on disk\n", Modules,
                sourceBytes / 1e6, fs::file_size(paths[0]) / 1e6);

    std::string bytes;
    {
        std::ifstream in(paths[0], std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    size_t modules = 0;
    const double inMemory =
        MedianMs([&] { modules = dualis::office::ReadDocumentMacros(bytes)->Modules.size(); });
    std::printf("macros read from memory: %.1f ms (%zu modules)\n", inMemory, modules);
    dualis::project::Source a, b;
    const double opened = MedianMs([&] { a = dualis::project::OpenSource(paths[0]); });
    std::printf(
        "document opened as a source (file read, modules, settings): %.1f ms "
        "(target: 100 ms)\n",
        opened);
    // The same document in code page 932, whose text goes through the system's converter.
    const fs::path japanese = folder / "Book932.xlsm";
    std::ofstream(japanese, std::ios::binary) << dualis::office::test::XlsmOf(Project(0, 932));
    const double converted = MedianMs([&] { b = dualis::project::OpenSource(japanese); });
    std::printf("the same in code page 932: %.1f ms\n", converted);
    b = dualis::project::OpenSource(paths[1]);
    size_t unknown = 0;
    const double paired = MedianMs([&] {
        const auto result = dualis::project::CompareSources(a, b, {});
        unknown = static_cast<size_t>(std::count_if(
            result.Modules.begin(), result.Modules.end(),
            [](const auto& p) { return p.Status != dualis::project::ContentStatus::Equal; }));
    });
    std::printf(
        "two versions paired, equal modules found by their bytes: %.1f ms (%zu left to "
        "compare)\n",
        paired, unknown);
    // The whole comparison as the command line makes it: both documents opened, paired, and
    // every module pair that is not the same bytes compared by the engine on the workers.
    int64_t changed = 0;
    const double compared = MedianMs([&] {
        const auto one = dualis::project::OpenSource(paths[0]);
        const auto two = dualis::project::OpenSource(paths[1]);
        dualis::project::ProjectOptions pairing;
        pairing.PairSameBytes = false;
        const auto result = dualis::project::CompareSources(one, two, pairing);
        changed = 0;
        dualis::project::CompareModules(
            one, two, result, {},
            [&](dualis::project::ModuleResult&& r) { changed += r.Procedures.Changed; });
    });
    std::printf(
        "two versions opened and compared module by module: %.1f ms (%lld procedures "
        "changed; target: 300 ms)\n",
        compared, static_cast<long long>(changed));
    fs::remove_all(folder);
}
