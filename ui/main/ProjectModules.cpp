// The modules of two projects on screen: showing one as a file pair is shown, where the user left
// it; moving between the changed ones; the find bar's search through all of them; the table of
// the project files' settings that differ.
#include <QTableWidget>

#include "FileIO.h"
#include "ModuleListModel.h"
#include "Pipeline.h"
#include "ProcList.h"
#include "ProjectFacts.h"
#include "ProjectWindow.h"
#include "ProjectWork.h"
#include "StatusNotes.h"
#include "TextSearch.h"
#include "frmMain.h"

namespace dualis {

using namespace project;

bool ProjectWindow::ShowModule(size_t pair) {
    if (!Active() || pair >= results_->Results.size()) return false;
    if (shown_ == pair) {
        HideSettingsTable();
        return true;
    }
    return PutModule(pair, nullptr, views_[pair] ? &*views_[pair] : nullptr);
}

bool ProjectWindow::PutModule(size_t pair, std::unique_ptr<ComparisonState> state,
                              const ComparisonView* view) {
    // Where the user stands in the module on screen, for coming back to it.
    if (shown_ && *shown_ != pair && state_.FilesCompared) views_[*shown_] = main_.View();
    const bool put = main_.PutComparison([&] {
        if (!state) return CompareModule(pair, state_, main_.Host());
        state_ = std::move(*state);
        return true;
    });
    if (!put) return false;
    // The files' dates, which a comparison of bytes in memory does not know: a module file's own,
    // or the document's that holds the module.
    const OpenedSources& opened = *results_->Opened;
    const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[pair]);
    const std::array<const Source*, 2> sources{&opened.File1, &opened.File2};
    for (int f = 0; f < 2; ++f) {
        if (!side[f]) continue;
        const std::filesystem::path& file =
            side[f]->Contents ? sources[f]->Path : side[f]->FullPath;
        int64_t size = 0;
        FileFacts(file.string(), size, state_.FileDate[f]);
    }
    shown_ = pair;
    firstDone_ = true;
    if (work_) work_->KeepStates(false);
    // A module shown before the background reached it is known from now on.
    if (!results_->Results[pair]) {
        ModuleResult result = ResultOfComparison(state_, side[0] != nullptr, side[1] != nullptr);
        result.Pair = pair;
        results_->Results[pair] = std::move(result);
        model_->ModuleUpdated(pair);
    }
    HideSettingsTable();
    main_.ShowComparison(view);
    SelectInList(pair);
    return true;
}

bool ProjectWindow::ReadModule(size_t pair, std::array<std::string, 2>& bytes, IHost& host) const {
    const OpenedSources& opened = *results_->Opened;
    const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[pair]);
    for (int f = 0; f < 2; ++f) {
        bytes[f].clear();
        if (!side[f]) continue;
        std::string problem = side[f]->Problem;
        if (problem.empty()) {
            try {
                bytes[f] = ReadModuleBytes(*side[f]);
                // A module file in the code page the settings name reads as the command line
                // reads it; a document's modules are decoded already.
                if (!side[f]->Contents) {
                    bytes[f] = DecodeModuleFile(std::move(bytes[f]), Options().CodePage);
                }
            } catch (const InputFileError& e) {
                problem = e.what();
            }
        }
        if (!problem.empty()) {
            host.ShowMessage("Unable to open File " + std::to_string(f + 1) + "\n" +
                             side[f]->FullPath.string() + "\n" + problem);
            return false;
        }
    }
    return true;
}

bool ProjectWindow::CompareModule(size_t pair, ComparisonState& state, IHost& host,
                                  std::array<std::string, 2>* bytes) const {
    std::array<std::string, 2> read;
    if (!bytes) {
        if (!ReadModule(pair, read, host)) return false;
        bytes = &read;
    }
    const OpenedSources& opened = *results_->Opened;
    const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[pair]);
    SetFileNames(state, side[0] ? side[0]->FullPath.string() : "",
                 side[1] ? side[1]->FullPath.string() : "");
    // What saving a document changes in a module by itself is left out, as on the command line.
    LeftOutLines noise;
    for (int f = 0; f < 2 && settings_.IgnoreSaveNoise; ++f) {
        if (side[f]) noise[f] = side[f]->NoiseLines;
    }
    return CompareContents(state, settings_.Compare, host, std::move(*bytes), CandidateSearch::Auto,
                           noise);
}

