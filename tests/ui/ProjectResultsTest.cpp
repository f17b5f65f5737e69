// The window's value of a project comparison without a display: the list's order, the changed
// modules in turn, the module the recent files remember, the texts of a module on screen, and
// the find bar's checks before it compares another module.
#include <gtest/gtest.h>

#include "ModuleOutline.h"
#include "ProjectTrees.h"
#include "StatusNotes.h"
#include "TextSearch.h"

namespace dualis {
namespace {

ProjectResults Open(const std::array<std::string, 2>& names) {
    std::string problem;
    std::optional<project::OpenedSources> opened = project::OpenAndPair(names, {}, problem);
    EXPECT_TRUE(opened) << problem;
    PutInListOrder(*opened);
    return MakeResults(names, std::make_shared<const project::OpenedSources>(std::move(*opened)));
}

void CompareAll(ProjectResults& results, project::KeepState keep = project::KeepState::No) {
    project::ModuleCompareOptions run;
    run.Threads = 1;
    run.Keep.assign(results.Results.size(), keep);
    const project::OpenedSources& opened = *results.Opened;
    project::CompareModules(
        opened.File1, opened.File2, opened.Comparison, run,
        [&](project::ModuleResult&& result) { results.Results[result.Pair] = std::move(result); });
}

std::vector<std::string> Keys(const ProjectResults& results) {
    std::vector<std::string> keys;
    for (size_t pair = 0; pair < results.Results.size(); ++pair) {
        keys.push_back(ModuleKey(results, pair));
    }
    return keys;
}

TEST(ProjectResults, AFolderIsListedFolderByFolderBeforeTheModulesAtItsTop) {
    test::ProjectVersions v;
    const ProjectResults folders = Open({v.Folder(1), v.Folder(2)});
    EXPECT_TRUE(GroupsByFolder(*folders.Opened));
    // lib/ and src/ first (the moved class is in both), then the top by kind and name.
    EXPECT_EQ(Keys(folders),
              (std::vector<std::string>{"lib/cOrder.cls", "frmMain.frm", "modGone.bas",
                                        "modNew.bas", "modSame.bas", "cAdded.cls"}));
    // The projects keep the pairing's order: by kind, then name.
    const ProjectResults projects = Open({v.Project(1), v.Project(2)});
    EXPECT_FALSE(GroupsByFolder(*projects.Opened));
    EXPECT_EQ(Keys(projects),
              (std::vector<std::string>{"frmMain.frm", "modGone.bas", "modNew.bas", "modSame.bas",
                                        "cAdded.cls", "cLost.cls", "lib/cOrder.cls"}));
    EXPECT_EQ(SourceLabel(projects.Opened->File1), "v1/App.vbp");
    EXPECT_EQ(SourceLabel(folders.Opened->File2), "v2");
}

TEST(ProjectResults, ChangedModulesComeInTheListsOrderOnceTheirResultsAreIn) {
    test::ProjectVersions v;
    ProjectResults results = Open({v.Project(1), v.Project(2)});
    // Pending pairs are passed by, even those pairing knows to be on one side only.
    EXPECT_EQ(ChangedModule(results, std::nullopt, 1), std::nullopt);
    CompareAll(results);
    const auto names = [&](std::optional<size_t> from, int direction) {
        std::vector<std::string> keys;
        while ((from = ChangedModule(results, from, direction))) {
            keys.push_back(ModuleKey(results, *from));
        }
        return keys;
    };
    // The equal modSame and the unreadable cLost are no changed modules.
    EXPECT_EQ(names(std::nullopt, 1),
              (std::vector<std::string>{"frmMain.frm", "modGone.bas", "modNew.bas", "cAdded.cls",
                                        "lib/cOrder.cls"}));
    EXPECT_EQ(names(std::nullopt, -1),
              (std::vector<std::string>{"lib/cOrder.cls", "cAdded.cls", "modNew.bas", "modGone.bas",
                                        "frmMain.frm"}));
    EXPECT_EQ(names(size_t{3}, 1), (std::vector<std::string>{"cAdded.cls", "lib/cOrder.cls"}));
    EXPECT_FALSE(ContentChanged(results, 3));
    EXPECT_FALSE(ModuleDiffers(results, 3));
    EXPECT_TRUE(ModuleDiffers(results, 5));  // it cannot be read
    EXPECT_EQ(LookOf(results, 5).Symbol, '!');
}

TEST(ProjectResults, ARememberedModuleIsFoundByItsPathInAnyLetterCase) {
    test::ProjectVersions v;
    const ProjectResults results = Open({v.Project(1), v.Project(2)});
    EXPECT_EQ(ModuleNamed(results, "lib/cOrder.cls"), size_t{6});
    EXPECT_EQ(ModuleNamed(results, "LIB\\CORDER.CLS"), size_t{6});
    EXPECT_EQ(ModuleNamed(results, "modGone.bas"), size_t{1});  // only in File 1
    EXPECT_EQ(ModuleNamed(results, "src/cOrder.cls"), std::nullopt);
    EXPECT_EQ(ModuleNamed(results, ""), std::nullopt);
}

TEST(ProjectResults, AModuleOnScreenIsNamedWithItsSources) {
    test::ProjectVersions v;
    ProjectResults results = Open({v.Project(1), v.Project(2)});
    CompareAll(results, project::KeepState::Always);
    for (const size_t pair : {size_t{6}, size_t{1}}) {
        const ComparisonState& state = *results.Results[pair]->State;
        FileInformationTexts texts = ShowFileInformation(state, "V");
        const std::string counts = texts.Label[0].substr(texts.Label[0].find("\r\n"));
        DescribeModule(texts, state, results, pair);
        if (pair == 6) {
            EXPECT_EQ(texts.Caption, "Dualis cOrder.cls:cOrder.cls in v1/App.vbp:v2/App.vbp");
            EXPECT_EQ(texts.Label[0], "v1/App.vbp \u203A src/cOrder.cls" + counts);
            EXPECT_EQ(texts.StatusText.substr(0, texts.StatusText.find(" \u2014 ")),
                      "Module cOrder of v1/App.vbp : v2/App.vbp");
            EXPECT_NE(texts.StatusText.find(" \u2014 Procs: "), std::string::npos);
        } else {
            EXPECT_EQ(texts.Caption, "Dualis modGone.bas:(none) in v1/App.vbp:v2/App.vbp");
            EXPECT_EQ(texts.Label[1], "v2/App.vbp: no module modGone");
        }
    }
}

TEST(ProjectSearch, TheBytesTellWhichModulesMayHoldAnAsciiText) {
    const std::array<std::string, 2> files{"Sub A()\r\n  Total = 1\r\n", "x = \xE9t\xE9\r\n"};
    EXPECT_TRUE(BytesMayHold(files, {"total", false, false}));
    EXPECT_FALSE(BytesMayHold(files, {"total", true, false}));  // case counts
    EXPECT_TRUE(BytesMayHold(files, {"Total = 1", true, true}));
    EXPECT_FALSE(BytesMayHold(files, {"Sum", false, false}));
    // A text that is not ASCII, or a file in UTF-16, is left to the comparison.
    EXPECT_TRUE(BytesMayHold(files, {"\xC3\xA9t\xC3\xA9", false, false}));
    EXPECT_TRUE(BytesMayHold({std::string("\xFF\xFES\0u\0m\0", 8), ""}, {"Sum", true, false}));
}

TEST(ProjectSearch, ASearchWentRoundWhenItFoundWhereItStartedOrBehind) {
    const SearchPlace from{2, 10, 1};
    EXPECT_FALSE(SearchWentRound({2, 11, 0}, from, 1));
    EXPECT_FALSE(SearchWentRound({3, 1, 0}, from, 1));
    EXPECT_TRUE(SearchWentRound({2, 10, 1}, from, 1));
    EXPECT_TRUE(SearchWentRound({0, 4, 0}, from, 1));
    EXPECT_FALSE(SearchWentRound({2, 10, 0}, from, -1));
    EXPECT_TRUE(SearchWentRound({5, 1, 0}, from, -1));
}

TEST(StatusNotes, TheModuleCommandsSayWhenTheyFindNothingOrWereCancelled) {
    EXPECT_EQ(NoChangedModuleNote(1), "No changed module after this one");
    EXPECT_EQ(NoChangedModuleNote(-1), "No changed module before this one");
    EXPECT_EQ(CancelledNote(12, 1000), "Comparison cancelled: 12 of 1000 modules compared");
}

}  // namespace
}  // namespace dualis
