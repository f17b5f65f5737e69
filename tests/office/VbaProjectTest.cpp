// VBA projects the tests write, read back: the dir stream's records and their exceptions, the
// module kinds, the code pages, forms, compiled-only modules, protection, and broken projects.
#include <gtest/gtest.h>

#include "CompoundFile.h"
#include "Decompress.h"
#include "DirStream.h"
#include "FormatError.h"
#include "ModuleText.h"
#include "OfficeWriter.h"
#include "VbaProject.h"

namespace dualis::office {
namespace {

using test::TestModule;
using test::TestProject;
using Kind = TestModule::Kind;

VbaProject Read(const TestProject& project) {
    const std::string bin = test::VbaProjectBin(project);
    const CompoundFile file(bin);
    return ReadVbaProject(file, CompoundFile::RootEntry);
}

std::string ReasonOf(const std::string& bin) {
    try {
        const CompoundFile file(bin);
        ReadVbaProject(file, CompoundFile::RootEntry);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "";
}

std::string Module(const std::string& name, int procedures) {
    std::string text = "Attribute VB_Name = \"" + name + "\"\r\nOption Explicit\r\n";
    for (int k = 0; k < procedures; ++k) {
        text += "Public Sub Step" + std::to_string(k) + "()\r\n    Debug.Print \"" + name + " " +
                std::to_string(k) + "\"\r\nEnd Sub\r\n";
    }
    return text;
}

TestModule Standard(const std::string& name, int procedures = 3) {
    TestModule m;
    m.Name = name;
    m.Source = Module(name, procedures);
    m.PCode = std::string(37, '\xA5');
    return m;
}

TEST(VbaProject, ModulesOfEveryKindWithTheirSourceAsStored) {
    TestProject p;
    p.Modules.push_back(Standard("modMain"));
    TestModule doc = Standard("ThisWorkbook");
    doc.Type = Kind::Document;
    TestModule cls = Standard("cOrder");
    cls.Type = Kind::Class;
    TestModule form = Standard("frmInput");
    form.Type = Kind::Form;
    form.Designer =
        "VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} frmInput \r\n"
        "   Caption         =   \"Input\"\r\nEnd\r\n";
    form.Parts = {{"f", std::string("\x00\x04\x10", 3)}, {"o", "ob"}, {"i05/f", "frame"}};
    p.Modules = {p.Modules[0], doc, cls, form};
    const VbaProject project = Read(p);
    EXPECT_EQ(project.Name, "VBAProject");
    EXPECT_EQ(project.CodePage, 1252u);
    ASSERT_EQ(project.Modules.size(), 4u);
    const std::vector<DeclaredKind> kinds{DeclaredKind::Standard, DeclaredKind::Document,
                                          DeclaredKind::Class, DeclaredKind::Form};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(project.Modules[k].Name, p.Modules[k].Name);
        EXPECT_EQ(project.Modules[k].Kind, kinds[k]) << k;
        EXPECT_EQ(project.Modules[k].Code, p.Modules[k].Source) << k;
        EXPECT_FALSE(project.Modules[k].CompiledOnly);
    }
    const VbaModule& f = project.Modules[3];
    EXPECT_EQ(f.Designer, form.Designer);
    ASSERT_EQ(f.Parts.size(), 3u);  // \x01CompObj is left out
    EXPECT_EQ(f.Parts[0].Path, "f");
    EXPECT_EQ(f.Parts[0].Bytes, std::string("\x00\x04\x10", 3));
    EXPECT_EQ(f.Parts[1].Path, "o");
    EXPECT_EQ(f.Parts[2].Path, "i05/f");
    EXPECT_EQ(f.Parts[2].Bytes, "frame");
    ASSERT_EQ(project.References.size(), 1u);
    EXPECT_EQ(project.References[0].Name, "stdole");
    EXPECT_EQ(project.References[0].Libid,
              "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#"
              "OLE Automation");
    EXPECT_EQ(project.Protection.Known, true);
    EXPECT_EQ(DescribeProtection(project.Protection), "None");
}

TEST(VbaProject, RawChunksTextOffsetZeroAndAStreamNamedOtherwise) {
    TestProject p;
    TestModule raw = Standard("modRaw", 200);  // over 4 KB: several raw chunks
    raw.RawChunks = true;
    TestModule atZero = Standard("modZero");
    atZero.PCode.clear();
    TestModule renamed = Standard("modShown");
    renamed.StreamName = "Module7";
    p.Modules = {raw, atZero, renamed};
    const VbaProject project = Read(p);
    ASSERT_EQ(project.Modules.size(), 3u);
    EXPECT_EQ(project.Modules[0].Code, raw.Source);  // the raw chunks' padding is dropped
    EXPECT_EQ(project.Modules[1].Code, atZero.Source);
    EXPECT_FALSE(project.Modules[1].CompiledOnly);
    EXPECT_EQ(project.Modules[2].Name, "modShown");
    EXPECT_EQ(project.Modules[2].StreamName, "Module7");
    EXPECT_EQ(project.Modules[2].Code, renamed.Source);
}

TEST(VbaProject, ADirStreamOverFourKilobytesWithUnknownAndVersionRecords) {
    TestProject p;
    p.References = 60;  // one of them a control's reference, with its own name record
    p.UnknownRecord = "a record of a later version";
    p.WithCompatVersion = true;
    p.Constants = "DEBUG_MODE = 1 : TRACE = 0";
    p.Modules = {Standard("modA"), Standard("modB")};
    ASSERT_GT(test::DirStream(p).size(), 4096u);
    const VbaProject project = Read(p);
    ASSERT_EQ(project.Modules.size(), 2u);
    EXPECT_EQ(project.Modules[1].Code, p.Modules[1].Source);
    ASSERT_EQ(project.References.size(), 60u);
    EXPECT_EQ(project.References[1].Name, "Library1");
    EXPECT_EQ(project.References[1].Libid,
              "*\\G{0D452EE1-E08F-101A-852E-02608C4D0BB4}#2.0#0#C:\\Windows\\system32\\FM20.DLL#"
              "Microsoft Forms 2.0 Object Library");
    EXPECT_EQ(project.References[59].Name, "Library59");
    EXPECT_EQ(project.Constants, "DEBUG_MODE = 1 : TRACE = 0");
    const DirInfo dir = ParseDirStream(test::DirStream(p));
    EXPECT_EQ(dir.VersionMajor, 0x5B2C7D1Au);
    EXPECT_EQ(dir.VersionMinor, 0x000B);
    EXPECT_EQ(dir.SysKind, 3u);
}

TEST(VbaProject, JapaneseAndCyrillicProjectsDecodeToUtf8) {
    for (const auto& [codePage, name, comment] :
         std::vector<std::tuple<uint16_t, std::string, std::string>>{
             {932, "モジュール一覧", "' 新規作成ボタンを押した時の処理"},
             {1251, "Модуль", "' Обработка нажатия кнопки"}}) {
        TestProject p;
        p.CodePage = codePage;
        TestModule m = Standard(name);
        m.Source += comment + "\r\n";
        TestModule bare = Standard(name + "2");
        bare.UnicodeName = false;  // the name decoded from the code page
        p.Modules = {m, bare};
        const VbaProject project = Read(p);
        EXPECT_EQ(project.CodePage, codePage);
        ASSERT_EQ(project.Modules.size(), 2u);
        EXPECT_EQ(project.Modules[0].Name, name);
        EXPECT_EQ(project.Modules[0].Code, m.Source);
        EXPECT_EQ(project.Modules[0].CodeBytes, test::Encode(m.Source, codePage));
        EXPECT_EQ(project.Modules[0].Kind, DeclaredKind::Standard);
        EXPECT_EQ(project.Modules[1].Name, name + "2");
    }
}

TEST(VbaProject, KindsComeFromTheModuleTypeWhenThePROJECTStreamIsSilent) {
    TestProject p;
    TestModule standard = Standard("modLoose");
    standard.DeclaredInProject = false;
    TestModule cls = Standard("cLoose");
    cls.Type = Kind::Class;
    cls.DeclaredInProject = false;
    TestModule form = Standard("frmLoose");
    form.Type = Kind::Form;
    form.DeclaredInProject = false;
    p.Modules = {standard, cls, form};
    const VbaProject project = Read(p);
    EXPECT_EQ(project.Modules[0].Kind, DeclaredKind::Standard);
    EXPECT_EQ(project.Modules[1].Kind, DeclaredKind::Class);
    EXPECT_EQ(project.Modules[2].Kind, DeclaredKind::Form);  // it has a designer storage
}

TEST(VbaProject, AModuleWithOnlyCompiledCodeIsMarked) {
    TestProject p;
    TestModule none = Standard("modNone");
    none.WithoutSource = true;
    TestModule empty = Standard("modEmpty");
    empty.Source.clear();
    TestModule blank = Standard("modBlank");  // no compiled code, no source: nothing to run
    blank.PCode.clear();
    blank.Source.clear();
    p.Modules = {none, empty, blank};
    const VbaProject project = Read(p);
    EXPECT_TRUE(project.Modules[0].CompiledOnly);
    EXPECT_EQ(project.Modules[0].Code, "");
    EXPECT_TRUE(project.Modules[1].CompiledOnly);
    EXPECT_FALSE(project.Modules[2].CompiledOnly);
}

TEST(VbaProject, ProtectionIsDecryptedWhateverTheSeed) {
    for (const uint8_t seed : {0x00, 0x06, 0x42, 0xFF}) {
        TestProject p;
        p.Seed = seed;
        p.Password = true;
        p.LockedForViewing = true;
        p.Modules = {Standard("modA")};
        const VbaProject project = Read(p);
        EXPECT_EQ(DescribeProtection(project.Protection), "Locked for viewing, Password")
            << int(seed);
    }
    EXPECT_EQ(DecryptProjectValue(test::EncryptProjectValue("secret", 0x13, 0x77)), "secret");
    EXPECT_FALSE(DecryptProjectValue("\"0102\""));
    EXPECT_FALSE(DecryptProjectValue("\"XYZ\""));
    EXPECT_EQ(DescribeProtection({}), "Unknown");
}

TEST(VbaProject, BrokenProjectsNameTheModuleAndTheReason) {
    TestProject p;
    p.Modules = {Standard("modA")};
    test::CompoundFileWriter noStream;
    test::AddVbaProject(noStream, "", p);
    noStream.AddStream("VBA/modA", "");
    // The stream is there but empty: the offset (37) lies past its end.
    EXPECT_EQ(ReasonOf(noStream.Build()),
              "The module \"modA\": its text offset lies past the end of its stream.");
    test::CompoundFileWriter cut;
    test::AddVbaProject(cut, "", p);
    const std::string full = p.Modules[0].PCode + test::Compress(p.Modules[0].Source);
    cut.AddStream("VBA/modA", full.substr(0, full.size() - 5));
    EXPECT_EQ(ReasonOf(cut.Build()), "The module \"modA\": A compressed chunk is cut short.");
    TestProject renamed = p;
    renamed.Modules[0].StreamName = "Elsewhere";
    test::CompoundFileWriter missing;
    missing.AddStream("VBA/dir", test::Compress(test::DirStream(renamed)));
    missing.AddStream("VBA/modA", full);
    EXPECT_EQ(ReasonOf(missing.Build()),
              "The module \"modA\": its stream \"Elsewhere\" is missing.");
    test::CompoundFileWriter badDir;
    badDir.AddStream("VBA/dir", test::Compress(test::DirStream(p).substr(0, 100)));
    EXPECT_EQ(ReasonOf(badDir.Build()), "The dir stream: The dir stream is cut short.");
    test::CompoundFileWriter noDir;
    noDir.AddStream("VBA/other", "x");
    EXPECT_EQ(ReasonOf(noDir.Build()), "The project's dir stream is missing.");
}

TEST(ModuleText, AFormsDesignerStandsBeforeItsCodeOnLinesOfItsOwn) {
    VbaModule form;
    form.Name = "frmA";
    form.Kind = DeclaredKind::Form;
    form.Designer = "VERSION 5.00\r\nEnd";  // its last line not ended
    form.DesignerBytes = form.Designer;
    form.Code = "Attribute VB_Name = \"frmA\"\r\n";
    form.CodeBytes = "native code";
    EXPECT_EQ(ModuleText(form), "VERSION 5.00\r\nEnd\r\nAttribute VB_Name = \"frmA\"\r\n");
    EXPECT_EQ(ModuleText(form, TextEncoding::Native), "VERSION 5.00\r\nEnd\r\nnative code");
    EXPECT_EQ(DesignerLineCount(form), 2);
    form.Designer = "a\rb\nc\r\n";
    EXPECT_EQ(DesignerLineCount(form), 3);
    EXPECT_EQ(ExportFileName(form), "frmA.frm");
    VbaModule module;
    module.Name = "modA";
    module.Code = "x";
    EXPECT_EQ(ModuleText(module), "x");
    EXPECT_EQ(DesignerLineCount(module), 0);
    EXPECT_EQ(ExportFileName(module), "modA.bas");
    module.Kind = DeclaredKind::Document;
    EXPECT_EQ(ExportFileName(module), "modA.cls");
}

}  // namespace
}  // namespace dualis::office
