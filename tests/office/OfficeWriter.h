// Office documents built in the tests: the VBA compression, a compound-file writer, a zip
// writer, and a VBA project laid out as Office lays it out, with the faults the tests need.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::office::test {

// The compressed container of the bytes: each chunk compressed, unless `raw` asks for raw
// chunks (the last one padded to 4,096 bytes with NUL bytes) or compression would make it
// larger than 4,096 bytes.
std::string Compress(std::string_view bytes, bool raw = false);

// The bytes in the code page (iconv), for text the tests write in UTF-8.
std::string Encode(std::string_view utf8, uint32_t codePage);
std::string Utf16Le(std::string_view utf8);

// A compound file built from paths: "VBA/dir" adds the storage VBA and its stream dir.
class CompoundFileWriter {
  public:
    void AddStream(const std::string& path, std::string bytes);
    void AddStorage(const std::string& path);
    // The file in sectors of 2^sectorShift bytes (9 or 12).
    std::string Build(unsigned sectorShift = 9) const;

  private:
    struct Node {
        bool Storage = true;
        std::string Bytes;
        std::map<std::string, Node> Children;  // by name
    };
    Node& Storage(const std::string& path);
    Node root_;
};

// One sector's entry of the FAT of a file Build made: where entry `sector` lies.
size_t FatEntryOffset(std::string_view file, uint32_t sector);

struct TestModule {
    enum class Kind : uint8_t { Standard, Class, Document, Form };
    std::string Name;        // UTF-8
    std::string StreamName;  // UTF-8; the name when empty
    Kind Type = Kind::Standard;
    std::string Source;  // UTF-8, encoded in the project's code page
    std::string PCode;   // the compiled code before the source: the text offset is its size
    bool RawChunks = false;
    bool UnicodeName = true;                                 // write MODULENAMEUNICODE
    bool DeclaredInProject = true;                           // named in the PROJECT stream
    bool WithoutSource = false;                              // the stream ends at the text offset
    std::string Designer;                                    // a form's \x03VBFrame text, UTF-8
    std::vector<std::pair<std::string, std::string>> Parts;  // a form's other streams
};

struct TestProject {
    uint16_t CodePage = 1252;
    std::string Name = "VBAProject";
    std::vector<TestModule> Modules;
    int References = 1;             // registered references, stdole2 and numbered copies
    bool WithCompatVersion = true;  // the newer optional PROJECTCOMPATVERSION record
    std::string UnknownRecord;      // a record of an unknown id, written after the code page
    std::string Constants;          // conditional compilation constants, UTF-8
    std::string ProjectId = "{00000000-0000-0000-0000-000000000001}";
    uint8_t Seed = 0x42;  // of the encrypted protection values
    bool Password = false;
    bool LockedForViewing = false;
};

// The decompressed dir stream, the PROJECT stream and the whole project storage.
std::string DirStream(const TestProject& project);
std::string ProjectStream(const TestProject& project);
void AddVbaProject(CompoundFileWriter& file, const std::string& prefix, const TestProject& project);
// A bare vbaProject.bin.
std::string VbaProjectBin(const TestProject& project);

// The protection values' encryption, with the seed and project key given.
std::string EncryptProjectValue(std::string_view data, uint8_t seed, uint8_t key);

// A zip archive of the entries, in order: deflated when `deflate`, else stored.
std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& entries,
                  bool deflate = true);

// An Office Open XML workbook holding the project as xl/vbaProject.bin, found through its
// content type (or only through the workbook's relationships when `typeListed` is false).
std::string XlsmOf(const TestProject& project, bool typeListed = true);
// An Excel 97 workbook (_VBA_PROJECT_CUR), a Word 97 document (Macros), a PowerPoint 97
// presentation (the project compressed in an ExOleObjStg record).
std::string XlsOf(const TestProject& project);
std::string DocOf(const TestProject& project);
std::string PptOf(const TestProject& project);

// The zlib stream of the bytes.
std::string ZlibCompress(std::string_view bytes);

}  // namespace dualis::office::test
