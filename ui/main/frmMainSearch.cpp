// The main window's find bar: opening and closing it, and moving to the text it finds.
#include <QApplication>
#include <algorithm>

#include "ProjectWindow.h"
#include "StatusNotes.h"
#include "frmMain.h"

namespace dualis {

void frmMain::BuildFindBar() {
    fraFind = new FindBar(view_);
    fraFind->hide();
    connect(fraFind, &FindBar::Search, this, [this](int direction) { SearchText(direction); });
    connect(fraFind, &FindBar::CloseRequested, this, [this] { CloseFindBar(); });
}

void frmMain::PositionFindBar() {
    if (!fraFind->isHidden()) Place(fraFind, dualis::PositionFindBar(MakeLayoutInput()));
}

void frmMain::mnuFindText_Click() {
    Run(TraceKind::Events, "mnuFindText_Click", [&] {
        if (!ctx_.State.FilesCompared) return;
        if (fraFind->isHidden()) {
            findBarReturnPane_ = QApplication::focusWidget() == picDisplay[1] ? 1 : 0;
            fraFind->show();
            RelayoutView();
        }
        fraFind->Open();
    });
}

void frmMain::CloseFindBar() {
    Run(TraceKind::Events, "CloseFindBar", [&] {
        fraFind->hide();
        RelayoutView();
        const bool combined = ctx_.Values.ViewMode == "C";
        picDisplay[combined ? 0 : findBarReturnPane_]->setFocus();
    });
}

void frmMain::SearchText(int direction) {
    Run(TraceKind::Events, "SearchText", [&] {
        const TextQuery query = fraFind->Query();
        if (query.Text.empty() || !ctx_.State.FilesCompared) return;
        const bool combined = ctx_.Values.ViewMode == "C";
        const int entry = std::max(0, cboProcedures->currentIndex());
        const SearchPlace from = where_.TextSearchStart(entry, direction, combined);
        const std::optional<SearchPlace> found =
            FindText(ctx_.State, procList_->Entries(), combined, query, from, direction);
        // Searching every module, the search goes on into the next module where this one ends,
        // and comes back round to this one only after all the others.
        const bool wentRound = !found || SearchWentRound(*found, from, direction);
        if (fraFind->WholeProject() && wentRound && project_->FindInOtherModules(query, direction))
            return;
        if (!found) {
            host_.ShowMessage("Dualis cannot find \"" + query.Text + "\".");
            return;
        }
        ShowFoundText(*found, query, direction);
    });
}

void frmMain::ShowFoundText(const SearchPlace& found, const TextQuery& query, int direction) {
    Run(TraceKind::App, "ShowFoundText", [&] {
        const bool combined = ctx_.Values.ViewMode == "C";
        SelectProcEntry(found.Entry);  // shows the procedure from its top when it changes
        const int pane = found.Pane;
        const int16_t proc = where_.CurrentProc();
        const std::optional<FoundColumns> columns =
            FindColumns(ctx_.State, ctx_.Values, proc, combined, pane, found.Row, query);
        where_.Found(found, combined, columns.value_or(FoundColumns{}));
        // The row found stands wholly inside the pane, clear of the bar below it.
        const PaneScroll& scroll = where_.Scroll(pane);
        const int32_t wholeRows = picDisplay[pane]->height() / std::max(1, metrics_.RowHeight);
        const std::optional<int32_t> value = ScrollToWholeRow(
            found.Row, direction, where_.Drawn(pane), wholeRows, scroll.VEnabled ? scroll.VMax : 1);
        if (!value || !ScrollPane(pane, *value)) ShowDisplayArrays();
        if (columns) ShowFoundColumns(*columns, pane);
        // Which file's line holds the text: a row that matches in both panes is found twice.
        const int file = PaneRowSource(ctx_.State, proc, combined, pane, found.Row).File;
        ShowStatusNote(FoundTextNote(query.Text, file));
    });
}

void frmMain::ShowFoundColumns(const FoundColumns& columns, int pane) {
    const PaneScroll& scroll = where_.Scroll(pane);
    const std::optional<int32_t> value =
        ScrollToColumns(columns.Column, columns.Length, where_.ScrollColumn(pane),
                        scroll.CharsPerPane, scroll.HEnabled ? scroll.HMax : 1);
    // The partner follows when synchronised.
    if (value) ScrollPaneColumns(pane, *value);
}

}  // namespace dualis
