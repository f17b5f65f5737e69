// The main window's selection of rows in a pane: the mouse, the pane menu, and copying the
// selected rows to the clipboard.
#include <QClipboard>
#include <QGuiApplication>

#include "StatusNotes.h"
#include "frmMain.h"

namespace dualis {

void frmMain::BuildPaneMenu() {
    mnuPane = new QMenu(this);
    // The keys are shown after a tab; the window's key handling carries them out.
    mnuPaneCopy = mnuPane->addAction(QStringLiteral("&Copy\tCtrl+C"));
    mnuPaneCopyAsShown = mnuPane->addAction(QStringLiteral("Copy with &symbols and numbers"));
    mnuPane->addSeparator();
    mnuPaneSelectAll = mnuPane->addAction(QStringLiteral("Select &All\tCtrl+A"));
}

void frmMain::ConnectPaneSelection() {
    connect(mnuPaneCopy, &QAction::triggered, this, [this] {
        Run(TraceKind::Events, "mnuPaneCopy_Click", [&] { CopySelection(CopyForm::Lines); });
    });
    connect(mnuPaneCopyAsShown, &QAction::triggered, this, [this] {
        Run(TraceKind::Events, "mnuPaneCopyAsShown_Click",
            [&] { CopySelection(CopyForm::AsShown); });
    });
    connect(mnuPaneSelectAll, &QAction::triggered, this, [this] {
        Run(TraceKind::Events, "mnuPaneSelectAll_Click", [&] { SelectEveryRow(menuPane_); });
    });
    for (int p = 0; p < 2; ++p) {
        DisplayPane* pane = picDisplay[p];
        connect(pane, &DisplayPane::RowPressed, this,
                [this, p](int y, bool extend) { picDisplay_MouseDown(p, y, extend); });
        connect(pane, &DisplayPane::RowDragged, this,
                [this, p](int y) { picDisplay_MouseDrag(p, y); });
        connect(pane, &DisplayPane::MenuRequested, this,
                [this, p](QPoint at, int y) { ShowPaneMenu(p, at, y); });
    }
}

void frmMain::picDisplay_MouseDown(int pane, int y, bool extend) {
    Run(TraceKind::MouseEvents, "picDisplay_MouseDown", [&] {
        const int32_t row = RowAtPixel(y, metrics_.RowHeight, where_.Drawn(pane));
        if (row < 1) return;
        where_.PressRow(pane, row, extend);
        ShowSelection();
        ShowStatus();  // a press in the other pane ends the extend mode
    });
}

void frmMain::picDisplay_MouseDrag(int pane, int y) {
    Run(TraceKind::MouseEvents, "picDisplay_MouseMove", [&] {
        if (where_.Selection().Pane != pane) return;
        // Past the top or bottom edge the pane scrolls a row, which redraws it.
        const int step = EdgeScrollStep(y, picDisplay[pane]->height());
        if (step != 0) ScrollPane(pane, where_.ScrollRow(pane) + step);
        const int32_t row = RowAtPixel(y, metrics_.RowHeight, where_.Drawn(pane));
        if (row < 1) return;
        where_.DragToRow(pane, row);
        ShowSelection();
    });
}

void frmMain::ShowPaneMenu(int pane, QPoint globalPos, int y) {
    Run(TraceKind::Events, "picDisplay_ContextMenu", [&] {
        const LineWindow window = where_.Drawn(pane);
        const bool combined = ctx_.Values.ViewMode == "C";
        // A right-click beside the selection selects the row clicked, as a left-click would.
        const int32_t row = y < 0 ? 0 : RowAtPixel(y, metrics_.RowHeight, window);
        if (row >= 1 && !where_.Selection().Holds(pane, row)) {
            where_.PressRow(pane, row, false);
            ShowSelection();
        }
        const RowSelection& selection = where_.Selection();
        if (y < 0) {
            // From the keyboard the menu opens at the selection, or at the pane's top.
            const PixelBand band = SelectedBand(selection, pane, window, metrics_.RowHeight);
            globalPos = fraDisplay[pane]->mapToGlobal(QPoint(metrics_.RowHeight, band.Top));
        }
        menuPane_ = pane;
        const int32_t rows = CurrentRowCount();
        const bool held = selection.Pane == pane;
        mnuPaneCopy->setEnabled(
            held && SelectionHasLines(ctx_.State, where_.CurrentProc(), combined, selection));
        mnuPaneCopyAsShown->setEnabled(held && selection.First() <= rows);
        mnuPaneSelectAll->setEnabled(ctx_.State.FilesCompared && rows > 0);
        mnuPane->popup(globalPos);
    });
}

void frmMain::CopySelection(CopyForm form) {
    Run(TraceKind::App, "CopySelection", [&] {
        const bool combined = ctx_.Values.ViewMode == "C";
        const CopiedText copied = SelectionText(ctx_.State, ctx_.Values, where_.CurrentProc(),
                                                combined, where_.Selection(), form);
        if (copied.Lines == 0) return;
        QGuiApplication::clipboard()->setText(QString::fromStdString(copied.Text));
        ShowStatusNote(copied.Lines == 1 ? "1 line copied"
                                         : std::to_string(copied.Lines) + " lines copied");
    });
}

void frmMain::SelectEveryRow(int pane) {
    Run(TraceKind::App, "SelectEveryRow", [&] {
        if (!ctx_.State.FilesCompared) return;
        where_.SelectAll(pane, CurrentRowCount());
        ShowSelection();
        ShowStatus();
    });
}

void frmMain::ExtendSelection(int pane, int step) {
    Run(TraceKind::App, "ExtendSelection", [&] {
        if (!ctx_.State.FilesCompared) return;
        if (where_.ExtendingPane() != pane) return;
        where_.ExtendSelection(step, CurrentRowCount());
        // The row reached stays wholly on screen.
        const int32_t row = where_.Selection().Current;
        const int32_t top = where_.TopLine(pane);
        const int32_t lastWhole = top + where_.Scroll(pane).LinesPerPane - 1;
        if (row < top) {
            ScrollPane(pane, row);
        } else if (row > lastWhole) {
            ScrollPane(pane, where_.ScrollRow(pane) + row - lastWhole);
        }
        ShowSelection();
    });
}

void frmMain::StartExtendMode(int pane) {
    Run(TraceKind::App, "StartExtendMode", [&] {
        if (!ctx_.State.FilesCompared || !where_.StartExtending(pane)) return;
        ShowSelection();
        ShowStatus();
    });
}

void frmMain::EndExtendMode() {
    Run(TraceKind::App, "EndExtendMode", [&] {
        where_.EndExtending();
        ShowStatus();
    });
}

void frmMain::ClearSelection() {
    where_.ClearSelection();
    ShowSelection();
    ShowStatus();
}

void frmMain::ShowSelection() {
    const bool combined = ctx_.Values.ViewMode == "C";
    for (int p = 0; p < 2; ++p) {
        const PixelBand band =
            SelectedBand(where_.Selection(), p, where_.Drawn(p), metrics_.RowHeight);
        picDisplay[p]->SetSelectionBand(band.Top, band.Height);
        MarkBox mark;
        if (const std::optional<FoundText> found = where_.ShownFoundText(p, combined)) {
            mark = FoundMarkBox(found->Place.Row, found->Columns, where_.Drawn(p),
                                metrics_.RowHeight, metrics_.CharWidth);
        }
        picDisplay[p]->SetFoundMark(QRect(mark.Left, mark.Top, mark.Width, mark.Height));
    }
}

}  // namespace dualis
