// Office documents from the command line: two documents compared as projects (text and JSON),
// a document against its exported folder, documents without macros or that cannot be read,
// and the modules written to a folder or printed for git.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "OfficeWriter.h"
#include "ProjectTestSupport.h"
#include "RunDualis.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using office::test::TestModule;
using office::test::TestProject;
using project::test::CrLf;
using project::test::Procedures;
using project::test::Tree;
using test::Outcome;
using Json = nlohmann::json;
using Kind = TestModule::Kind;

TestModule Module(const std::string& name, Kind kind, const std::vector<std::string>& body) {
    TestModule m;
    m.Name = name;
    m.Type = kind;
    m.PCode = "compiled";
    m.Source = "Attribute VB_Name = \"" + name + "\"\r\n";
    if (kind == Kind::Form) {
        m.Source += "Attribute VB_Base = \"0{11111111-2222-3333-4444-555555555555}{6}\"\r\n";
        m.Designer = "VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} " + name +
                     " \r\n   Caption         =   \"Input\"\r\nEnd\r\n";
        m.Parts = {{"f", "control data"}, {"o", "object data"}};
    }
    m.Source += CrLf(body);
    return m;
}

// A workbook in code page 932 with a Japanese comment, a form and a class.
TestProject Workbook() {
    TestProject p;
    p.CodePage = 932;
    p.Modules = {Module("modMain", Kind::Standard,
                        {"' 新規作成ボタンを押した時の処理", "Sub Main()", "    x = 1", "End Sub"}),
                 Module("frmInput", Kind::Form, {"Private Sub OK_Click()", "End Sub"}),
                 Module("cOrder", Kind::Class, Procedures("Order", 2))};
    return p;
}

// The next save of the workbook: the form's base changed, one line of modMain changed.
TestProject NextSave() {
    TestProject p = Workbook();
    p.ProjectId = "{00000000-0000-0000-0000-000000000009}";
    p.Seed = 0x11;
    p.Modules[0].Source =
        "Attribute VB_Name = \"modMain\"\r\n" +
        CrLf({"' 新規作成ボタンを押した時の処理", "Sub Main()", "    x = 2", "End Sub"});
    std::string& form = p.Modules[1].Source;
    form.replace(form.find("{6}"), 3, "{7}");
    return p;
}

std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    }
    return out;
}

