// The main window's drawing, scrolling and procedure list.
#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <algorithm>

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
        // A procedure picked in the list leaves the focus there, so the next key moves on; the
        // find bar keeps it so that Enter searches on.
        if (!ProcListHasFocus() && !fraFind->HasFocus()) picDisplay[0]->setFocus();
    });
}

void frmMain::ShowBothDisplayArrays() {
    Run(TraceKind::App, "ShowBothDisplayArrays", [&] {
        if (ctx_.State.SeparateCount(CurrentProc) < 1) {
            for (DisplayPane* pane : picDisplay) pane->Clear();
            return;
        }
        std::array<PanePicture, 2> pictures;
        for (int p = 0; p < 2; ++p) {
            pictures[p] =
                BothPanesPicture(ctx_.State, ctx_.Values, CurrentProc, p, Scroll[p].LinesPerPane,
                                 vsbDisplay[p]->value(), HiLiteLine[p]);
            HiLiteLine[p] = pictures[p].HiLiteLine;
        }
        MarkBothPanes(ctx_.State, ctx_.Values, CurrentProc, pictures);
        for (int p = 0; p < 2; ++p) DrawPane(p, pictures[p]);
    });
}

void frmMain::ShowCombinedDisplayArray() {
    Run(TraceKind::App, "ShowCombinedDisplayArray", [&] {
        if (ctx_.State.CombinedCount(CurrentProc) < 1) return;
        PanePicture picture =
            CombinedPicture(ctx_.State, ctx_.Values, CurrentProc, Scroll[0].LinesPerPane,
                            vsbDisplay[0]->value(), HiLiteLine[0]);
        if (combinedPairsOf_ != std::pair{comparisons_, CurrentProc}) {
            combinedPairs_ = PairCombinedRows(ctx_.State.CombinedDisplay.Row(CurrentProc));
            combinedPairsOf_ = {comparisons_, CurrentProc};
        }
        MarkCombined(ctx_.State, ctx_.Values, CurrentProc, combinedPairs_, picture);
        DrawPane(0, picture);
    });
}

void frmMain::DrawPane(int p, const PanePicture& picture) {
    TopLine[p] = picture.Window.Top;
    BottomLine[p] = picture.Window.Bottom;
    // The pane moves left by one "W" width for each column the horizontal bar stands past 1.
    const int shift = metrics_.ColumnShift(hsbDisplay[p]->value());
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

void frmMain::SetHorizontalScroll(int p, int value) {
    const bool guard = hGuard_;
    hGuard_ = true;
    hsbDisplay[p]->setValue(value);
    hGuard_ = guard;
}

void frmMain::ResetScrollBars() {
    Run(TraceKind::App, "ResetScrollBars", [&] {
        for (int p = 0; p < 2; ++p) {
            hGuard_ = true;
            hsbDisplay[p]->setValue(1);
            vGuard_ = true;
            vsbDisplay[p]->setValue(1);
        }
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
        in.MaxLineLength[p] = ctx_.State.MaxLineLength(p);
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
        Scroll = dualis::SetScrollBars(in, Scroll);
        const int panes = in.ViewMode == "C" ? 1 : 2;
        for (int p = 0; p < panes; ++p) {
            const PaneScroll& s = Scroll[p];
            vsbDisplay[p]->setEnabled(s.VEnabled);
            if (s.VEnabled) {
                vsbDisplay[p]->setMaximum(s.VMax);
                vsbDisplay[p]->setPageStep(s.VPage);
            }
            hsbDisplay[p]->setEnabled(s.HEnabled);
            if (s.HEnabled) {
                hsbDisplay[p]->setMaximum(s.HMax);
                hsbDisplay[p]->setPageStep(std::max(1, s.CharsPerPane - 1));
            } else {
                // Lines that all fit start at the first column, not where a bar that can no
                // longer move left them.
                SetHorizontalScroll(p, 1);
            }
        }
    });
}

void frmMain::vsbDisplay_Change(int index) {
    if (vGuard_) return;
    Run(TraceKind::Events, "vsbDisplay_Change",
        [&] { FollowScroll(vsbDisplay, index, ctx_.Values.SyncVScroll, vGuard_); });
}

void frmMain::hsbDisplay_Change(int index) {
    if (hGuard_) return;
    Run(TraceKind::Events, "hsbDisplay_Change",
        [&] { FollowScroll(hsbDisplay, index, ctx_.Values.SyncHScroll, hGuard_); });
}

void frmMain::FollowScroll(const std::array<QScrollBar*, 2>& bars, int index, bool sync,
                           bool& guard) {
    // The partner's own change event finds the guard set, so the view is drawn once.
    QScrollBar* other = bars[1 - index];
    if (sync && other->isEnabled()) {
        guard = true;
        other->setValue(PartnerScrollValue(bars[index]->value(), other->maximum()));
        guard = false;
    }
    ShowDisplayArrays();
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
        HiLiteLine = {-1, -1};
        ClearSelection();
        cboProcedures->update();
    });
}

void frmMain::cboProcedures_Click() {
    Run(TraceKind::Events, "cboProcedures_Click", [&] {
        if (cboProcedures->currentIndex() < 0) return;
        CurrentProc = static_cast<int16_t>(cboProcedures->currentData().toInt());
        ChangeProc();
    });
}

void frmMain::ChangeProc() {
    Run(TraceKind::App, "ChangeProc", [&] {
        HiLiteLine = {-1, -1};
        ClearSelection();
        ResetScrollBars();
        SetScrollBars();
        ShowDisplayArrays();
        // The note on characters that change the text direction follows the procedure shown.
        const std::string status =
            WithDirectionNote(StatusText, ProcHoldsDirectionControls(ctx_.State, CurrentProc));
        if (status != StatusText) {
            StatusText = status;
            lblStatus->setText(QString::fromStdString(StatusText));
        }
    });
}

}  // namespace dualis
