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

SearchPlace frmMain::TextSearchStart(int direction, bool combined) const {
    const int entry = std::max(0, cboProcedures->currentIndex());
    if (textFound_ && textFound_->Entry == entry && textFoundCombined_ == combined &&
        HiLiteLine[textFound_->Pane] == textFound_->Row) {
        return *textFound_;
    }
    const int32_t hiLite = HiLiteLine[0];
    if (direction > 0) return {entry, hiLite >= 1 ? hiLite : TopLine[0] - 1, combined ? 0 : 1};
    return {entry, hiLite >= 1 ? hiLite : BottomLine[0] + 1, 0};
}

void frmMain::SearchText(int direction) {
    Run(TraceKind::Events, "SearchText", [&] {
        const TextQuery query = fraFind->Query();
        if (query.Text.empty() || !ctx_.State.FilesCompared) return;
        const bool combined = ctx_.Values.ViewMode == "C";
        const std::optional<SearchPlace> found =
            FindText(ctx_.State, procList_->Entries(), combined, query,
                     TextSearchStart(direction, combined), direction);
        if (!found) {
            host_.ShowMessage("Dualis cannot find \"" + query.Text + "\".");
            return;
        }
        textFound_ = found;
        textFoundCombined_ = combined;
        SelectProcEntry(found->Entry);  // shows the procedure from its top when it changes
        const int pane = found->Pane;
        const int32_t rows = CurrentRowCount();
        // Highlighted as the block search highlights: the row in both panes.
        HiLiteLine[0] = found->Row;
        if (!combined) HiLiteLine[1] = found->Row;
        const std::optional<int32_t> scroll =
            ScrollToRow(found->Row, rows, direction, TopLine[pane], BottomLine[pane],
                        Scroll[pane].LinesPerPane);
        // A new scroll value redraws through the bar's change; the same value would not.
        if (scroll && vsbDisplay[pane]->value() != *scroll) {
            vsbDisplay[pane]->setValue(*scroll);
        } else {
            ShowDisplayArrays();
        }
        ShowFoundColumns(query, pane, combined, found->Row);
    });
}

void frmMain::ShowFoundColumns(const TextQuery& query, int pane, bool combined, int32_t row) {
    const RowSource source = PaneRowSource(ctx_.State, CurrentProc, combined, pane, row);
    if (source.RawLine < 1) return;
    const std::string_view line = ctx_.State.RawStack[source.File].Text(source.RawLine);
    const std::optional<size_t> at = TextMatcher(query).Find(line);
    if (!at) return;
    const std::string printed =
        PaneRowText(ctx_.State, ctx_.Values, CurrentProc, combined, pane, row);
    const size_t start = printed.size() - line.size() + *at;
    const int32_t column = DisplayColumn(printed, start);
    const int32_t length = DisplayColumn(printed, start + query.Text.size()) - column;
    QScrollBar* bar = hsbDisplay[pane];
    const std::optional<int32_t> value =
        ScrollToColumns(column, length, bar->value(), Scroll[pane].CharsPerPane,
                        bar->isEnabled() ? bar->maximum() : 1);
    // The bar's change draws the panes, and the partner follows when synchronised.
    if (value) bar->setValue(*value);
}

}  // namespace dualis
