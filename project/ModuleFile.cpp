#include "ModuleFile.h"

#include <cstring>

#include "FileIO.h"
#include "RawLoader.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

std::string_view SkipBlanks(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

// Takes `word` (any letter case) from the front of `s`.
bool TakeWord(std::string_view& s, std::string_view word) {
    if (s.size() < word.size() || !EqualsIgnoringAsciiCase(s.substr(0, word.size()), word)) {
        return false;
    }
    s.remove_prefix(word.size());
    return true;
}

// The name of an `Attribute VB_Name = "Name"` line, or nothing.
bool ReadVbName(std::string_view line, std::string& name) {
    line = SkipBlanks(line);
    if (!TakeWord(line, "Attribute") || SkipBlanks(line).size() == line.size()) return false;
    line = SkipBlanks(line);
    if (!TakeWord(line, "VB_Name")) return false;
    line = SkipBlanks(line);
    if (!TakeWord(line, "=")) return false;
    line = SkipBlanks(line);
    if (!TakeWord(line, "\"")) return false;
    const size_t close = line.find('"');
    if (close == std::string_view::npos || close == 0) return false;
    name = DecodeName(line.substr(0, close));
    return true;
}

// Adds every "name.ext": of the line whose extension is a companion's.
void CollectCompanionNames(std::string_view line, std::vector<std::string>& names) {
    for (size_t colon = line.find("\":"); colon != std::string_view::npos;
         colon = line.find("\":", colon + 2)) {
        const size_t open = line.rfind('"', colon == 0 ? 0 : colon - 1);
        if (open == std::string_view::npos || open + 1 >= colon) continue;
        const std::string_view name = line.substr(open + 1, colon - open - 1);
        if (!IsCompanionExtension(ExtensionOf(name))) continue;
        std::string decoded = DecodeName(name);
        bool known = false;
        for (const std::string& n : names) known = known || FoldName(n) == FoldName(decoded);
        if (!known) names.push_back(std::move(decoded));
    }
}

}  // namespace

std::string AccessProblem(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        std::error_code ignored;
        const bool link =
            std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored));
        return link ? "It is a symbolic link to a file that does not exist."
                    : std::string(MissingFileProblem);
    }
    if (error == std::errc::too_many_symbolic_link_levels) return "It is a loop of symbolic links.";
    if (error) return error.message() + ".";
    return {};
}

ModuleFacts ExamineModuleText(std::string_view bytes) {
    ModuleFacts facts;
    if (std::memchr(bytes.data(), 0, std::min(bytes.size(), TextProbeBytes)) != nullptr) {
        facts.Problem = "It is not a text file.";
        facts.Binary = true;
        return facts;
    }
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        if (ReadVbName(line, facts.VbName)) break;
        CollectCompanionNames(line, facts.CompanionNames);
        start = end + 1;
    }
    return facts;
}

ModuleFacts ExamineModuleFile(const std::filesystem::path& path) {
    try {
        // The name stands near the top, after a form's description: most files need no more
        // than their head read, which matters for a folder of thousands of modules.
        constexpr size_t head = 8 * 1024;
        const std::string bytes = ReadInputFile(path.string(), MaxModuleBytes, head);
        ModuleFacts found = ExamineModuleText(bytes);
        if (!found.VbName.empty() || !found.Problem.empty() || bytes.size() < head) return found;
        return ExamineModuleText(ReadInputFile(path.string(), MaxModuleBytes));
    } catch (const InputFileError& e) {
        // Only a file that cannot be read is asked why, in the words of AccessProblem when it
        // has them: a missing file, a link to nothing, a loop of links.
        ModuleFacts unreadable;
        unreadable.Problem = AccessProblem(path);
        if (unreadable.Problem.empty()) unreadable.Problem = e.what();
        return unreadable;
    }
}

std::vector<Companion> FindCompanions(const std::filesystem::path& modulePath, ModuleKind kind,
                                      const ModuleFacts& facts, const std::filesystem::path& base,
                                      FolderIndex& index) {
    std::vector<Companion> companions;
    const std::filesystem::path folder = modulePath.parent_path();
    for (std::string_view extension : CompanionExtensions(kind)) {
        bool named = false;
        for (const std::string& name : facts.CompanionNames) {
            if (!EqualsIgnoringAsciiCase(ExtensionOf(name), extension)) continue;
            named = true;
            const ResolvedPath found = index.Resolve(folder, name);
            companions.push_back({RelativeText(found.FullPath, base), found.FullPath,
                                  found.Found ? "" : std::string(MissingFileProblem)});
        }
        if (named) continue;
        const std::string beside =
            index.Find(folder, modulePath.stem().string() + "." + std::string(extension));
        if (!beside.empty()) {
            companions.push_back({RelativeText(folder / beside, base), folder / beside, ""});
        }
    }
    return companions;
}

}  // namespace dualis::project
