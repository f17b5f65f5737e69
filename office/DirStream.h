// The `dir` stream of a VBA project, once decompressed: the project's facts and its list of
// modules, as a sequence of records.
//
// Every record is an Id (16 bits), a Size (32 bits) and Size bytes of data, with one exception:
// PROJECTVERSION (0x0009) has a Size of 4 followed by 6 bytes. Records Dualis does not know are
// passed over by their Size, so that newer optional records (PROJECTCOMPATVERSION, 0x004A) do
// no harm. A module starts with MODULENAME (0x0019) and ends with its terminator (0x002B);
// the stream ends with 0x0010.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::office {

// Texts are as stored: "Mbcs" in the project's code page, "Unicode" as UTF-16LE bytes (empty
// when the record is not there).
struct DirReference {
    enum class Kind : uint8_t { Registered, Project, Control };
    Kind Type = Kind::Registered;
    std::string NameMbcs, NameUnicode;
    // A registered library's Libid ("*\G{GUID}#2.0#0#C:\...\stdole2.tlb#OLE Automation"), a
    // project's absolute Libid, a control's extended Libid (its twiddled one when it has none).
    std::string Libid;
};

struct DirModule {
    std::string NameMbcs, NameUnicode;
    std::string StreamNameMbcs, StreamNameUnicode;
    uint32_t TextOffset = 0;  // where the compressed source starts in the module's stream
    bool HasTextOffset = false;
    bool Procedural = true;  // MODULETYPE 0x0021; false for 0x0022 (document, class, form)
    bool ReadOnly = false;
    bool Private = false;
};

struct DirInfo {
    uint32_t SysKind = 0;  // 0 16-bit Windows, 1 32-bit Windows, 2 Macintosh, 3 64-bit Windows
    uint32_t Lcid = 0;
    uint16_t CodePage = 1252;
    bool HasCodePage = false;
    std::string NameMbcs;
    std::string DocStringMbcs, DocStringUnicode;
    std::string HelpFileMbcs;
    uint32_t HelpContext = 0;
    std::string ConstantsMbcs, ConstantsUnicode;
    uint32_t VersionMajor = 0;
    uint16_t VersionMinor = 0;
    std::vector<DirReference> References;
    std::vector<DirModule> Modules;  // in the stream's order
};

// Walks the records of a decompressed dir stream. Raises FormatError when a record runs past
// the end of the stream or a module record stands outside a module.
DirInfo ParseDirStream(std::string_view bytes);

}  // namespace dualis::office
