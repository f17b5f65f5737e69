// Arbitrary bytes as two project files, in memory: File 1, a 0xFF byte, File 2 (File 2 is File 1
// when there is no 0xFF). Each is read as a project, a group and a workspace; a file compared
// with itself must show no difference, with or without save noise; every difference must have
// the value of each side it names and none of the side that lacks it; normalising a member's
// path twice must give what once gives. The module-header reader gets File 1 too. Any crash,
// sanitizer report or broken rule is a finding.
#include <cstdlib>
#include <string>
#include <string_view>

#include "ModuleFile.h"
#include "PathResolve.h"
#include "ProjectFile.h"
#include "SettingsCompare.h"

namespace {

using dualis::project::SettingChange;

void CheckDifferences(const dualis::project::ProjectFile& a, const dualis::project::ProjectFile& b,
                      bool noise) {
    for (const dualis::project::SettingDifference& d : CompareProjectFiles(a, b, noise)) {
        if (d.Change == SettingChange::Added && !d.Value[0].empty()) std::abort();
        if (d.Change == SettingChange::Removed && !d.Value[1].empty()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\xFF');
    const std::string_view text1 = input.substr(0, split);
    const std::string_view text2 =
        split == std::string_view::npos ? text1 : input.substr(split + 1);
    for (const auto kind :
         {dualis::project::ProjectFileKind::Project, dualis::project::ProjectFileKind::Group,
          dualis::project::ProjectFileKind::Workspace}) {
        const auto a = dualis::project::ParseProjectText(text1, kind);
        const auto b = dualis::project::ParseProjectText(text2, kind);
        for (const bool noise : {true, false}) {
            if (!CompareProjectFiles(a, a, noise).empty()) std::abort();
            CheckDifferences(a, b, noise);
            CheckDifferences(b, a, noise);
        }
        for (const auto& member : a.Members) {
            const std::string once = dualis::project::NormalisePath(member.Path);
            if (dualis::project::NormalisePath(once) != once) std::abort();
        }
    }
    const auto facts = dualis::project::ExamineModuleText(text1);
    if (!facts.Problem.empty() && !facts.VbName.empty()) std::abort();
    return 0;
}
