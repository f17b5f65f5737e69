// Office documents opened as sources and compared as projects: their modules as the editor
// would export them, the PROJECT stream as a table of settings, the save noise, documents
// without macros, and what the user is told when a document cannot be read.
#include <gtest/gtest.h>

#include "Document.h"
#include "OfficeWriter.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

using office::test::TestModule;
using office::test::TestProject;
using Strings = std::vector<std::string>;
using Kind = TestModule::Kind;

TestModule Module(const std::string& name, Kind kind, const Strings& body) {
    TestModule m;
    m.Name = name;
    m.Type = kind;
    m.PCode = "compiled";
    m.Source = "Attribute VB_Name = \"" + name + "\"\r\n";
    if (kind == Kind::Form) {
        m.Source +=
            "Attribute VB_Base = \"0{11111111-2222-3333-4444-555555555555}"
            "{66666666-7777-8888-9999-000000000000}\"\r\n";
        m.Designer = "VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} " + name +
                     " \r\n   Caption         =   \"Input\"\r\nEnd\r\n";
        m.Parts = {{"f", "control data"}, {"o", "object data"}};
    } else if (kind != Kind::Standard) {
        m.Source += "Attribute VB_Base = \"0{00020819-0000-0000-C000-000000000046}\"\r\n";
    }
    m.Source += test::CrLf(body);
    return m;
}

TestProject Workbook() {
    TestProject p;
    p.Modules = {Module("ThisWorkbook", Kind::Document, {"Private Sub Workbook_Open()", "End Sub"}),
                 Module("modMain", Kind::Standard, test::Procedures("Main", 3)),
                 Module("cOrder", Kind::Class, test::Procedures("Order", 2)),
                 Module("frmInput", Kind::Form, {"Private Sub OK_Click()", "End Sub"})};
    return p;
}

TEST(DocumentSource, ModulesAsTheEditorExportsThemAndThePROJECTStreamAsSettings) {
    test::Tree tree;
    TestProject p = Workbook();
    p.References = 2;
    p.Constants = "DEBUG_MODE = 1";
    p.Modules[1].WithoutSource = true;
    const auto path = tree.Write("Book1.xlsm", office::test::XlsmOf(p));
    EXPECT_EQ(ClassifyPath(path), PathKind::Document);
    const Source source = OpenSource(path);
    ASSERT_EQ(source.Problem, "");
    EXPECT_EQ(source.Kind, SourceKind::Document);
    EXPECT_EQ(source.Name, "VBAProject");
    EXPECT_FALSE(source.HoldsNoProject);
    EXPECT_EQ(test::Listing(source),
              (Strings{"Form frmInput frmInput.frm", "Module modMain modMain.bas",
                       "Class cOrder cOrder.cls", "Class ThisWorkbook ThisWorkbook.cls"}));
    const ModuleEntry& form = test::ModuleNamed(source, "frmInput");
    EXPECT_EQ(form.FullPath, path / "frmInput.frm");
    EXPECT_EQ(form.Project, 0);
    EXPECT_EQ(*form.Contents, p.Modules[3].Designer + p.Modules[3].Source);
    EXPECT_EQ(form.NoiseLines, (std::vector<int32_t>{6}));  // the base line after 4 + 1 lines
    ASSERT_EQ(form.Companions.size(), 2u);
    EXPECT_EQ(form.Companions[0].RelativePath, "frmInput/f");
    EXPECT_EQ(*form.Companions[0].Contents, "control data");
    EXPECT_EQ(form.Companions[1].RelativePath, "frmInput/o");
    // A class's base names its kind and stays.
    EXPECT_TRUE(test::ModuleNamed(source, "cOrder").NoiseLines.empty());
    const ModuleEntry& compiled = test::ModuleNamed(source, "modMain");
    EXPECT_EQ(*compiled.Contents, "");
    EXPECT_EQ(compiled.Note,
              "Only compiled code is stored for this module: the source shown may not be what "
              "runs.");
    EXPECT_EQ(test::ModuleNamed(source, "cOrder").Note, "");

    ASSERT_EQ(source.ProjectFiles.size(), 1u);
    const ProjectFile& project = source.ProjectFiles[0];
    EXPECT_EQ(project.Kind, ProjectFileKind::Document);
    EXPECT_EQ(project.RelativePath, "PROJECT");
    Strings keys;
    for (const Setting& s : project.Settings) {
        if (s.Section.empty()) keys.push_back(s.Key);
    }
    EXPECT_EQ(keys, (Strings{"ID", "Document", "Module", "Class", "Package", "BaseClass", "Name",
                             "HelpContextID", "VersionCompatible32", "CMG", "DPB", "GC",
                             "Reference", "Reference", "Constants", "Protection"}));
    EXPECT_EQ(FindSetting(project, "Constants")->Value, "DEBUG_MODE = 1");
    EXPECT_EQ(FindSetting(project, "Protection")->Value, "None");
    Strings members;
    for (const Member& m : project.Members) members.push_back(m.Key + " " + m.Name + " " + m.Path);
    EXPECT_EQ(members,
              (Strings{"Document ThisWorkbook ThisWorkbook.cls", "Module modMain modMain.bas",
                       "Class cOrder cOrder.cls", "BaseClass frmInput frmInput.frm"}));
}

