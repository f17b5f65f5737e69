// The PROJECT stream of a VBA project: text lines "Key=Value" in the project's code page, then
// sections such as [Host Extender Info] and [Workspace]. It tells the kinds of the modules apart
// and keeps the project's protection, encrypted.
//
//   ID="{5D6B3BA6-...}"              changes on every save
//   Document=ThisWorkbook/&H00000000  a document module (workbook, sheet, Word document)
//   Module=cfg                        a standard module
//   Class=cOrder                      a class module
//   BaseClass=InitWBS                 a UserForm
//   Name="VBAProject"
//   CMG="...", DPB="...", GC="..."    protection state, password, visibility: encrypted with a
//                                     new random seed on every save
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::office {

enum class DeclaredKind : uint8_t { Document, Standard, Class, Form };

struct ProjectLine {
    std::string Section;     // "" before the first section, else the name in the brackets
    std::string Key, Value;  // as stored, in the project's code page
};

// The lines of the stream; lines end at CR LF, CR or LF, and blank ones are left out.
std::vector<ProjectLine> ParseProjectStream(std::string_view bytes);

// The kind the stream declares for a module (its name as stored, compared without regard to
// the case of ASCII letters); none when it does not name it.
std::optional<DeclaredKind> DeclaredKindOf(const std::vector<ProjectLine>& lines,
                                           std::string_view moduleName);

// The data of one of the encrypted values (CMG, DPB, GC): the hexadecimal text, with or without
// its quotes, decrypted. None when it is not a valid encrypted value.
std::optional<std::string> DecryptProjectValue(std::string_view value);

struct ProjectProtection {
    bool Known = false;  // false when a value is missing or does not decrypt
    bool LockedForViewing = false;
    bool Password = false;
    bool HostProtected = false;
};

ProjectProtection ReadProtection(const std::vector<ProjectLine>& lines);

// "None", "Unknown", or what holds of "Locked for viewing", "Password", "Locked by the host",
// joined by ", ".
std::string DescribeProtection(const ProjectProtection& protection);

}  // namespace dualis::office
