// The main window's drawing, scrolling and procedure list.
#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <algorithm>
#include <utility>

#include "DirectionText.h"
#include "DisplayLines.h"
#include "ProcList.h"
#include "frmMain.h"

namespace dualis {

void frmMain::ShowDisplayArrays() {
    Run(TraceKind::App, "ShowDisplayArrays", [&] {
        const std::string& mode = ctx_.Values.ViewMode;
        if (mode == "V" || mode == "H") {
            ShowBothDisplayArrays();
        } else if (mode == "C") {
            ShowCombinedDisplayArray();
        }
        ShowProcMaps();
    });
}

void frmMain::ShowBothDisplayArrays() {
    Run(TraceKind::App, "ShowBothDisplayArrays", [&] {
        const int16_t proc = where_.CurrentProc();
        if (ctx_.State.SeparateCount(proc) < 1) {
            for (DisplayPane* pane : picDisplay) pane->Clear();
            return;
        }
        std::array<PanePicture, 2> pictures;
        for (int p = 0; p < 2; ++p) {
            pictures[p] =
                BothPanesPicture(ctx_.State, ctx_.Values, proc, p, where_.Scroll(p).LinesPerPane,
                                 where_.ScrollRow(p), where_.HiLiteLine(p));
        }
        MarkBothPanes(ctx_.State, ctx_.Values, proc, pictures);
        for (int p = 0; p < 2; ++p) DrawPane(p, pictures[p]);
    });
}

void frmMain::ShowCombinedDisplayArray() {
    Run(TraceKind::App, "ShowCombinedDisplayArray", [&] {
        const int16_t proc = where_.CurrentProc();
        if (ctx_.State.CombinedCount(proc) < 1) return;
        PanePicture picture =
            CombinedPicture(ctx_.State, ctx_.Values, proc, where_.Scroll(0).LinesPerPane,
                            where_.ScrollRow(0), where_.HiLiteLine(0));
        if (combinedPairsOf_ != std::pair{comparisons_, proc}) {
            combinedPairs_ = PairCombinedRows(ctx_.State.CombinedDisplay.Row(proc));
            combinedPairsOf_ = {comparisons_, proc};
        }
        MarkCombined(ctx_.State, ctx_.Values, proc, combinedPairs_, picture);
        DrawPane(0, picture);
    });
}

void frmMain::DrawPane(int p, const PanePicture& picture) {
    where_.Drew(p, picture.Window, picture.HiLiteLine);
    // The pane moves left by one "W" width for each column the horizontal bar stands past 1.
    const int shift = metrics_.ColumnShift(where_.ScrollColumn(p));
    // The frame shows the pane up to its procedure map.
    picDisplay[p]->Draw(picture, metrics_.RowHeight, metrics_.DevicePixelRatio, shift,
                        picMap[p]->x());
    picDisplay[p]->move(-shift, 0);
    ShowSelection();
}

bool frmMain::ProcListHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == cboProcedures || cboProcedures->isAncestorOf(focus) ||
                     focus->window() == cboProcedures->view()->window());
}

void frmMain::GetDefaultFont() {
    Run(TraceKind::App, "GetDefaultFont", [&] {
        Settings& s = ctx_.Values;
        if (!s.FontName.empty()) return;
        // The window's own font for its text is the system's fixed-width font.
        const QFont own = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        s.FontName = own.family().toStdString();
        s.FontSize = static_cast<float>(own.pointSizeF() > 0 ? own.pointSizeF() : 10);
        s.FontBold = own.bold();
        s.FontItalic = own.italic();
    });
}

void frmMain::SetCurrentFont() {
    Run(TraceKind::App, "SetCurrentFont", [&] {
        const Settings& s = ctx_.Values;
        QFont font(QString::fromStdString(s.FontName));
        font.setStyleHint(QFont::TypeWriter);
        if (s.FontSize > 0) font.setPointSizeF(s.FontSize);
        font.setBold(s.FontBold);
        font.setItalic(s.FontItalic);
        for (DisplayPane* pane : picDisplay) pane->setFont(font);
        RefreshMetrics();
    });
}

void frmMain::ShowScrollPositions() {
    const bool h = std::exchange(hGuard_, true);
    const bool v = std::exchange(vGuard_, true);
    for (int p = 0; p < 2; ++p) {
        vsbDisplay[p]->setValue(where_.ScrollRow(p));
        hsbDisplay[p]->setValue(where_.ScrollColumn(p));
    }
    hGuard_ = h;
    vGuard_ = v;
}

bool frmMain::ScrollPane(int p, int32_t value) {
    if (!where_.ScrollTo(p, value, ctx_.Values.SyncVScroll)) return false;
    ShowScrollPositions();
    ShowDisplayArrays();
    return true;
}

bool frmMain::ScrollPaneColumns(int p, int32_t value) {
    if (!where_.ScrollColumns(p, value, ctx_.Values.SyncHScroll)) return false;
    ShowScrollPositions();
    ShowDisplayArrays();
    return true;
}

