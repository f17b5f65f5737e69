// VBA projects laid out as Office lays them out, for the tests: the dir stream, the PROJECT
// stream, the module streams and the forms' storages, and the documents that hold them.
#include "OfficeWriter.h"

namespace dualis::office::test {
namespace {

void PutU16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
void PutU32(std::string& out, uint32_t v) {
    PutU16(out, static_cast<uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}
void Record(std::string& out, uint16_t id, std::string_view data) {
    PutU16(out, id);
    PutU32(out, static_cast<uint32_t>(data.size()));
    out += data;
}
std::string U32Bytes(uint32_t v) {
    std::string s;
    PutU32(s, v);
    return s;
}
std::string U16Bytes(uint16_t v) {
    std::string s;
    PutU16(s, v);
    return s;
}
std::string Sized(std::string_view text) {
    return U32Bytes(static_cast<uint32_t>(text.size())) + std::string(text);
}

const char* KindKey(TestModule::Kind kind) {
    switch (kind) {
        case TestModule::Kind::Standard:
            return "Module";
        case TestModule::Kind::Class:
            return "Class";
        case TestModule::Kind::Document:
            return "Document";
        default:
            return "BaseClass";
    }
}

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        out += digits[static_cast<uint8_t>(c) >> 4];
        out += digits[static_cast<uint8_t>(c) & 15];
    }
    return out;
}

std::string StreamNameOf(const TestModule& m) {
    return m.StreamName.empty() ? m.Name : m.StreamName;
}

}  // namespace

std::string EncryptProjectValue(std::string_view data, uint8_t seed, uint8_t key) {
    std::string out;
    const uint8_t versionEnc = seed ^ 2, keyEnc = seed ^ key;
    out += static_cast<char>(seed);
    out += static_cast<char>(versionEnc);
    out += static_cast<char>(keyEnc);
    uint8_t plainBefore = key, encBefore = keyEnc, encTwoBack = versionEnc;
    const auto put = [&](uint8_t plain) {
        const uint8_t enc = plain ^ static_cast<uint8_t>(encTwoBack + plainBefore);
        out += static_cast<char>(enc);
        encTwoBack = encBefore;
        encBefore = enc;
        plainBefore = plain;
    };
    for (int k = 0; k < (seed & 6) / 2; ++k) put(0x07);
    for (int k = 0; k < 4; ++k) put(static_cast<uint8_t>(data.size() >> (8 * k)));
    for (const char c : data) put(static_cast<uint8_t>(c));
    std::string quoted(1, '"');
    quoted += Hex(out);
    quoted += '"';
    return quoted;
}

