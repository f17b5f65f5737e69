// The main window's find bar: opening and closing it, and moving to the text it finds.
#include <QApplication>

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
        const std::optional<SearchPlace> found =
            FindText(ctx_.State, procList_->Entries(), combined, query,
                     where_.TextSearchStart(entry, direction, combined), direction);
        if (!found) {
            host_.ShowMessage("Dualis cannot find \"" + query.Text + "\".");
            return;
        }
        SelectProcEntry(found->Entry);  // shows the procedure from its top when it changes
        where_.Found(*found, combined);
        const int pane = found->Pane;
        const std::optional<int32_t> scroll =
            ScrollToRow(found->Row, CurrentRowCount(), direction, where_.TopLine(pane),
                        where_.BottomLine(pane), where_.Scroll(pane).LinesPerPane);
        if (!scroll || !ScrollPane(pane, *scroll)) ShowDisplayArrays();
        ShowFoundColumns(query, pane, combined, found->Row);
    });
}

void frmMain::ShowFoundColumns(const TextQuery& query, int pane, bool combined, int32_t row) {
    const int16_t proc = where_.CurrentProc();
    const RowSource source = PaneRowSource(ctx_.State, proc, combined, pane, row);
    if (source.RawLine < 1) return;
    const std::string_view line = ctx_.State.RawStack[source.File].Text(source.RawLine);
    const std::optional<size_t> at = TextMatcher(query).Find(line);
    if (!at) return;
    const PrintedRow printed = PrintRow(ctx_.State, ctx_.Values, proc, combined, pane, row);
    const auto codeStart = static_cast<size_t>(printed.CodeStart);
    const size_t start = codeStart + *at;
    const int32_t column = DisplayColumn(printed.Text, start, codeStart);
    const int32_t length =
        DisplayColumn(printed.Text, start + query.Text.size(), codeStart) - column;
    const PaneScroll& scroll = where_.Scroll(pane);
    const std::optional<int32_t> value =
        ScrollToColumns(column, length, where_.ScrollColumn(pane), scroll.CharsPerPane,
                        scroll.HEnabled ? scroll.HMax : 1);
    // The partner follows when synchronised.
    if (value) ScrollPaneColumns(pane, *value);
}

}  // namespace dualis
