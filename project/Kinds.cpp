#include "Kinds.h"

#include <array>

#include "TextCodec.h"

namespace dualis::project {
namespace {

struct KindFacts {
    ModuleKind Kind;
    std::string_view Key;
    std::string_view Extension;
};

constexpr std::array<KindFacts, 8> Kinds{{
    {ModuleKind::Form, "Form", "frm"},
    {ModuleKind::Module, "Module", "bas"},
    {ModuleKind::Class, "Class", "cls"},
    {ModuleKind::UserControl, "UserControl", "ctl"},
    {ModuleKind::PropertyPage, "PropertyPage", "pag"},
    {ModuleKind::UserDocument, "UserDocument", "dob"},
    {ModuleKind::Designer, "Designer", "dsr"},
    {ModuleKind::RelatedDocument, "RelatedDoc", ""},
}};

}  // namespace

std::string_view ModuleKindKey(ModuleKind kind) {
    return Kinds[static_cast<size_t>(kind)].Key;
}

std::optional<ModuleKind> ModuleKindOfKey(std::string_view key) {
    for (const KindFacts& k : Kinds) {
        if (EqualsIgnoringAsciiCase(k.Key, key)) return k.Kind;
    }
    return std::nullopt;
}

std::optional<ModuleKind> ModuleKindOfExtension(std::string_view extension) {
    if (extension.empty()) return std::nullopt;
    for (const KindFacts& k : Kinds) {
        if (EqualsIgnoringAsciiCase(k.Extension, extension)) return k.Kind;
    }
    return std::nullopt;
}

const std::vector<std::string_view>& CompanionExtensions(ModuleKind kind) {
    static const std::vector<std::string_view> none;
    static const std::vector<std::string_view> form{"frx"}, control{"ctx"}, page{"pgx"},
        document{"dox"}, designer{"dsx", "dca"};
    switch (kind) {
        case ModuleKind::Form:
            return form;
        case ModuleKind::UserControl:
            return control;
        case ModuleKind::PropertyPage:
            return page;
        case ModuleKind::UserDocument:
            return document;
        case ModuleKind::Designer:
            return designer;
        default:
            return none;
    }
}

bool IsCompanionExtension(std::string_view extension) {
    for (std::string_view e : {"frx", "ctx", "pgx", "dox", "dsx", "dca", "res"}) {
        if (EqualsIgnoringAsciiCase(e, extension)) return true;
    }
    return false;
}

std::string_view ExtensionOf(std::string_view fileName) {
    const size_t slash = fileName.find_last_of("/\\");
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    return fileName.substr(dot + 1);
}

}  // namespace dualis::project
