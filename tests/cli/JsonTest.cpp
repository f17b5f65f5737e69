// The comparison as JSON, read back with a JSON library: the rows of a file pair give back both
// files, and a comparison of two folders holds what the summary shows, module by module.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "RunDualis.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using project::test::BasText;
using project::test::ClsText;
using project::test::CrLf;
using project::test::FrmText;
using project::test::Procedures;
using project::test::Tree;
using test::Outcome;
using Strings = std::vector<std::string>;

Json Parsed(const Outcome& run) {
    EXPECT_EQ(run.Err, "");
    Json document = Json::parse(run.Out, nullptr, false);
    EXPECT_FALSE(document.is_discarded()) << run.Out;
    EXPECT_EQ(document.value("format", ""), "dualis-comparison");
    EXPECT_EQ(document.value("version", 0), 1);
    return document;
}

TEST(JsonOutput, TheRowsOfAFilePairGiveBackBothFiles) {
    Tree tree;
    const Strings one{"Attribute VB_Name = \"modA\"",
                      "Option Explicit",
                      "Sub A()",
                      "  x = 1",
                      "  y = 2",
                      "End Sub",
                      "Sub B()",
                      "  Beep",
                      "End Sub"};
    const Strings two{"Attribute VB_Name = \"modA\"",
                      "Option Explicit",
                      "",
                      "Sub A()",
                      "  x = 1",
                      "  y = 3",
                      "  z = 4",
                      "End Sub",
                      "Function C() As Long",
                      "End Function"};
    const fs::path file1 = tree.Write("one/modA.bas", CrLf(one));
    const fs::path file2 = tree.Write("two/modA.bas", CrLf(two));
    const Outcome run =
        test::RunDualis({"--format=json", "--lines", file1.string(), file2.string()});
    EXPECT_EQ(run.Status, 1);
    const Json doc = Parsed(run);
    EXPECT_EQ(doc["files"][0]["path"], file1.string());
    EXPECT_EQ(doc["files"][1]["kind"], "file");
    EXPECT_EQ(doc["options"]["IgnoreCase"], false);
    ASSERT_EQ(doc["modules"].size(), 1u);
    const Json& module = doc["modules"][0];
    EXPECT_EQ(module["status"], "changed");
    EXPECT_EQ(module["kind"], "Module");
    EXPECT_EQ(module["procedureCounts"],
              Json({{"equal", 0}, {"changed", 2}, {"added", 1}, {"deleted", 1}}));
    Strings names, statuses;
    std::array<Strings, 2> text;
    for (const Json& procedure : module["procedures"]) {
        names.push_back(procedure["name"]);
        statuses.push_back(procedure["status"]);
        for (const Json& row : procedure["rows"]) {
            for (int f = 0; f < 2; ++f) {
                if (row["lines"][f].is_null()) continue;
                // Lines come in their files' order, numbered from 1 without a gap.
                EXPECT_EQ(row["lines"][f].get<size_t>(), text[f].size() + 1) << row.dump();
                text[f].push_back(row["text"]);
            }
        }
    }
    EXPECT_EQ(names, (Strings{"(General)", "A", "B", "C"}));
    EXPECT_EQ(statuses, (Strings{"changed", "changed", "deleted", "added"}));
    EXPECT_EQ(text[0], one);
    EXPECT_EQ(text[1], two);
    EXPECT_EQ(module["lines"], Json({{"deleted", 1 + 3}, {"added", 1 + 2 + 2}}));
    EXPECT_EQ(doc["summary"]["exitStatus"], 1);
    // Without --lines the procedures come without their rows.
    const Json brief = Parsed(test::RunDualis({"--format=json", file1.string(), file2.string()}));
    EXPECT_FALSE(brief["modules"][0]["procedures"][0].contains("rows"));
    EXPECT_EQ(brief["modules"][0]["procedures"].size(), 4u);
}

