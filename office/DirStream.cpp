#include "DirStream.h"

#include "Bytes.h"

namespace dualis::office {
namespace {

// The record ids this reader takes notice of.
enum : uint16_t {
    SysKindId = 0x0001,
    LcidId = 0x0002,
    CodePageId = 0x0003,
    NameId = 0x0004,
    DocStringId = 0x0005,
    HelpFileId = 0x0006,
    HelpContextId = 0x0007,
    VersionId = 0x0009,
    ConstantsId = 0x000C,
    RegisteredId = 0x000D,
    ProjectReferenceId = 0x000E,
    TerminatorId = 0x0010,
    ReferenceNameId = 0x0016,
    ModuleNameId = 0x0019,
    StreamNameId = 0x001A,
    ProceduralId = 0x0021,
    NonProceduralId = 0x0022,
    ReadOnlyId = 0x0025,
    PrivateId = 0x0028,
    ModuleEndId = 0x002B,
    ControlId = 0x002F,
    ControlExtendedId = 0x0030,
    TextOffsetId = 0x0031,
    StreamNameUnicodeId = 0x0032,
    OriginalId = 0x0033,
    ConstantsUnicodeId = 0x003C,
    ReferenceNameUnicodeId = 0x003E,
    DocStringUnicodeId = 0x0040,
    ModuleNameUnicodeId = 0x0047,
};

uint32_t Number(std::string_view data) {
    ByteCursor c(data, "A dir record");
    return data.size() >= 4 ? c.U32() : data.size() >= 2 ? c.U16() : 0;
}

// A Libid stored as a 32-bit size and the text, at the start of a reference record's data.
std::string SizedText(ByteCursor& c) {
    const uint32_t size = c.U32();
    return std::string(c.Take(size));
}

class Walker {
  public:
    void Record(uint16_t id, std::string_view data) {
        if (id == ModuleNameId) {
            info_.Modules.emplace_back();
            info_.Modules.back().NameMbcs = data;
            inModule_ = true;
            return;
        }
        if (inModule_) {
            ModuleRecord(id, data);
        } else {
            ProjectRecord(id, data);
        }
    }
    void Version(uint32_t major, uint16_t minor) {
        info_.VersionMajor = major;
        info_.VersionMinor = minor;
    }
    DirInfo Take() { return std::move(info_); }

  private:
    void ModuleRecord(uint16_t id, std::string_view data) {
        DirModule& m = info_.Modules.back();
        switch (id) {
            case ModuleNameUnicodeId:
                m.NameUnicode = data;
                break;
            case StreamNameId:
                m.StreamNameMbcs = data;
                break;
            case StreamNameUnicodeId:
                m.StreamNameUnicode = data;
                break;
            case TextOffsetId:
                if (data.size() != 4)
                    throw FormatError("A module's text offset record is not valid.");
                m.TextOffset = Number(data);
                m.HasTextOffset = true;
                break;
            case ProceduralId:
                m.Procedural = true;
                break;
            case NonProceduralId:
                m.Procedural = false;
                break;
            case ReadOnlyId:
                m.ReadOnly = true;
                break;
            case PrivateId:
                m.Private = true;
                break;
            case ModuleEndId:
                inModule_ = false;
                break;
            default:
                break;
        }
    }

    void ProjectRecord(uint16_t id, std::string_view data) {
        switch (id) {
            case SysKindId:
                info_.SysKind = Number(data);
                break;
            case LcidId:
                info_.Lcid = Number(data);
                break;
            case CodePageId:
                info_.CodePage = static_cast<uint16_t>(Number(data));
                info_.HasCodePage = true;
                break;
            case NameId:
                info_.NameMbcs = data;
                break;
            case DocStringId:
                info_.DocStringMbcs = data;
                break;
            case DocStringUnicodeId:
                info_.DocStringUnicode = data;
                break;
            case HelpFileId:
                info_.HelpFileMbcs = data;
                break;
            case HelpContextId:
                info_.HelpContext = Number(data);
                break;
            case ConstantsId:
                info_.ConstantsMbcs = data;
                break;
            case ConstantsUnicodeId:
                info_.ConstantsUnicode = data;
                break;
            default:
                ReferenceRecord(id, data);
                break;
        }
    }

    // A reference: an optional name record, then the reference itself. A control's reference
    // carries a name record of its own and ends with its extended part.
    void ReferenceRecord(uint16_t id, std::string_view data) {
        switch (id) {
            case ReferenceNameId:
                if (!inControl_) pending_ = {std::string(data), std::string()};
                break;
            case ReferenceNameUnicodeId:
                if (!inControl_) pending_.second = data;
                break;
            case RegisteredId: {
                ByteCursor c(data, "A reference record");
                Add(DirReference::Kind::Registered).Libid = SizedText(c);
                break;
            }
            case ProjectReferenceId: {
                ByteCursor c(data, "A reference record");
                Add(DirReference::Kind::Project).Libid = SizedText(c);
                break;
            }
            case OriginalId:
                Add(DirReference::Kind::Control).Libid = data;
                originalOpen_ = true;
                break;
            case ControlId: {
                DirReference& ref =
                    originalOpen_ ? info_.References.back() : Add(DirReference::Kind::Control);
                originalOpen_ = false;
                ByteCursor c(data, "A reference record");
                ref.Libid = SizedText(c);
                inControl_ = true;
                break;
            }
            case ControlExtendedId:
                if (inControl_) {
                    ByteCursor c(data, "A reference record");
                    const std::string extended = SizedText(c);
                    if (!extended.empty()) info_.References.back().Libid = extended;
                }
                inControl_ = false;
                break;
            default:
                break;
        }
    }

    DirReference& Add(DirReference::Kind kind) {
        DirReference ref;
        ref.Type = kind;
        ref.NameMbcs = std::move(pending_.first);
        ref.NameUnicode = std::move(pending_.second);
        pending_ = {};
        info_.References.push_back(std::move(ref));
        return info_.References.back();
    }

    DirInfo info_;
    bool inModule_ = false;
    bool inControl_ = false;
    bool originalOpen_ = false;
    std::pair<std::string, std::string> pending_;  // the last reference name, Mbcs and Unicode
};

}  // namespace

DirInfo ParseDirStream(std::string_view bytes) {
    ByteCursor c(bytes, "The dir stream");
    Walker walker;
    while (c.Left() > 0) {
        const uint16_t id = c.U16();
        if (id == TerminatorId) break;
        if (id == VersionId) {
            // The one record whose Size (4) does not count its data (6 bytes).
            c.Skip(4);
            const uint32_t major = c.U32();
            walker.Version(major, c.U16());
            continue;
        }
        const uint32_t size = c.U32();
        walker.Record(id, c.Take(size));
    }
    return walker.Take();
}

}  // namespace dualis::office