TEST(DocumentSource, TwoSavesDifferOnlyInNoiseUnlessTheProtectionChanged) {
    test::Tree tree;
    TestProject before = Workbook();
    TestProject after = before;
    after.ProjectId = "{00000000-0000-0000-0000-000000000002}";
    after.Seed = 0x77;
    after.Modules[3].Source = after.Modules[3].Source;
    const Source a = OpenSource(tree.Write("a.xlsm", office::test::XlsmOf(before)));
    const Source b = OpenSource(tree.Write("b.xlsm", office::test::XlsmOf(after)));
    ProjectOptions options;
    ProjectComparison result = CompareSources(a, b, options);
    ASSERT_EQ(result.ProjectFiles.size(), 1u);
    EXPECT_EQ(result.ProjectFiles[0].Status, ContentStatus::Equal);
    EXPECT_EQ(test::DescribePairs(a, b, result),
              (Strings{"frmInput equal", "modMain equal", "cOrder equal", "ThisWorkbook equal"}));
    options.IgnoreSaveNoise = false;
    const Strings noise =
        test::DescribeDifferences(CompareSources(a, b, options).ProjectFiles[0].Differences);
    ASSERT_EQ(noise.size(), 4u);
    EXPECT_EQ(noise[0].substr(0, 10), "changed ID");

    after.Password = true;
    const Source locked = OpenSource(tree.Write("c.xlsm", office::test::XlsmOf(after)));
    options.IgnoreSaveNoise = true;
    result = CompareSources(a, locked, options);
    EXPECT_EQ(test::DescribeDifferences(result.ProjectFiles[0].Differences),
              (Strings{"changed Protection: None | Password"}));
}

TEST(DocumentSource, ARenamedModuleAndAnExportedFolderPairAsProjectsDo) {
    test::Tree tree;
    TestProject before = Workbook();
    TestProject after = before;
    after.Modules[1].Name = "modStart";
    after.Modules[1].Source =
        "Attribute VB_Name = \"modStart\"\r\n" + test::CrLf(test::Procedures("Main", 3));
    const Source a = OpenSource(tree.Write("a.xlsm", office::test::XlsmOf(before)));
    const Source b = OpenSource(tree.Write("b.xls", office::test::XlsOf(after)));
    const ProjectComparison result = CompareSources(a, b, {});
    EXPECT_EQ(test::DescribePairs(a, b, result),
              (Strings{"frmInput equal", "modStart unknown renamed from modMain at modMain.bas",
                       "cOrder equal", "ThisWorkbook equal"}));
    EXPECT_EQ(
        test::DescribeDifferences(result.ProjectFiles[0].Differences),
        (Strings{"removed Module modMain: modMain | ", "added Module modStart:  | modStart"}));

    // The export of the same modules, as a team keeps it: the standard module's bytes are the
    // same; the class differs by the header the export adds.
    tree.Write("export/modMain.bas", before.Modules[1].Source);
    tree.Write("export/cOrder.cls",
               "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\n" +
                   before.Modules[2].Source);
    EXPECT_EQ(WhyNotComparable(tree / "a.xlsm", tree / "export"), "");
    const Source folder = OpenSource(tree / "export");
    EXPECT_EQ(
        test::DescribePairs(a, folder, CompareSources(a, folder, {})),
        (Strings{"frmInput deleted", "modMain equal", "cOrder unknown", "ThisWorkbook deleted"}));
}

