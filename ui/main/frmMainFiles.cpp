// The main window's comparisons: Open, Recompare, the recent files and the refresh after a
// comparison; a comparison that does not complete leaves the one on screen as it was.
#include <QCoreApplication>
#include <QSignalBlocker>
#include <algorithm>

#include "DirectionText.h"
#include "DisplayLines.h"
#include "Pipeline.h"
#include "ProjectOpen.h"
#include "ProjectWindow.h"
#include "RecentFiles.h"
#include "frmMain.h"

namespace dualis {

void frmMain::SetComparing(bool comparing) {
    comparing_ = comparing;
    mnuFileOpen->setEnabled(!comparing);
    for (QAction* item : mnuFileMRU) item->setEnabled(!comparing);
    if (comparing) {
        mnuFileRecompare->setEnabled(false);
    } else {
        EnableMenuItems();
    }
}

bool frmMain::CompareAFile() {
    if (comparing_) return false;
    ComparisonState& state = ctx_.State;
    if (project::NamesProjects(state.FileName)) {
        const std::array<std::string, 2> names = state.FileName;
        // The comparison on screen stays until the first module of the projects replaces it.
        PutComparison([] { return false; });
        project_->Open(names, "");
        return false;
    }
    const ComparisonUse use = ShownView() == DisplayView::Combined ? ComparisonUse::CombinedView
                                                                   : ComparisonUse::SeparateView;
    const bool compared = PutComparison([&] {
        return dualis::CompareAFile(state, ctx_.Values.Compare, host_, CandidateSearch::Auto, use);
    });
    if (compared) project_->Close();
    return compared;
}

bool frmMain::PutComparison(const std::function<bool()>& compare) {
    if (comparing_) return false;
    ComparisonState& state = ctx_.State;
    SetComparing(true);
    bool compared = false;
    try {
        compared = compare();
    } catch (...) {
        SetComparing(false);
        throw;
    }
    SetComparing(false);
    if (compared) {
        ++comparisons_;
        BuildShownRows();
        for (int f = 0; f < 2; ++f) lineColumns_[f] = WidestLineColumns(state, f);
        shownFileName_ = state.FileName;
        shownBaseName_ = state.BaseName;
        shownExtension_ = state.Extension;
    } else if (state.FilesCompared) {
        // The comparison on screen stays, and so do the names that describe it.
        state.FileName = shownFileName_;
        state.BaseName = shownBaseName_;
        state.Extension = shownExtension_;
    }
    return compared;
}

DisplayView frmMain::ShownView() const {
    return ctx_.Values.ViewMode == "C" ? DisplayView::Combined : DisplayView::Separate;
}

void frmMain::BuildShownRows() {
    BuildViewRows(ctx_.State, ShownView(), host_);
}

bool frmMain::SelectAndCompareFiles() {
    bool compared = false;
    ctx_.Trace.Run(TraceKind::App, "mCompare: SelectAndCompareFiles", [&] {
        if (comparing_ || !ctx_.ChooseFiles) return;
        // The dialog starts from the two projects or folders on screen, not from the module.
        if (project_->Active()) {
            SetFileNames(ctx_.State, project_->Names()[0], project_->Names()[1]);
        }
        const bool confirmed = ctx_.ChooseFiles(this);
        QCoreApplication::processEvents();
        if (confirmed) {
            compared = CompareAFile();
        } else {
            PutComparison([] { return false; });  // back to the names on screen
        }
    });
    return compared;
}

void frmMain::RefreshAfterComparison(bool positionProcList) {
    UpdateMRUList();
    EnableMenuItems();
    LoadProcList();
    if (positionProcList) PositionProcList();
    ResetScrollBars();
    ShowFileInformation();
    SetScrollBars();
    ShowDisplayArrays();
    sbButtonsDisableEnable();
    // Showing a comparison moves no focus that the user placed; a window whose keyboard is
    // nowhere yet, as at the start, gives it to File 1's pane.
    if (!focusWidget()) picDisplay[0]->setFocus();
}

void frmMain::CompareFromFirstProc(const std::function<bool()>& compare) {
    if (compare()) ShowComparison(nullptr);
}

void frmMain::ShowComparison(const ComparisonView* view) {
    where_.ResetForComparison();
    RefreshAfterComparison(false);
    if (!view) return;
    const std::vector<ProcListEntry>& entries = procList_->Entries();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const ProcListEntry& e) {
        return e.Proc == view->CurrentProc();
    });
    // A procedure the list no longer shows (the options changed) leaves the first one shown.
    if (entry == entries.end()) return;
    {
        const QSignalBlocker block(cboProcedures);
        cboProcedures->setCurrentIndex(static_cast<int>(entry - entries.begin()));
    }
    ComparisonView back = *view;
    back.RecordFind(where_.LastFind());  // the block search remembers across comparisons
    where_ = back;
    SetScrollBars();
    ShowDisplayArrays();
    statusText_ = WithDirectionNote(statusText_,
                                    ProcHoldsDirectionControls(ctx_.State, where_.CurrentProc()));
    ShowStatus();
}

void frmMain::mnuFileOpen_Click() {
    Run(TraceKind::Events, "mnuFileOpen_Click",
        [&] { CompareFromFirstProc([this] { return SelectAndCompareFiles(); }); });
}

void frmMain::mnuFileRecompare_Click() {
    Run(TraceKind::Events, "mnuFileRecompare_Click", [&] {
        if (project_->Active()) {
            project_->Recompare();
            return;
        }
        if (!ctx_.State.FilesCompared || !CompareAFile()) return;
        LoadProcList();
        ResetScrollBars();
        SetScrollBars();
        ShowDisplayArrays();
        ShowFileInformation();
    });
}

void frmMain::mnuFileMRU_Click(int index) {
    Run(TraceKind::Events, "mnuFileMRU_Click", [&] {
        if (index < 0 || index >= static_cast<int>(MRUSize)) return;
        const MRUEntry entry = ctx_.Values.MRU[static_cast<size_t>(index)];
        if (const auto message = MRUMissingFile(entry)) {
            host_.ShowMessage(*message);
            return;
        }
        if (project::NamesProjects(entry)) {
            // A pair of projects or folders opens again at the module viewed last.
            if (comparing_) return;
            SelectMRUEntry(entry, ctx_.State, ctx_.Values);
            PutComparison([] { return false; });
            project_->Open(entry, ctx_.Values.MRUModule[static_cast<size_t>(index)]);
            return;
        }
        SelectMRUEntry(entry, ctx_.State, ctx_.Values);
        CompareFromFirstProc([this] { return CompareAFile(); });
    });
}

void frmMain::cmdViewFiles_Click() {
    Run(TraceKind::Events, "cmdViewFiles_Click", [&] { RefreshAfterComparison(true); });
}

void frmMain::SetMRUCaptions(const std::vector<std::string>& captions) {
    MRUCount = static_cast<int>(captions.size());
    for (size_t i = 0; i < mnuFileMRU.size(); ++i) {
        const bool used = i < captions.size();
        if (used) mnuFileMRU[i]->setText(QString::fromStdString(captions[i]));
        mnuFileMRU[i]->setVisible(used);
    }
}

void frmMain::UpdateMRUList() {
    Run(TraceKind::App, "UpdateMRUList", [&] {
        const bool modules = project_->Active();
        const std::array<std::string, 2> names = modules ? project_->Names() : ctx_.State.FileName;
        SetMRUCaptions(dualis::UpdateMRUList(ctx_.Values, names[0], names[1],
                                             modules ? project_->ShownModuleKey() : ""));
    });
}

}  // namespace dualis
