#include "ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <fstream>

#include "ProjectFacts.h"

namespace dualis::project::test {

Tree::Tree() {
    static std::atomic<int> counter{0};
    std::error_code error;
    const std::filesystem::path memory = "/dev/shm";
    const bool inMemory =
        std::filesystem::is_directory(memory, error) && ::access("/dev/shm", W_OK) == 0;
    path_ = (inMemory ? memory : std::filesystem::temp_directory_path()) /
            ("dualis-project-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

Tree::~Tree() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path Tree::Write(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

std::string CrLf(const std::vector<std::string>& lines) {
    return dualis::test::Lines(lines);
}

std::string BasText(const std::string& name, const std::vector<std::string>& body) {
    std::vector<std::string> lines{"Attribute VB_Name = \"" + name + "\"", "Option Explicit"};
    lines.insert(lines.end(), body.begin(), body.end());
    return CrLf(lines);
}

std::string ClsText(const std::string& name, const std::vector<std::string>& body) {
    std::vector<std::string> lines{"VERSION 1.0 CLASS",
                                   "BEGIN",
                                   "  MultiUse = -1  'True",
                                   "END",
                                   "Attribute VB_Name = \"" + name + "\"",
                                   "Attribute VB_GlobalNameSpace = False",
                                   "Option Explicit"};
    lines.insert(lines.end(), body.begin(), body.end());
    return CrLf(lines);
}

std::string FrmText(const std::string& name, const std::string& frx,
                    const std::vector<std::string>& body) {
    std::vector<std::string> lines{"VERSION 5.00", "Begin VB.Form " + name,
                                   "   Caption         =   \"" + name + "\""};
    if (!frx.empty()) lines.push_back("   Icon            =   \"" + frx + "\":0000");
    lines.insert(lines.end(), {"End", "Attribute VB_Name = \"" + name + "\"", "Option Explicit"});
    lines.insert(lines.end(), body.begin(), body.end());
    return CrLf(lines);
}

std::vector<std::string> Procedures(const std::string& prefix, int count) {
    std::vector<std::string> lines;
    for (int k = 1; k <= count; ++k) {
        lines.push_back("Sub " + prefix + std::to_string(k) + "()");
        lines.push_back("    Debug.Print \"" + prefix + " line " + std::to_string(k) + "\"");
        lines.push_back("End Sub");
    }
    return lines;
}

const ModuleEntry& ModuleNamed(const Source& source, const std::string& name) {
    for (const ModuleEntry& m : source.Modules) {
        if (m.Name == name) return m;
    }
    ADD_FAILURE() << "no module named " << name;
    static const ModuleEntry none;
    return none;
}

std::vector<std::string> Listing(const Source& source) {
    std::vector<std::string> lines;
    for (const ModuleEntry& m : source.Modules) {
        lines.push_back(std::string(ModuleKindKey(m.Kind)) + " " + m.Name + " " + m.RelativePath);
    }
    return lines;
}

std::vector<std::string> DescribePairs(const Source& a, const Source& b,
                                       const ProjectComparison& result) {
    std::vector<std::string> lines;
    for (const ModulePair& pair : result.Modules) {
        const ModuleEntry& shown =
            pair.Module[1] >= 0 ? b.Modules[pair.Module[1]] : a.Modules[pair.Module[0]];
        std::string line = shown.Name;
        line.append(" ").append(ContentStatusWord(pair.Status));
        if (pair.From != Origin::Same) line.append(" ").append(OriginWord(pair.From));
        if (!pair.OldName.empty()) line += " from " + pair.OldName;
        if (!pair.OldPath.empty()) line += " at " + pair.OldPath;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> DescribeDifferences(const std::vector<SettingDifference>& differences) {
    std::vector<std::string> lines;
    for (const SettingDifference& d : differences) {
        std::string line(SettingChangeWord(d.Change));
        if (!d.Section.empty()) line += " [" + d.Section + "]";
        line += " " + d.Key;
        if (!d.Item.empty()) line += " " + d.Item;
        lines.push_back(line + ": " + d.Value[0] + " | " + d.Value[1]);
    }
    return lines;
}

}  // namespace dualis::project::test