TEST(DocumentSource, DocumentsWithoutMacrosAreEmptyProjects) {
    test::Tree tree;
    const auto empty = tree.Write("plain.xlsx", office::test::ZipOf({{"xl/workbook.xml", "<w/>"}}));
    const Source none = OpenSource(empty);
    EXPECT_EQ(none.Problem, "");
    EXPECT_TRUE(none.HoldsNoProject);
    EXPECT_EQ(none.Kind, SourceKind::Document);
    EXPECT_TRUE(none.Modules.empty());
    EXPECT_TRUE(none.ProjectFiles.empty());
    EXPECT_EQ(NoProjectNote(0), "File 1 holds no VBA project.");
    EXPECT_EQ(NoProjectNote(1), "File 2 holds no VBA project.");
    const Source macros = OpenSource(tree.Write("macros.xlsm", office::test::XlsmOf(Workbook())));
    const ProjectComparison stripped = CompareSources(macros, none, {});
    EXPECT_EQ(
        test::DescribePairs(macros, none, stripped),
        (Strings{"frmInput deleted", "modMain deleted", "cOrder deleted", "ThisWorkbook deleted"}));
    ASSERT_EQ(stripped.ProjectFiles.size(), 1u);
    EXPECT_EQ(stripped.ProjectFiles[0].Status, ContentStatus::Deleted);
    EXPECT_TRUE(CompareSources(none, none, {}).Modules.empty());
}

TEST(DocumentSource, WhatCannotBeReadIsToldWithTheFileAndTheReason) {
    test::Tree tree;
    office::test::CompoundFileWriter encrypted;
    encrypted.AddStream("EncryptedPackage", std::string(5000, 'e'));
    const auto locked = tree.Write("locked.xlsm", encrypted.Build());
    const Source a = OpenSource(locked);
    EXPECT_EQ(a.Problem, "The document is encrypted; Dualis cannot read its macros.");
    EXPECT_EQ(UnableToOpenSourceMessage(a, 1, locked.string()),
              "Unable to read the macros of File 2\n" + locked.string() +
                  "\nThe document is encrypted; Dualis cannot read its macros.");
    const auto text = tree.Write("notes.doc", "plain text, named as a document");
    EXPECT_EQ(UnableToOpenSourceMessage(OpenSource(text), 0, text.string()),
              "Unable to read the macros of File 1\n" + text.string() +
                  "\nIt is neither a zip package nor a compound file.");
    const Source folder = OpenSource(tree / "missing");
    EXPECT_EQ(
        UnableToOpenSourceMessage(folder, 0, (tree / "missing").string()),
        "Unable to open File 1\n" + (tree / "missing").string() + "\nThe file does not exist.");

    // A code page this system cannot decode: read as Windows-1252, with a note.
    TestProject p = Workbook();
    std::string dir = office::test::DirStream(p);
    dir.replace(dir.find(std::string("\x03\x00\x02\x00\x00\x00\xE4\x04", 8)), 8,
                std::string("\x03\x00\x02\x00\x00\x00\x39\x30", 8));
    office::test::CompoundFileWriter odd;
    office::test::AddVbaProject(odd, "", p);
    odd.AddStream("VBA/dir", office::test::Compress(dir));
    const Source oddSource = OpenSource(tree.Write("odd.bin", odd.Build()));
    EXPECT_EQ(oddSource.Problem, "");
    EXPECT_EQ(oddSource.Notes,
              (Strings{"The project's code page 12345 is not known here: its text is read as "
                       "Windows-1252."}));
    EXPECT_EQ(oddSource.Modules.size(), 4u);
}

TEST(DocumentSource, DocumentsCompareWithDocumentsFoldersAndProjectsOnly) {
    test::Tree tree;
    const auto doc = tree.Write("a.docm", "x");
    const auto bas = tree.Write("m.bas", "Attribute VB_Name = \"m\"\r\n");
    const auto vbg = tree.Write("g.vbg", "VBGROUP 5.0\r\n");
    const auto vbp = tree.Write("p.vbp", "Type=Exe\r\n");
    EXPECT_EQ(WhyNotComparable(doc, doc), "");
    EXPECT_EQ(WhyNotComparable(doc, vbp), "");
    EXPECT_EQ(WhyNotComparable(doc, bas),
              "A module file can only be compared with another module file, not with a folder, a "
              "project, a project group or an Office document.");
    EXPECT_EQ(WhyNotComparable(vbg, doc),
              "A project group can only be compared with another project group.");
}

TEST(DocumentSource, ExportedFilesAreReadInTheCodePageGiven) {
    const std::string japanese = office::test::Encode("' 新規作成\r\n", 932);
    EXPECT_EQ(DecodeModuleFile(japanese, 932), "' 新規作成\r\n");
    EXPECT_EQ(DecodeModuleFile(japanese, 0), japanese);  // left for the engine: Windows-1252
    // UTF-8, a byte-order mark and bytes that are no text decide before the code page.
    EXPECT_EQ(DecodeModuleFile("caf\xC3\xA9", 932), "caf\xC3\xA9");
    EXPECT_EQ(DecodeModuleFile("\xFF\xFE"
                               "a",
                               932),
              "\xFF\xFE"
              "a");
    EXPECT_EQ(DecodeModuleFile(std::string("\x90\0", 2), 932), std::string("\x90\0", 2));
}

}  // namespace
}  // namespace dualis::project