void ProjectWindow::GoToChangedModule(int direction) {
    if (!Active()) return;
    const std::optional<size_t> next = ChangedModule(*results_, shown_, direction);
    if (!next) {
        main_.ShowStatusNote(NoChangedModuleNote(direction));
        return;
    }
    // A module seen before comes back where the user left it; a new one opens at its first
    // difference.
    if (views_[*next]) {
        PutModule(*next, nullptr, &*views_[*next]);
    } else if (PutModule(*next, nullptr, nullptr)) {
        main_.ShowChangedProc(-1, 1);
    }
}

bool ProjectWindow::StepIntoModule(int direction) {
    if (!Active()) return false;
    const std::optional<size_t> next = ChangedModule(*results_, shown_, direction);
    if (!next || !PutModule(*next, nullptr, nullptr)) return false;
    const int count = main_.cboProcedures->count();
    main_.ShowChangedProc(direction > 0 ? -1 : count, direction);
    return true;
}

bool ProjectWindow::FindInOtherModules(const TextQuery& query, int direction) {
    if (!Active() || query.Text.empty()) return false;
    bool found = false;
    Run(TraceKind::App, "FindInOtherModules", [&] {
        BusyScope busy(main_.Host());
        const size_t count = results_->Results.size();
        const size_t start = shown_.value_or(0);
        const bool combined = settings_.ViewMode == "C";
        // The modules after the one on screen (before it, searching back), round the list's end.
        for (size_t step = 1; step < count + (shown_ ? 0 : 1); ++step) {
            const size_t pair =
                direction > 0 ? (start + step) % count : (start + count * step - step) % count;
            QuietHost quiet;
            std::array<std::string, 2> bytes;
            if (!ReadModule(pair, bytes, quiet) || !BytesMayHold(bytes, query)) continue;
            auto state = std::make_unique<ComparisonState>();
            if (!CompareModule(pair, *state, quiet, &bytes)) continue;
            const std::vector<ProcListEntry> entries =
                ProcListEntries(*state, settings_.Compare.DifferencesOnly);
            // From before the first row: forward the first place, back round to the last.
            const std::optional<SearchPlace> place =
                FindText(*state, entries, combined, query, SearchPlace{}, direction);
            if (!place || !PutModule(pair, std::move(state), nullptr)) continue;
            main_.ShowFoundText(*place, query, direction);
            found = true;
            return;
        }
    });
    return found;
}

void ProjectWindow::ShowSettingsTable() {
    if (!Active()) return;
    const std::vector<SettingRow> rows = SettingsRows(*results_);
    tblSettings->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r);
        tblSettings->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(rows[r].Setting)));
        for (int f = 0; f < 2; ++f) {
            tblSettings->setItem(row, f + 1,
                                 new QTableWidgetItem(QString::fromStdString(rows[r].Value[f])));
        }
    }
    tblSettings->resizeColumnsToContents();
    tblSettings->show();
    tblSettings->raise();
    PlaceSettingsTable();
}

void ProjectWindow::PlaceSettingsTable() {
    // Over the file labels and the panes, the splitter between them included.
    QRect area;
    for (int p = 0; p < 2; ++p) {
        for (QWidget* part : {static_cast<QWidget*>(main_.lblFileInformation[p]),
                              static_cast<QWidget*>(main_.fraDisplay[p])}) {
            if (!part->isHidden()) area = area.united(part->geometry());
        }
    }
    tblSettings->setGeometry(area);
}

void ProjectWindow::HideSettingsTable() {
    tblSettings->hide();
}

void ProjectWindow::DescribeShownModule(FileInformationTexts& texts) const {
    if (!Active()) return;
    if (shown_ && state_.FilesCompared) {
        DescribeModule(texts, state_, *results_, *shown_);
    } else if (!state_.FilesCompared) {
        // Two sources without a module: the caption names them.
        texts.Caption = "Dualis " + SourceLabel(results_->Opened->File1) + ":" +
                        SourceLabel(results_->Opened->File2);
    }
}

}  // namespace dualis