std::string DirStream(const TestProject& p) {
    std::string d;
    const auto mbcs = [&](std::string_view utf8) { return Encode(utf8, p.CodePage); };
    Record(d, 0x0001, U32Bytes(3));
    if (p.WithCompatVersion) Record(d, 0x004A, U32Bytes(0x0000001F));
    Record(d, 0x0002, U32Bytes(0x0409));
    Record(d, 0x0014, U32Bytes(0x0409));
    Record(d, 0x0003, U16Bytes(p.CodePage));
    if (!p.UnknownRecord.empty()) Record(d, 0x0077, p.UnknownRecord);
    Record(d, 0x0004, mbcs(p.Name));
    Record(d, 0x0005, "");
    Record(d, 0x0040, "");
    Record(d, 0x0006, "");
    Record(d, 0x003D, "");
    Record(d, 0x0007, U32Bytes(0));
    Record(d, 0x0008, U32Bytes(0));
    // PROJECTVERSION: a Size of 4, then 6 bytes.
    PutU16(d, 0x0009);
    PutU32(d, 4);
    PutU32(d, 0x5B2C7D1A);
    PutU16(d, 0x000B);
    Record(d, 0x000C, mbcs(p.Constants));
    Record(d, 0x003C, Utf16Le(p.Constants));
    for (int r = 0; r < p.References; ++r) {
        const std::string name = r == 0 ? "stdole" : "Library" + std::to_string(r);
        Record(d, 0x0016, name);
        Record(d, 0x003E, Utf16Le(name));
        if (r == 1) {
            // A control's reference: its twiddled part, its own name, its extended part.
            Record(d, 0x002F,
                   Sized("*\\G{00000000-0000-0000-0000-000000000000}#0.0#0##") + U32Bytes(0) +
                       U16Bytes(0));
            Record(d, 0x0016, "MSForms");
            Record(d, 0x003E, Utf16Le("MSForms"));
            Record(d, 0x0030,
                   Sized("*\\G{0D452EE1-E08F-101A-852E-02608C4D0BB4}#2.0#0#C:\\Windows\\"
                         "system32\\FM20.DLL#Microsoft Forms 2.0 Object Library") +
                       U32Bytes(0) + U16Bytes(0) + std::string(16, '\x11') + U32Bytes(0));
            continue;
        }
        const std::string guid =
            r == 0 ? "00020430-0000-0000-C000-000000000046"
                   : "00020430-0000-0000-C000-" + std::string(8, '0') + std::to_string(1000 + r);
        Record(d, 0x000D,
               Sized("*\\G{" + guid + "}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE Automation") +
                   U32Bytes(0) + U16Bytes(0));
    }
    Record(d, 0x000F, U16Bytes(static_cast<uint16_t>(p.Modules.size())));
    Record(d, 0x0013, U16Bytes(0xFFFF));
    for (const TestModule& m : p.Modules) {
        Record(d, 0x0019, mbcs(m.Name));
        if (m.UnicodeName) Record(d, 0x0047, Utf16Le(m.Name));
        Record(d, 0x001A, mbcs(StreamNameOf(m)));
        Record(d, 0x0032, Utf16Le(StreamNameOf(m)));
        Record(d, 0x001C, "");
        Record(d, 0x0048, "");
        Record(d, 0x0031, U32Bytes(static_cast<uint32_t>(m.PCode.size())));
        Record(d, 0x001E, U32Bytes(0));
        Record(d, 0x002C, U16Bytes(0xFFFF));
        Record(d, m.Type == TestModule::Kind::Standard ? 0x0021 : 0x0022, "");
        Record(d, 0x002B, "");
    }
    Record(d, 0x0010, "");
    return d;
}

std::string ProjectStream(const TestProject& p) {
    std::string t = "ID=\"" + p.ProjectId + "\"\r\n";
    for (const TestModule& m : p.Modules) {
        if (!m.DeclaredInProject) continue;
        if (m.Type == TestModule::Kind::Form)
            t += "Package={AC9F2F90-E877-11CE-9F68-00AA00574A4F}\r\n";
        t += std::string(KindKey(m.Type)) + "=" + m.Name +
             (m.Type == TestModule::Kind::Document ? "/&H00000000" : "") + "\r\n";
    }
    t += "Name=\"" + p.Name + "\"\r\nHelpContextID=\"0\"\r\nVersionCompatible32=\"393222000\"\r\n";
    const std::string state = U32Bytes(p.LockedForViewing ? 1 : 0);
    const std::string password = p.Password ? std::string(29, '\x5A') : std::string(1, '\0');
    const std::string visible(1, p.LockedForViewing ? '\0' : '\xFF');
    t += "CMG=" + EncryptProjectValue(state, p.Seed, 0x31) + "\r\n";
    t += "DPB=" + EncryptProjectValue(password, static_cast<uint8_t>(p.Seed + 1), 0x31) + "\r\n";
    t += "GC=" + EncryptProjectValue(visible, static_cast<uint8_t>(p.Seed + 2), 0x31) + "\r\n\r\n";
    t += "[Host Extender Info]\r\n&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;"
         "&H00000000\r\n\r\n[Workspace]\r\n";
    for (const TestModule& m : p.Modules) t += m.Name + "=0, 0, 0, 0, C\r\n";
    return Encode(t, p.CodePage);
}

