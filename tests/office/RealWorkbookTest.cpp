// Eight committed versions of a real workbook with macros (code page 932, a UserForm, a module
// of about 191 KB), kept read-only in the shared data folder beside the project's own exports
// of the same commits: every stored module agrees with its export line for line, but for what
// the editor's export is known to write differently.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "CodePage.h"
#include "FileIO.h"
#include "Pipeline.h"
#include "ProjectCompare.h"
#include "Source.h"
#include "TestSupport.h"

namespace dualis::project {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path Versions = fs::path(DUALIS_SHARED_DATA) / "office/wbs-template";

std::vector<fs::path> VersionFolders() {
    std::vector<fs::path> folders;
    if (!fs::is_directory(Versions)) return folders;
    for (const auto& entry : fs::directory_iterator(Versions)) {
        if (entry.is_directory()) folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

Lines SplitLines(std::string_view text) {
    Lines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool StartsWith(const std::string& line, std::string_view start) {
    return line.compare(0, start.size(), start) == 0;
}

// The stored module without what the export leaves out: the three attribute lines of a class,
// document or form module, and a form's TypeInfoVer.
Lines StoredLines(const ModuleEntry& module) {
    Lines lines;
    for (std::string& line : SplitLines(*module.Contents)) {
        const bool attribute = StartsWith(line, "Attribute VB_Base") ||
                               StartsWith(line, "Attribute VB_TemplateDerived") ||
                               StartsWith(line, "Attribute VB_Customizable");
        if (module.Kind != ModuleKind::Module && attribute) continue;
        if (module.Kind == ModuleKind::Form && StartsWith(line, "   TypeInfoVer")) continue;
        lines.push_back(std::move(line));
    }
    return lines;
}

// The export without what the editor adds: a class's VERSION 1.0 CLASS block, a form's
// OleObjectBlob line.
Lines ExportLines(const fs::path& file) {
    Lines lines = SplitLines(DecodeCodePage(ReadInputFile(file.string()), 932));
    if (!lines.empty() && lines[0] == "VERSION 1.0 CLASS") {
        const auto end = std::find(lines.begin(), lines.end(), "END");
        lines.erase(lines.begin(), end + 1);
    }
    std::erase_if(lines, [](const std::string& l) { return StartsWith(l, "   OleObjectBlob"); });
    return lines;
}

// An export that git shows unchanged in a commit that changed the workbook: it lags behind.
bool NotRefreshed(const fs::path& version, const std::string& file) {
    const std::string name = version.filename().string();
    return file == "Sheet1.cls" && (name == "2025-04-23-992d2b6" || name == "2025-04-25-0b09be3");
}

class RealWorkbook : public ::testing::Test {
  protected:
    void SetUp() override {
        if (VersionFolders().size() != 8) {
            GTEST_SKIP() << "The real workbook versions are not there: " << Versions;
        }
    }
};

TEST_F(RealWorkbook, EveryStoredModuleAgreesWithItsExportLineForLine) {
    int compared = 0, lagging = 0;
    for (const fs::path& version : VersionFolders()) {
        const Source source = OpenSource(version / "wbs-template.xlsm");
        ASSERT_EQ(source.Problem, "") << version;
        EXPECT_EQ(source.Kind, SourceKind::Document);
        EXPECT_EQ(source.Name, "VBAProject");
        for (const auto& entry : fs::directory_iterator(version / "VBA")) {
            const std::string file = entry.path().filename().string();
            if (entry.path().extension() == ".frx") continue;
            const std::string name = entry.path().stem().string();
            const auto module = std::find_if(source.Modules.begin(), source.Modules.end(),
                                             [&](const ModuleEntry& m) { return m.Name == name; });
            ASSERT_NE(module, source.Modules.end()) << version << " " << file;
            EXPECT_EQ(module->RelativePath, file);
            const Lines stored = StoredLines(*module), exported = ExportLines(entry.path());
            if (NotRefreshed(version, file)) {
                EXPECT_NE(stored, exported) << version << " " << file;
                ++lagging;
                continue;
            }
            ++compared;
            ASSERT_EQ(stored.size(), exported.size()) << version << " " << file;
            for (size_t k = 0; k < stored.size(); ++k) {
                ASSERT_EQ(stored[k], exported[k]) << version << " " << file << " line " << k + 1;
            }
        }
    }
    EXPECT_EQ(compared, 39);
    EXPECT_EQ(lagging, 2);
}

TEST_F(RealWorkbook, TheUserFormsDesignerTextStandsBeforeItsCodeWithItsBaseAsNoise) {
    const Source source = OpenSource(VersionFolders().back() / "wbs-template.xlsm");
    const auto form = std::find_if(source.Modules.begin(), source.Modules.end(),
                                   [](const ModuleEntry& m) { return m.Name == "InitWBS"; });
    ASSERT_NE(form, source.Modules.end());
    EXPECT_EQ(form->Kind, ModuleKind::Form);
    const Lines lines = SplitLines(*form->Contents);
    EXPECT_EQ(lines[0], "VERSION 5.00");
    EXPECT_EQ(lines[2], "   Caption         =   \"WBSシート作成\"");
    ASSERT_EQ(form->NoiseLines.size(), 1u);
    EXPECT_TRUE(StartsWith(lines[static_cast<size_t>(form->NoiseLines[0]) - 1],
                           "Attribute VB_Base = \"0{"));
    std::vector<std::string> companions;
    for (const Companion& c : form->Companions) companions.push_back(c.RelativePath);
    EXPECT_EQ(companions, (std::vector<std::string>{"InitWBS/f", "InitWBS/o"}));
}

TEST_F(RealWorkbook, TwoSavesCompareAsProjectsWithTheFormsNoiseLeftOut) {
    // The last two commits changed the version constant and two modules.
    const auto folders = VersionFolders();
    const Source a = OpenSource(folders[6] / "wbs-template.xlsm");
    const Source b = OpenSource(folders[7] / "wbs-template.xlsm");
    ProjectOptions options;
    const ProjectComparison result = CompareSources(a, b, options);
    ASSERT_EQ(result.ProjectFiles.size(), 1u);
    // ID, CMG, DPB, GC and the workspace differ: noise only.
    EXPECT_EQ(result.ProjectFiles[0].Status, ContentStatus::Equal);
    options.IgnoreSaveNoise = false;
    EXPECT_EQ(CompareSources(a, b, options).ProjectFiles[0].Status, ContentStatus::Changed);
    std::vector<std::string> unknown;
    const ModulePair* formPair = nullptr;
    for (const ModulePair& pair : result.Modules) {
        ASSERT_GE(pair.Module[0], 0);
        ASSERT_GE(pair.Module[1], 0);
        const ModuleEntry& module = b.Modules[static_cast<size_t>(pair.Module[1])];
        if (pair.Status != ContentStatus::Equal) unknown.push_back(module.Name);
        if (module.Name == "InitWBS") formPair = &pair;
    }
    // Pairing leaves to the engine what differs by its bytes: the form, whose base attribute
    // changed, and the three modules that changed.
    EXPECT_EQ(unknown, (std::vector<std::string>{"InitWBS", "cfg", "wbslib", "wbsui"}));
    ASSERT_TRUE(formPair);
    ASSERT_EQ(formPair->Companions.size(), 2u);
    EXPECT_EQ(formPair->Companions[0].Status, CompanionStatus::Equal);      // f
    EXPECT_EQ(formPair->Companions[1].Status, CompanionStatus::Different);  // o
    // With its noise line left out, the form has no difference.
    const ModuleEntry& formA = a.Modules[static_cast<size_t>(formPair->Module[0])];
    const ModuleEntry& formB = b.Modules[static_cast<size_t>(formPair->Module[1])];
    ComparisonState state;
    test::RecordingHost host;
    ASSERT_TRUE(CompareContents(state, {}, host, {*formA.Contents, *formB.Contents},
                                CandidateSearch::Auto, {formA.NoiseLines, formB.NoiseLines}));
    const ProcCounts counts = CountProcs(state);
    EXPECT_EQ(counts.Changed + counts.Added + counts.Deleted, 0);
    ASSERT_TRUE(CompareContents(state, {}, host, {*formA.Contents, *formB.Contents}));
    EXPECT_EQ(CountProcs(state).Changed, 1);
}

}  // namespace
}  // namespace dualis::project