TEST(JsonOutput, TwoFoldersModuleByModule) {
    Tree one, two;
    one.Write("modA.bas", BasText("modA", Procedures("P", 2)));
    two.Write("modA.bas", BasText("modA", Procedures("P", 3)));
    for (const Tree* t : {&one, &two})
        t->Write("modSame.bas", BasText("modSame", Procedures("S", 1)));
    one.Write("cOrder.cls", ClsText("cOrder", Procedures("Save", 1)));
    two.Write("classes/cOrder.cls", ClsText("cOrder", Procedures("Save", 1)));
    one.Write("modOld.bas", BasText("modOld", Procedures("K", 3)));
    two.Write("modNew.bas", BasText("modNew", Procedures("K", 3)));
    for (const Tree* t : {&one, &two}) t->Write("frmMain.frm", FrmText("frmMain", "frmMain.frx"));
    one.Write("frmMain.frx", "picture 1");
    two.Write("frmMain.frx", "picture 2");
    one.Write("App.vbp", CrLf({"Type=Exe", "Name=\"App\"", "Module=modA; modA.bas"}));
    two.Write("App.vbp", CrLf({"Type=Exe", "Name=\"Application\"", "Module=modA; modA.bas"}));
    const Outcome run =
        test::RunDualis({"--format=json", one.Path().string(), two.Path().string()});
    EXPECT_EQ(run.Status, 1);
    const Json doc = Parsed(run);
    EXPECT_EQ(doc["files"][0]["kind"], "folder");
    EXPECT_EQ(doc["options"]["IgnoreSaveNoise"], true);

    ASSERT_EQ(doc["projectFiles"].size(), 1u);
    const Json& project = doc["projectFiles"][0];
    EXPECT_EQ(project["status"], "changed");
    EXPECT_EQ(project["paths"], Json({"App.vbp", "App.vbp"}));
    ASSERT_EQ(project["differences"].size(), 1u);
    EXPECT_EQ(project["differences"][0]["change"], "changed");
    EXPECT_EQ(project["differences"][0]["key"], "Name");
    EXPECT_EQ(project["differences"][0]["values"], Json({"\"App\"", "\"Application\""}));

    Strings lines;
    for (const Json& m : doc["modules"]) {
        lines.push_back(
            m["kind"].get<std::string>() + " " + m["names"][1].get<std::string>() + " " +
            m["status"].get<std::string>() + " " + m["origin"].get<std::string>() + " by " +
            m["pairedBy"].get<std::string>() + " " + m["paths"][0].get<std::string>() + " " +
            m["paths"][1].get<std::string>() + (m["parsed"].get<bool>() ? " parsed" : " bytes"));
    }
    EXPECT_EQ(lines,
              (Strings{"Form frmMain equal same by name frmMain.frm frmMain.frm bytes",
                       "Module modA changed same by name modA.bas modA.bas parsed",
                       "Module modNew changed renamed by content modOld.bas modNew.bas parsed",
                       "Module modSame equal same by name modSame.bas modSame.bas bytes",
                       "Class cOrder equal moved by name cOrder.cls classes/cOrder.cls bytes"}));
    const Json& form = doc["modules"][0];
    ASSERT_EQ(form["companions"].size(), 1u);
    EXPECT_EQ(form["companions"][0]["status"], "different");
    EXPECT_EQ(form["companions"][0]["paths"], Json({"frmMain.frx", "frmMain.frx"}));
    const Json& changed = doc["modules"][1];
    EXPECT_EQ(changed["procedureCounts"]["added"], 1);
    EXPECT_EQ(changed["lines"], Json({{"deleted", 0}, {"added", 3}}));
    EXPECT_EQ(changed["procedures"].back()["name"], "P3");
    EXPECT_EQ(changed["procedures"].back()["status"], "added");
    EXPECT_EQ(doc["modules"][1]["names"][0], "modA");
    EXPECT_EQ(doc["modules"][2]["names"][0], "modOld");
    EXPECT_FALSE(doc["modules"][3].contains("procedures"));  // equal by its bytes

    const Json& summary = doc["summary"];
    EXPECT_EQ(summary["modules"], Json({{"equal", 2},
                                        {"changed", 1},
                                        {"added", 0},
                                        {"deleted", 0},
                                        {"moved", 1},
                                        {"renamed", 1},
                                        {"unreadable", 0}}));
    EXPECT_EQ(summary["differs"], true);
    EXPECT_EQ(summary["exitStatus"], run.Status);
}

TEST(JsonOutput, NamesThatAreNotUtf8AreDecoded) {
    Tree one, two;
    // Windows-1252 in a name and in a line: the document is UTF-8 all the same.
    one.Write("modA.bas",
              "Attribute VB_Name = \"mod\xC9t\xE9\"\r\nSub A()\r\n' caf\xE9\r\nEnd Sub\r\n");
    two.Write("modA.bas",
              "Attribute VB_Name = \"mod\xC9t\xE9\"\r\nSub A()\r\n' th\xE9\r\nEnd Sub\r\n");
    const Outcome run =
        test::RunDualis({"--format=json", "--lines", one.Path().string(), two.Path().string()});
    const Json doc = Parsed(run);
    ASSERT_EQ(doc["modules"].size(), 1u);
    EXPECT_EQ(doc["modules"][0]["names"][0], "mod\u00C9t\u00E9");
    EXPECT_EQ(doc["modules"][0]["procedures"][1]["rows"][1]["text"], "' caf\u00E9");
}

TEST(JsonOutput, TheOptionsThatDoNotFitAreRefused) {
    Tree one, two;
    for (const Tree* t : {&one, &two}) t->Write("modA.bas", BasText("modA"));
    const std::string a = one.Path().string(), b = two.Path().string();
    const struct {
        Strings Args;
        std::string Err;
    } refused[] = {
        {{"--format=json", "--modules", a, b},
         "--modules and --module choose the reports that follow a project's summary; "
         "--format=json holds every module\n"},
        {{"--report", "--lines", a, b}, "--lines goes with --format=json\n"},
        {{"--dump", "d.txt", "--format=json", a, b},
         "--format, --lines and --modules go with --report, not --dump\n"},
        {{"--format=xml", a, b},
         "--format: xml not in {text,json}\nRun with --help for more information.\n"},
    };
    for (const auto& r : refused) {
        const Outcome run = test::RunDualis(r.Args);
        EXPECT_EQ(run.Status, 2) << r.Args[0] << " " << r.Args[1];
        EXPECT_EQ(run.Err, r.Err);
        EXPECT_EQ(run.Out, "");
    }
}

}  // namespace
}  // namespace dualis
