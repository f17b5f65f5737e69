#include "ProjectFile.h"

#include <cstring>

#include "FileIO.h"
#include "Kinds.h"
#include "PathResolve.h"
#include "RawLoader.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string DecodeText(std::string_view bytes) {
    if (bytes.starts_with(Utf8ByteOrderMark)) {
        bytes.remove_prefix(Utf8ByteOrderMark.size());
        return IsValidUtf8(bytes) ? std::string(bytes) : RepairUtf8(bytes);
    }
    return DecodeName(bytes);
}

// Calls `line` with each line of the text; CR LF, CR and LF each end a line.
template <class Line>
void ForEachLine(std::string_view text, Line&& line) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            line(text.substr(start));
            return;
        }
        line(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

bool IsGroupMemberKey(std::string_view key) {
    return EqualsIgnoringAsciiCase(key, "Project") ||
           EqualsIgnoringAsciiCase(key, "StartupProject");
}

// "modMain; modMain.bas" for Module= and Class=; the path alone for every other member.
Member MakeMember(const Setting& s, bool named) {
    Member m;
    m.Key = s.Key;
    m.Value = s.Value;
    const size_t semicolon = named ? s.Value.find(';') : std::string::npos;
    if (semicolon != std::string::npos) {
        m.Name = Trim(std::string_view(s.Value).substr(0, semicolon));
        m.Path = Trim(std::string_view(s.Value).substr(semicolon + 1));
    } else {
        m.Path = Unquote(s.Value);
    }
    if (m.Name.empty()) m.Name = BaseNameOf(m.Path);
    m.RelativePath = NormalisePath(m.Path);
    return m;
}

}  // namespace

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string BaseNameOf(std::string_view writtenPath) {
    const size_t slash = writtenPath.find_last_of("/\\");
    std::string_view name =
        slash == std::string_view::npos ? writtenPath : writtenPath.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

ProjectFile ParseProjectText(std::string_view bytes, ProjectFileKind kind) {
    ProjectFile file;
    file.Kind = kind;
    if (std::memchr(bytes.data(), 0, std::min(bytes.size(), TextProbeBytes)) != nullptr) {
        file.Problem = "It is not a text file.";
        return file;
    }
    const std::string text = DecodeText(bytes);
    std::string section;
    bool sawLine = false;
    bool hasType = false;
    ForEachLine(text, [&](std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (line.empty() || !file.Problem.empty()) return;
        const bool firstLine = !sawLine;
        sawLine = true;
        if (kind == ProjectFileKind::Group && firstLine) {
            if (line.size() >= 7 && EqualsIgnoringAsciiCase(line.substr(0, 7), "VBGROUP")) {
                file.Header = line;
            } else {
                file.Problem =
                    "It is not a Visual Basic project group: it does not start with "
                    "VBGROUP.";
            }
            return;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            return;
        }
        const size_t equals = line.find('=');
        Setting s{section, std::string(Trim(line.substr(0, equals))),
                  equals == std::string_view::npos ? std::string()
                                                   : std::string(Trim(line.substr(equals + 1)))};
        if (section.empty()) {
            if (kind == ProjectFileKind::Project) {
                hasType = hasType || EqualsIgnoringAsciiCase(s.Key, "Type");
                const auto moduleKind = ModuleKindOfKey(s.Key);
                if (moduleKind) {
                    const bool named =
                        *moduleKind == ModuleKind::Module || *moduleKind == ModuleKind::Class;
                    file.Members.push_back(MakeMember(s, named));
                }
            } else if (kind == ProjectFileKind::Group && IsGroupMemberKey(s.Key)) {
                file.Members.push_back(MakeMember(s, false));
            }
        }
        file.Settings.push_back(std::move(s));
    });
    if (file.Problem.empty() && kind == ProjectFileKind::Project && !hasType) {
        file.Problem = "It is not a Visual Basic project file: it has no Type= line.";
    } else if (file.Problem.empty() && kind == ProjectFileKind::Group && !sawLine) {
        file.Problem = "It is not a Visual Basic project group: it is empty.";
    }
    if (!file.Problem.empty()) {
        file.Settings.clear();
        file.Members.clear();
        file.Header.clear();
    }
    if (const Setting* name = FindSetting(file, "Name")) file.Name = Unquote(name->Value);
    return file;
}

ProjectFile ReadProjectFile(const std::filesystem::path& path, ProjectFileKind kind) {
    ProjectFile file;
    try {
        file = ParseProjectText(ReadInputFile(path.string(), MaxProjectFileBytes), kind);
    } catch (const InputFileError& error) {
        file.Kind = kind;
        file.Problem = error.what();
    }
    file.FullPath = path;
    if (file.Name.empty()) file.Name = DecodeName(BaseNameOf(path.filename().string()));
    return file;
}

const Setting* FindSetting(const ProjectFile& file, std::string_view key) {
    for (const Setting& s : file.Settings) {
        if (!s.Section.empty()) break;
        if (EqualsIgnoringAsciiCase(s.Key, key)) return &s;
    }
    return nullptr;
}

}  // namespace dualis::project