void frmMain::ResetScrollBars() {
    Run(TraceKind::App, "ResetScrollBars", [&] {
        where_.ScrollToStart();
        ShowScrollPositions();
        hGuard_ = vGuard_ = false;
    });
}

ScrollInput frmMain::MakeScrollInput() const {
    const std::string& mode = ctx_.Values.ViewMode;
    ScrollInput in;
    in.ViewMode = mode;
    in.Rows = CurrentRowCount();
    for (int p = 0; p < 2; ++p) {
        in.Pane[p] = {metrics_.Twips(picDisplay[p]->height()),
                      metrics_.Twips(fraDisplay[p]->width()), metrics_.RowHeightTwips(),
                      metrics_.CharWidthTwips()};
        in.MaxLineColumns[p] = lineColumns_[p];
        in.RawCount[p] = ctx_.State.RawCount(p);
    }
    in.VScrollBarWidth = metrics_.ScrollBarTwips();
    in.MapWidth = metrics_.MapTwips();
    in.Symbols = ctx_.Values.Symbols;
    in.LineNumbers = ctx_.Values.LineNumbers;
    return in;
}

void frmMain::SetScrollBars() {
    Run(TraceKind::App, "SetScrollBars", [&] {
        const ScrollInput in = MakeScrollInput();
        // Lines that all fit start at the first column, not where a bar that can no longer
        // move left them; the view keeps every position within its bar.
        where_.SetRanges(dualis::SetScrollBars(in, where_.Scrolls()), in.ViewMode == "C" ? 1 : 2);
        // A bar whose maximum drops below its value moves; the view has moved already.
        const bool h = std::exchange(hGuard_, true);
        const bool v = std::exchange(vGuard_, true);
        for (int p = 0; p < 2; ++p) {
            const PaneScroll& s = where_.Scroll(p);
            vsbDisplay[p]->setEnabled(s.VEnabled);
            if (s.VEnabled) {
                vsbDisplay[p]->setMaximum(s.VMax);
                vsbDisplay[p]->setPageStep(s.VPage);
            }
            hsbDisplay[p]->setEnabled(s.HEnabled);
            if (s.HEnabled) {
                hsbDisplay[p]->setMaximum(s.HMax);
                hsbDisplay[p]->setPageStep(std::max(1, s.CharsPerPane - 1));
            }
        }
        hGuard_ = h;
        vGuard_ = v;
        ShowScrollPositions();
    });
}

void frmMain::vsbDisplay_Change(int index) {
    if (vGuard_) return;
    Run(TraceKind::Events, "vsbDisplay_Change", [&] {
        where_.ScrollTo(index, vsbDisplay[index]->value(), ctx_.Values.SyncVScroll);
        BarMoved(index);
    });
}

void frmMain::hsbDisplay_Change(int index) {
    if (hGuard_) return;
    Run(TraceKind::Events, "hsbDisplay_Change", [&] {
        where_.ScrollColumns(index, hsbDisplay[index]->value(), ctx_.Values.SyncHScroll);
        BarMoved(index);
    });
}

void frmMain::BarMoved(int index) {
    // The partner's bar is set without its change event, so the view is drawn once.
    ShowScrollPositions();
    ShowDisplayArrays();
    // Only the user moves a bar; the pane it scrolls takes the keyboard, unless the find bar
    // has it so that Enter searches on.
    if (!fraFind->HasFocus()) picDisplay[index]->setFocus();
}

void frmMain::LoadProcList() {
    Run(TraceKind::App, "LoadProcList", [&] {
        const QSignalBlocker block(cboProcedures);
        procList_->SetEntries(ProcListEntries(ctx_.State, ctx_.Values.Compare.DifferencesOnly));
        if (cboProcedures->count() > 0) {
            cboProcedures->setCurrentIndex(0);
            cboProcedures_Click();
        } else {
            cboProcedures->setCurrentIndex(-1);
        }
        where_.ClearHighlight();
        ClearSelection();
        cboProcedures->update();
    });
}

void frmMain::cboProcedures_Click() {
    Run(TraceKind::Events, "cboProcedures_Click", [&] {
        if (cboProcedures->currentIndex() < 0) return;
        where_.ShowProc(static_cast<int16_t>(cboProcedures->currentData().toInt()));
        ChangeProc();
    });
}

void frmMain::ChangeProc() {
    Run(TraceKind::App, "ChangeProc", [&] {
        ShowSelection();
        ResetScrollBars();
        SetScrollBars();
        ShowDisplayArrays();
        // The note on characters that change the text direction follows the procedure shown.
        statusText_ = WithDirectionNote(
            statusText_, ProcHoldsDirectionControls(ctx_.State, where_.CurrentProc()));
        // A procedure shown anew ends the extend mode.
        ShowStatus();
    });
}

}  // namespace dualis
