#include "VbaProject.h"

#include "CodePage.h"
#include "Decompress.h"
#include "DirStream.h"
#include "FormatError.h"
#include "TextCodec.h"

namespace dualis::office {
namespace {

constexpr std::string_view DesignerTextStream = "\x03VBFrame";

class Decoder {
  public:
    explicit Decoder(uint32_t codePage) : codePage_(codePage) {}
    std::string operator()(std::string_view mbcs) const { return DecodeCodePage(mbcs, codePage_); }
    // The Unicode form when the record is there, else the code page's.
    std::string Prefer(std::string_view unicode, std::string_view mbcs) const {
        return unicode.empty() ? (*this)(mbcs) : Utf16AsUtf8(unicode, false);
    }

  private:
    uint32_t codePage_;
};

std::string Quoted(std::string_view what, const std::string& name) {
    return std::string(what) + " \"" + name + "\"";
}

// Reads a stream, naming it in any error.
std::string ReadStream(const CompoundFile& file, uint32_t id, const std::string& label) {
    try {
        return file.Read(id, MaxStreamBytes);
    } catch (const FormatError& e) {
        throw FormatError(label + ": " + e.what());
    }
}

// Streams whose names start with a control character belong to the storage's plumbing: the
// designer text (\x03VBFrame), the class of the object (\x01CompObj).
bool IsSystemStream(std::string_view name) {
    return !name.empty() && static_cast<unsigned char>(name[0]) < 0x20;
}

// A form's control data: every stream of its storage but the system ones, depth first in the
// tree's order.
std::vector<DesignerPart> ReadParts(const CompoundFile& file, uint32_t storage,
                                    const std::string& label) {
    struct Level {
        std::vector<uint32_t> Children;
        size_t Next = 0;
        std::string Prefix;
    };
    std::vector<DesignerPart> parts;
    std::vector<Level> levels{{file.Children(storage), 0, ""}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.Next == level.Children.size()) {
            levels.pop_back();
            continue;
        }
        const uint32_t id = level.Children[level.Next++];
        const DirectoryEntry& entry = file.Entry(id);
        const std::string path = level.Prefix + entry.Name;
        if (entry.Kind == EntryKind::Storage) {
            levels.push_back({file.Children(id), 0, path + "/"});
        } else if (entry.Kind == EntryKind::Stream && !IsSystemStream(entry.Name)) {
            parts.push_back({path, ReadStream(file, id, label)});
        }
    }
    return parts;
}

void ReadDesigner(const CompoundFile& file, uint32_t projectStorage, VbaModule& module,
                  const Decoder& decode) {
    const auto storage = file.Find(projectStorage, module.Name, EntryKind::Storage);
    if (!storage) {
        module.DesignerMissing = true;
        return;
    }
    const std::string label = Quoted("The form", module.Name);
    if (const auto text = file.Find(*storage, DesignerTextStream, EntryKind::Stream)) {
        module.DesignerBytes = ReadStream(file, *text, label);
        module.Designer = decode(module.DesignerBytes);
    }
    module.Parts = ReadParts(file, *storage, label);
}

DeclaredKind KindOf(const DirModule& record, const std::vector<ProjectLine>& lines,
                    const CompoundFile& file, uint32_t projectStorage, const std::string& name) {
    if (const auto declared = DeclaredKindOf(lines, record.NameMbcs)) return *declared;
    if (record.Procedural) return DeclaredKind::Standard;
    return file.Find(projectStorage, name, EntryKind::Storage) ? DeclaredKind::Form
                                                               : DeclaredKind::Class;
}

VbaModule ReadModule(const CompoundFile& file, uint32_t projectStorage, uint32_t vba,
                     const DirModule& record, const std::vector<ProjectLine>& rawLines,
                     const Decoder& decode) {
    VbaModule module;
    module.Name = decode.Prefer(record.NameUnicode, record.NameMbcs);
    module.StreamName = decode.Prefer(record.StreamNameUnicode, record.StreamNameMbcs);
    if (module.StreamName.empty()) module.StreamName = module.Name;
    const std::string label = Quoted("The module", module.Name);
    module.Kind = KindOf(record, rawLines, file, projectStorage, module.Name);
    const auto stream = file.Find(vba, module.StreamName, EntryKind::Stream);
    if (!stream)
        throw FormatError(label + ": its stream \"" + module.StreamName + "\" is missing.");
    if (!record.HasTextOffset) throw FormatError(label + ": its text offset is missing.");
    const std::string bytes = ReadStream(file, *stream, label);
    if (record.TextOffset > bytes.size()) {
        throw FormatError(label + ": its text offset lies past the end of its stream.");
    }
    if (record.TextOffset < bytes.size()) {
        try {
            module.CodeBytes = Decompress(std::string_view(bytes).substr(record.TextOffset));
        } catch (const FormatError& e) {
            throw FormatError(label + ": " + e.what());
        }
    }
    // A last raw chunk is padded with NUL bytes, which are no part of the text.
    while (!module.CodeBytes.empty() && module.CodeBytes.back() == '\0')
        module.CodeBytes.pop_back();
    module.CompiledOnly = record.TextOffset > 0 && module.CodeBytes.empty();
    module.Code = decode(module.CodeBytes);
    if (module.Kind == DeclaredKind::Form) ReadDesigner(file, projectStorage, module, decode);
    return module;
}

}  // namespace

bool HoldsVbaProject(const CompoundFile& file, uint32_t storage) {
    const auto vba = file.Find(storage, "VBA", EntryKind::Storage);
    return vba && file.Find(*vba, "dir", EntryKind::Stream);
}

VbaProject ReadVbaProject(const CompoundFile& file, uint32_t storage) {
    const auto vba = file.Find(storage, "VBA", EntryKind::Storage);
    const auto dirStream = vba ? file.Find(*vba, "dir", EntryKind::Stream) : std::nullopt;
    if (!dirStream) throw FormatError("The project's dir stream is missing.");
    DirInfo dir;
    try {
        dir = ParseDirStream(Decompress(file.Read(*dirStream, MaxStreamBytes)));
    } catch (const FormatError& e) {
        throw FormatError(std::string("The dir stream: ") + e.what());
    }
    VbaProject project;
    project.CodePage = dir.CodePage;
    project.CodePageKnown = CodePageKnown(dir.CodePage);
    const Decoder decode(dir.CodePage);
    project.Name = decode(dir.NameMbcs);
    project.Description = decode.Prefer(dir.DocStringUnicode, dir.DocStringMbcs);
    project.HelpFile = decode(dir.HelpFileMbcs);
    project.Constants = decode.Prefer(dir.ConstantsUnicode, dir.ConstantsMbcs);
    project.HelpContext = dir.HelpContext;
    project.SysKind = dir.SysKind;
    for (const DirReference& ref : dir.References) {
        project.References.push_back(
            {decode.Prefer(ref.NameUnicode, ref.NameMbcs), decode(ref.Libid)});
    }
    std::vector<ProjectLine> rawLines;
    if (const auto text = file.Find(storage, "PROJECT", EntryKind::Stream)) {
        rawLines = ParseProjectStream(ReadStream(file, *text, "The PROJECT stream"));
    }
    project.Protection = ReadProtection(rawLines);
    for (const ProjectLine& line : rawLines) {
        project.ProjectLines.push_back(
            {decode(line.Section), decode(line.Key), decode(line.Value)});
    }
    for (const DirModule& record : dir.Modules) {
        project.Modules.push_back(ReadModule(file, storage, *vba, record, rawLines, decode));
    }
    return project;
}

}  // namespace dualis::office