void AddVbaProject(CompoundFileWriter& file, const std::string& prefix, const TestProject& p) {
    file.AddStream(prefix + "VBA/dir", Compress(DirStream(p)));
    file.AddStream(prefix + "VBA/_VBA_PROJECT", std::string("\xCC\x61\xFF\xFF\x00\x00\x00", 7));
    file.AddStream(prefix + "PROJECT", ProjectStream(p));
    for (const TestModule& m : p.Modules) {
        std::string stream = m.PCode;
        if (!m.WithoutSource) stream += Compress(Encode(m.Source, p.CodePage), m.RawChunks);
        file.AddStream(prefix + "VBA/" + StreamNameOf(m), stream);
        if (m.Type != TestModule::Kind::Form) continue;
        const std::string storage = prefix + m.Name + "/";
        file.AddStorage(prefix + m.Name);
        if (!m.Designer.empty()) {
            file.AddStream(storage + "\x03VBFrame", Encode(m.Designer, p.CodePage));
        }
        file.AddStream(storage +
                           "\x01"
                           "CompObj",
                       std::string(40, '\x01'));
        for (const auto& [path, bytes] : m.Parts) file.AddStream(storage + path, bytes);
    }
}

std::string VbaProjectBin(const TestProject& project) {
    CompoundFileWriter file;
    AddVbaProject(file, "", project);
    return file.Build();
}

std::string XlsmOf(const TestProject& project, bool typeListed) {
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    types += typeListed ? "<Override PartName=\"/xl/vbaProject.bin\" "
                          "ContentType=\"application/vnd.ms-office.vbaProject\"/>"
                        : "<Default Extension=\"bin\" ContentType=\"application/octet-stream\"/>";
    types += "</Types>";
    const std::string rootRels =
        "<?xml version=\"1.0\"?><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const std::string workbookRels =
        "<?xml version=\"1.0\"?><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId9\" Type=\"http://schemas.microsoft.com/office/2006/relationships/"
        "vbaProject\" Target=\"vbaProject.bin\"/></Relationships>";
    return ZipOf({{"[Content_Types].xml", types},
                  {"_rels/.rels", rootRels},
                  {"xl/workbook.xml", "<workbook/>"},
                  {"xl/_rels/workbook.xml.rels", workbookRels},
                  {"xl/vbaProject.bin", VbaProjectBin(project)}});
}

std::string XlsOf(const TestProject& project) {
    CompoundFileWriter file;
    file.AddStream("Workbook", std::string(5000, '\x09'));
    AddVbaProject(file, "_VBA_PROJECT_CUR/", project);
    return file.Build();
}

std::string DocOf(const TestProject& project) {
    CompoundFileWriter file;
    file.AddStream("WordDocument", std::string(6000, '\xEC'));
    file.AddStream("1Table", std::string(100, '\x00'));
    AddVbaProject(file, "Macros/", project);
    return file.Build();
}

std::string PptOf(const TestProject& project) {
    const std::string storage = VbaProjectBin(project);
    std::string stream;
    // A document container with an atom inside, then the project's compressed storage.
    PutU16(stream, 0x000F);
    PutU16(stream, 0x03E8);
    PutU32(stream, 8 + 4);
    PutU16(stream, 0x0000);
    PutU16(stream, 0x03E9);
    PutU32(stream, 4);
    PutU32(stream, 0);
    const std::string compressed =
        U32Bytes(static_cast<uint32_t>(storage.size())) + ZlibCompress(storage);
    PutU16(stream, 0x0010);  // version 0, instance 1: compressed
    PutU16(stream, 0x1011);
    PutU32(stream, static_cast<uint32_t>(compressed.size()));
    stream += compressed;
    CompoundFileWriter file;
    file.AddStream("PowerPoint Document", stream);
    file.AddStream("Current User", std::string(30, '\x00'));
    return file.Build();
}

}  // namespace dualis::office::test