TEST(Documents, TwoSavesCompareModuleByModuleWithTheirNoiseLeftOut) {
    Tree tree;
    const auto a = tree.Write("v1.xlsm", office::test::XlsmOf(Workbook()));
    const auto b = tree.Write("v2.xlsm", office::test::XlsmOf(NextSave()));
    const Outcome run = test::RunDualis({"--report", a.string(), b.string()});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_EQ(run.Err, "");
    const std::string out = Squeezed(run.Out);
    EXPECT_NE(out.find(" equal PROJECT\n"), std::string::npos) << run.Out;
    EXPECT_NE(out.find(" Form frmInput equal 0 0 0 0 frmInput.frm frmInput.frm\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(out.find(" Module modMain changed 1 0 0 2 modMain.bas modMain.bas\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(out.find("Modules: 2 equal, 1 changed"), std::string::npos) << run.Out;

    // Noise compared: the form's base attribute and the PROJECT stream's keys differ too.
    const Outcome noisy =
        test::RunDualis({"--report", "--ignore-save-noise=no", a.string(), b.string()});
    const std::string shown = Squeezed(noisy.Out);
    EXPECT_NE(shown.find(" changed PROJECT\n"), std::string::npos) << noisy.Out;
    EXPECT_NE(shown.find(" changed ID: "), std::string::npos) << noisy.Out;
    EXPECT_NE(shown.find(" Form frmInput changed 1 0 0 2 "), std::string::npos) << noisy.Out;

    // The report of the changed module shows its Japanese line decoded.
    const Outcome module =
        test::RunDualis({"--report", "--module", "modMain", a.string(), b.string()});
    EXPECT_NE(module.Out.find("' 新規作成ボタンを押した時の処理"), std::string::npos) << module.Out;
}

TEST(Documents, TheJsonNamesDocumentsTheirNotesAndTheCodePage) {
    Tree tree;
    TestProject compiled = Workbook();
    compiled.Modules[2].WithoutSource = true;
    const auto a = tree.Write("a.xlsm", office::test::XlsmOf(Workbook()));
    const auto b = tree.Write("b.xls", office::test::XlsOf(compiled));
    const Outcome run = test::RunDualis({"--format=json", a.string(), b.string()});
    EXPECT_EQ(run.Status, 1) << run.Err;
    const Json json = Json::parse(run.Out, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << run.Out;
    EXPECT_EQ(json["files"][0]["kind"], "document");
    EXPECT_EQ(json["files"][1]["name"], "VBAProject");
    EXPECT_EQ(json["projectFiles"][0]["kind"], "document");
    EXPECT_EQ(json["options"]["CodePage"], 0);
    bool found = false;
    for (const Json& module : json["modules"]) {
        if (module["names"][1] != "cOrder") continue;
        found = true;
        EXPECT_EQ(module["notes"],
                  Json::array({"File 2: Only compiled code is stored for this module: the source "
                               "shown may not be what runs."}));
    }
    EXPECT_TRUE(found) << run.Out;
}

TEST(Documents, ADocumentWithoutMacrosIsAnEmptyProject) {
    Tree tree;
    const auto macros = tree.Write("macros.xlsm", office::test::XlsmOf(Workbook()));
    const auto plain = tree.Write("plain.xlsx", office::test::ZipOf({{"xl/workbook.xml", "<w/>"}}));
    Outcome run = test::RunDualis({"--report", macros.string(), plain.string()});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(Squeezed(run.Out).find(" Module modMain deleted "), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Notes:\n  File 2 holds no VBA project.\n"), std::string::npos)
        << run.Out;
    run = test::RunDualis({"--report", plain.string(), plain.string()});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("Notes:\n  File 1 holds no VBA project.\n  File 2 holds no VBA "
                           "project.\n"),
              std::string::npos)
        << run.Out;
}

TEST(Documents, WhatCannotBeReadIsToldWithTheFileAndTheReason) {
    Tree tree;
    office::test::CompoundFileWriter encrypted;
    encrypted.AddStream("EncryptedPackage", std::string(5000, 'e'));
    const auto locked = tree.Write("locked.docm", encrypted.Build());
    const auto good = tree.Write("good.xlsm", office::test::XlsmOf(Workbook()));
    Outcome run = test::RunDualis({"--report", good.string(), locked.string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to read the macros of File 2\n" + locked.string() +
                           "\nThe document is encrypted; Dualis cannot read its macros.\n");
    std::string bin = office::test::XlsmOf(Workbook());
    const auto broken = tree.Write("broken.xlsm", bin.substr(0, bin.size() / 2));
    run = test::RunDualis({"--report", broken.string(), good.string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to read the macros of File 1\n" + broken.string() +
                           "\nThe zip archive has no central directory.\n");
    run = test::RunDualis({"--vba-text", broken.string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to read the macros of the document\n" + broken.string() +
                           "\nThe zip archive has no central directory.\n");
}

TEST(Documents, ExtractedModulesCompareWithTheirDocumentInItsCodePage) {
    Tree tree;
    const auto book = tree.Write("Book.xlsm", office::test::XlsmOf(Workbook()));
    const auto utf8 = tree / "utf8";
    Outcome run = test::RunDualis({"--extract", book.string(), utf8.string()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "3 modules written to " + utf8.string() + "\n");
    EXPECT_EQ(test::FolderEntries(utf8),
              (std::vector<std::string>{"cOrder.cls", "frmInput.frm", "modMain.bas"}));
    const TestProject p = Workbook();
    EXPECT_EQ(test::ReadFile((utf8 / "modMain.bas").string()), p.Modules[0].Source);
    EXPECT_EQ(test::ReadFile((utf8 / "frmInput.frm").string()),
              p.Modules[1].Designer + p.Modules[1].Source);

    const auto native = tree / "native";
    run = test::RunDualis({"--extract", "--encoding=native", book.string(), native.string()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(test::ReadFile((native / "modMain.bas").string()),
              office::test::Encode(p.Modules[0].Source, 932));

    // The UTF-8 export is equal as it stands; the native one in its code page only.
    run = test::RunDualis({"--report", book.string(), utf8.string()});
    EXPECT_NE(Squeezed(run.Out).find(" Module modMain equal "), std::string::npos) << run.Out;
    run = test::RunDualis({"--report", book.string(), native.string()});
    EXPECT_NE(Squeezed(run.Out).find(" Module modMain changed "), std::string::npos) << run.Out;
    run = test::RunDualis({"--report", "--codepage=932", book.string(), native.string()});
    EXPECT_NE(Squeezed(run.Out).find(" Module modMain equal "), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Options: code page 932\n"), std::string::npos) << run.Out;
}

TEST(Documents, ModuleNamesNeverLeaveTheFolderTheyAreExtractedTo) {
    Tree tree;
    TestProject p;
    p.Modules = {Module("../evil", Kind::Standard, {"Sub A()", "End Sub"}),
                 Module(".hidden", Kind::Standard, {}), Module("Same", Kind::Standard, {}),
                 Module("SAME", Kind::Class, {})};
    p.Modules[0].StreamName = "Module1";  // the stream's name is the writer's path
    p.Modules[3].Name = "same";
    p.Modules[3].Type = Kind::Standard;
    const auto book = tree.Write("Book.bin", office::test::VbaProjectBin(p));
    const Outcome run = test::RunDualis({"--extract", book.string(), (tree / "out").string()});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(test::FolderEntries(tree / "out"),
              (std::vector<std::string>{"Same.bas", "_.._evil.bas", "_.hidden.bas", "same_2.bas"}));
    EXPECT_EQ(test::FolderEntries(tree.Path()), (std::vector<std::string>{"Book.bin", "out"}));
}

TEST(Documents, VbaTextPrintsEveryModuleUnderItsName) {
    Tree tree;
    TestProject p = Workbook();
    p.Modules[2].WithoutSource = true;
    const auto book = tree.Write("Book.xlsm", office::test::XlsmOf(p));
    const Outcome run = test::RunDualis({"--vba-text", book.string()});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err,
              "cOrder.cls: Only compiled code is stored for this module: the source shown may "
              "not be what runs.\n");
    EXPECT_EQ(run.Out,
              "'=== cOrder.cls ===\n"
              "'=== frmInput.frm ===\n"
              "VERSION 5.00\n"
              "Begin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} frmInput \n"
              "   Caption         =   \"Input\"\n"
              "End\n"
              "Attribute VB_Name = \"frmInput\"\n"
              "Attribute VB_Base = \"0{11111111-2222-3333-4444-555555555555}{6}\"\n"
              "Private Sub OK_Click()\n"
              "End Sub\n"
              "'=== modMain.bas ===\n"
              "Attribute VB_Name = \"modMain\"\n"
              "' 新規作成ボタンを押した時の処理\n"
              "Sub Main()\n"
              "    x = 1\n"
              "End Sub\n");
    const auto plain = tree.Write("plain.xlsx", office::test::ZipOf({{"xl/workbook.xml", "<w/>"}}));
    const Outcome none = test::RunDualis({"--vba-text", plain.string()});
    EXPECT_EQ(none.Status, 0);
    EXPECT_EQ(none.Out, "");
}

}  // namespace
}  // namespace dualis
