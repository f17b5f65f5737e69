// A VBA project read out of its storage: the `dir` stream's facts and module list, the PROJECT
// stream, each module's stored source (decompressed from its text offset in its stream) and a
// UserForm's designer, all bounded.
//
// The project's storage holds:
//   VBA/dir             the compressed list of modules and references
//   VBA/<stream name>   per module: compiled code, then the compressed source from its offset
//   PROJECT             the module kinds, the protection, the editor's workspace
//   <form name>/        per UserForm: \x03VBFrame (the form's properties as text), f, o, ...
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CompoundFile.h"
#include "ProjectStream.h"

namespace dualis::office {

// Streams larger than this are refused: a module's compressed source and its compiled code
// stay far below it.
inline constexpr uint64_t MaxStreamBytes = 256 * 1024 * 1024;

struct DesignerPart {
    std::string Path;   // inside the form's storage, "/"-separated: "f", "o", "i05/f"
    std::string Bytes;  // as stored
};

struct VbaModule {
    std::string Name;        // UTF-8: MODULENAMEUNICODE, else MODULENAME decoded
    std::string StreamName;  // UTF-8, the stream's name in VBA/, which need not be Name
    DeclaredKind Kind = DeclaredKind::Standard;
    std::string Code;      // UTF-8, line ends as stored
    std::string Designer;  // UTF-8: a form's \x03VBFrame text; empty for other modules
    std::string CodeBytes, DesignerBytes;  // the same in the project's code page
    // A form's control data ("f", "o", a frame's "i05/f"): the streams of its storage whose
    // names do not start with a control character, in the storage's order.
    std::vector<DesignerPart> Parts;
    // The module's stream has compiled code but no source, or an empty one: what runs may not
    // be what is shown.
    bool CompiledOnly = false;
    bool DesignerMissing = false;  // a form without its designer storage
};

struct VbaReference {
    std::string Name;   // UTF-8
    std::string Libid;  // UTF-8, as DirReference::Libid
};

struct VbaProject {
    uint32_t CodePage = 1252;
    bool CodePageKnown = true;                     // false: the text was read as Windows-1252
    std::string Name;                              // UTF-8
    std::string Description, HelpFile, Constants;  // UTF-8
    uint32_t HelpContext = 0;
    uint32_t SysKind = 0;
    std::vector<VbaReference> References;
    std::vector<ProjectLine> ProjectLines;  // the PROJECT stream, decoded to UTF-8
    ProjectProtection Protection;
    std::vector<VbaModule> Modules;  // in the dir stream's order
};

// Reads the project whose storage is `storage` (with its VBA storage and PROJECT stream).
// Raises FormatError; a fault in one module names it.
VbaProject ReadVbaProject(const CompoundFile& file, uint32_t storage);

// True when the storage holds a VBA project: a VBA storage with a dir stream.
bool HoldsVbaProject(const CompoundFile& file, uint32_t storage);

}  // namespace dualis::office
