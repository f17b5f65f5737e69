// The kinds of module a Visual Basic project holds, and the file extensions that give them and
// their binary companions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace dualis::project {

// In the order the project explorer lists them; results sorted by kind follow it.
enum class ModuleKind : uint8_t {
    Form,
    Module,
    Class,
    UserControl,
    PropertyPage,
    UserDocument,
    Designer,
    RelatedDocument,  // a text file a project names with RelatedDoc=
};

// The project file's key for the kind: "Form", "Module", "Class", "UserControl",
// "PropertyPage", "UserDocument", "Designer", "RelatedDoc".
std::string_view ModuleKindKey(ModuleKind kind);

// The kind a project-file key names, in any letter case; none for another key.
std::optional<ModuleKind> ModuleKindOfKey(std::string_view key);

// The kind of a VB source file by its extension (without the dot, any letter case): frm, bas,
// cls, ctl, pag, dob, dsr. None for any other extension.
std::optional<ModuleKind> ModuleKindOfExtension(std::string_view extension);

// The extensions of the binary files that belong to a module of the kind and are saved beside
// it: frx for a form, ctx for a user control, pgx, dox, and dsx and dca for a designer.
const std::vector<std::string_view>& CompanionExtensions(ModuleKind kind);

// True for frx, ctx, pgx, dox, dsx, dca and res, in any letter case.
bool IsCompanionExtension(std::string_view extension);

// The extension of a file name without its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view fileName);

}  // namespace dualis::project
