// The VBA project found in each kind of container: Office Open XML packages, Excel, Word and
// PowerPoint 97 files, a bare vbaProject.bin; documents without macros, encrypted ones, and
// broken packages.
#include <gtest/gtest.h>

#include "Document.h"
#include "FormatError.h"
#include "OfficeWriter.h"
#include "Package.h"

namespace dualis::office {
namespace {

using test::TestModule;
using test::TestProject;

TestProject SmallProject() {
    TestProject p;
    TestModule m;
    m.Name = "modMain";
    m.Source = "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\nEnd Sub\r\n";
    m.PCode = "pcode";
    p.Modules = {m};
    return p;
}

std::string ReasonOf(std::string_view bytes) {
    try {
        ReadDocumentMacros(bytes);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "";
}

TEST(Document, EveryContainerYieldsTheSameProject) {
    const TestProject p = SmallProject();
    for (const auto& [what, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"xlsm by content type", test::XlsmOf(p)},
             {"xlsm by relationship", test::XlsmOf(p, false)},
             {"xls", test::XlsOf(p)},
             {"doc", test::DocOf(p)},
             {"ppt", test::PptOf(p)},
             {"vbaProject.bin", test::VbaProjectBin(p)}}) {
        const auto project = ReadDocumentMacros(bytes);
        ASSERT_TRUE(project) << what;
        ASSERT_EQ(project->Modules.size(), 1u) << what;
        EXPECT_EQ(project->Modules[0].Code, p.Modules[0].Source) << what;
    }
}

TEST(Document, DocumentsWithoutMacrosHoldNoProject) {
    EXPECT_FALSE(ReadDocumentMacros(
        test::ZipOf({{"[Content_Types].xml", "<Types/>"}, {"xl/workbook.xml", "<workbook/>"}})));
    EXPECT_FALSE(ReadDocumentMacros(test::ZipOf({})));
    test::CompoundFileWriter xls;
    xls.AddStream("Workbook", std::string(5000, 'w'));
    EXPECT_FALSE(ReadDocumentMacros(xls.Build()));
    test::CompoundFileWriter ppt;
    ppt.AddStream("PowerPoint Document", std::string(16, '\0'));
    EXPECT_FALSE(ReadDocumentMacros(ppt.Build()));
    // A Macros storage without a VBA project in it.
    test::CompoundFileWriter doc;
    doc.AddStream("WordDocument", "w");
    doc.AddStream("Macros/PROJECT", "Name=\"x\"\r\n");
    EXPECT_FALSE(ReadDocumentMacros(doc.Build()));
}

TEST(Document, EncryptedDocumentsAreSaidToBe) {
    test::CompoundFileWriter ooxml;
    ooxml.AddStream("EncryptionInfo", "info");
    ooxml.AddStream("EncryptedPackage", std::string(5000, 'e'));
    EXPECT_EQ(ReasonOf(ooxml.Build()), EncryptedDocumentReason);
    test::CompoundFileWriter ppt;
    ppt.AddStream("PowerPoint Document", "x");
    ppt.AddStream("EncryptedSummary", "x");
    EXPECT_EQ(ReasonOf(ppt.Build()), EncryptedDocumentReason);
    EXPECT_EQ(std::string(EncryptedDocumentReason),
              "The document is encrypted; Dualis cannot read its macros.");
}

TEST(Document, BrokenPackagesSayWhatIsWrong) {
    const std::string xlsm = test::XlsmOf(SmallProject());
    EXPECT_EQ(ReasonOf("plain text"), "It is neither a zip package nor a compound file.");
    EXPECT_EQ(ReasonOf(xlsm.substr(0, xlsm.size() - 30)),
              "The zip archive has no central directory.");
    // The project's bytes changed: its checksum no longer agrees.
    std::string stored = test::ZipOf({{"[Content_Types].xml",
                                       "<Types><Override PartName=\"/xl/vbaProject.bin\" "
                                       "ContentType=\"application/vnd.ms-office.vbaProject\"/>"
                                       "</Types>"},
                                      {"xl/vbaProject.bin", test::VbaProjectBin(SmallProject())}},
                                     false);
    const size_t at = stored.find("\xD0\xCF\x11\xE0");
    stored[at + 600] ^= 0x55;
    EXPECT_EQ(ReasonOf(stored), "The part \"xl/vbaProject.bin\" fails its checksum.");
    // A project part that is no compound file.
    const std::string junk =
        test::ZipOf({{"[Content_Types].xml",
                      "<Types><Override PartName='/xl/vbaProject.bin' "
                      "ContentType='application/vnd.ms-office.vbaProject'/></Types>"},
                     {"xl/vbaProject.bin", std::string(1000, 'j')}});
    EXPECT_EQ(ReasonOf(junk), "The part \"xl/vbaProject.bin\": It is not a compound file.");
    // A deflated part that claims more than it holds.
    std::string lying = xlsm;
    const size_t name = lying.rfind("xl/vbaProject.bin");  // in the central directory
    const size_t sizeField = name - 46 + 24;
    lying[sizeField + 2] = '\x7F';
    EXPECT_EQ(ReasonOf(lying), "The part \"xl/vbaProject.bin\" is not of its stated size.");
    lying[sizeField + 3] = '\x7F';  // now beyond the limit: refused before it is inflated
    EXPECT_EQ(ReasonOf(lying), "The part \"xl/vbaProject.bin\" is larger than 256 MiB.");
}

TEST(Package, PartNamesResolveAgainstTheirSource) {
    EXPECT_EQ(ResolvePartName("", "/xl/vbaProject.bin"), "xl/vbaProject.bin");
    EXPECT_EQ(ResolvePartName("xl/workbook.xml", "vbaProject.bin"), "xl/vbaProject.bin");
    EXPECT_EQ(ResolvePartName("word/document.xml", "../custom/vba%20Project.bin"),
              "custom/vba Project.bin");
    EXPECT_EQ(ResolvePartName("a/b.xml", "./c/../d.bin"), "a/d.bin");
    const auto tags = StartTags(
        "<?xml version='1.0'?><!-- <Fake a='1'/> --><r:Rel Id=\"x&amp;y\" T='&#x41;&#66;'/>"
        "<![CDATA[<No/>]]></r:Rel>");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].Name, "Rel");
    EXPECT_EQ(*tags[0].Attribute("Id"), "x&y");
    EXPECT_EQ(*tags[0].Attribute("T"), "AB");
}

TEST(Document, TheExtensionsOfDocumentsAreKnown) {
    for (const char* e :
         {"xlsm", "XLSB", "xltm", "xlam", "docm", "dotm", "pptm", "potm", "ppsm", "ppam", "xls",
          "xla",  "xlt",  "doc",  "dot",  "ppt",  "pps",  "pot",  "xlsx", "docx", "pptx", "bin"}) {
        EXPECT_TRUE(IsDocumentExtension(e)) << e;
    }
    for (const char* e : {"bas", "cls", "frm", "vbp", "zip", "txt", ""}) {
        EXPECT_FALSE(IsDocumentExtension(e)) << e;
    }
}

}  // namespace
}  // namespace dualis::office
