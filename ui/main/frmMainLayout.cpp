// The main window's layout: view modes, the view area, the panes, the splitter, the legend and
// the View menu commands that change them.
#include <QResizeEvent>
#include <cmath>
#include <utility>

#include "Legend.h"
#include "frmMain.h"

namespace dualis {

void frmMain::Place(QWidget* w, const Rect& r) const {
    const WindowMetrics& m = metrics_;
    w->setGeometry(m.Pixels(r.Left), m.Pixels(r.Top), std::max(0, m.Pixels(r.Width)),
                   std::max(0, m.Pixels(r.Height)));
}

double frmMain::ToolbarHeight() const {
    return picToolBar->isHidden() ? 0 : metrics_.Twips(picToolBar->sizeHint().height());
}

LayoutInput frmMain::MakeLayoutInput() const {
    const WindowMetrics& m = metrics_;
    LayoutInput in;
    in.ViewMode = ctx_.Values.ViewMode;
    in.InnerWidth = m.Twips(view_->width());
    in.InnerHeight = m.Twips(view_->height());
    in.ToolbarHeight = ToolbarHeight();
    in.ProcListHeight = cboProcedures->isHidden() ? 0 : m.Twips(cboProcedures->height()) + 30;
    in.StatusHeight = lblStatus->isHidden() ? 0 : m.Twips(lblStatus->height());
    in.LegendBand = LegendInBand() ? m.Twips(picLegend->height()) : 0;
    in.FindBarHeight = fraFind->isHidden() ? 0 : m.Twips(fraFind->sizeHint().height());
    in.HScrollBarHeight = m.ScrollBarTwips();
    in.VScrollBarWidth = m.ScrollBarTwips();
    in.MapWidth = m.MapTwips();
    in.OneLineHeight = m.OneLineTwips();
    in.TwoLineHeight = m.TwoLineTwips();
    in.LineHeight = {m.RowHeightTwips(), m.RowHeightTwips()};
    in.CharWidth = {m.CharWidthTwips(), m.CharWidthTwips()};
    in.SplitRatioV = SplitRatioV;
    in.SplitRatioH = SplitRatioH;
    return in;
}

void frmMain::SetViewMode() {
    Run(TraceKind::App, "SetViewMode", [&] {
        const std::string& mode = ctx_.Values.ViewMode;
        if (mode != "V" && mode != "H" && mode != "C") return;
        BuildShownRows();
        ClearSelection();
        const bool two = mode != "C";
        const bool secondFocused = focusWidget() == picDisplay[1];
        picSplitter->setVisible(two);
        if (mode == "V") picSplitter->setCursor(Qt::SplitHCursor);
        if (mode == "H") picSplitter->setCursor(Qt::SplitVCursor);
        fraDisplay[1]->setVisible(two);
        // File 2's pane going away hands the keyboard to the one pane left.
        if (!two && secondFocused) picDisplay[0]->setFocus();
        lblFileInformation[1]->setVisible(true);
        if (!two) {
            hsbDisplay[1]->setEnabled(false);
            vsbDisplay[1]->setEnabled(false);
        }
        mnuViewVertical->setChecked(mode == "V");
        mnuViewHorizontal->setChecked(mode == "H");
        mnuViewCombined->setChecked(mode == "C");
    });
}

void frmMain::PositionProcList() {
    Run(TraceKind::App, "PositionProcList", [&] {
        const WindowMetrics& m = metrics_;
        cboProcedures->setVisible(true);
        lblProc->setVisible(true);
        const Rect label{0, 0, m.Twips(lblProc->width()), m.Twips(lblProc->height())};
        const Rect list{0, 0, 0, m.Twips(cboProcedures->sizeHint().height())};
        const ProcListPlace place =
            dualis::PositionProcList(ToolbarHeight(), m.Twips(view_->width()), label, list);
        Place(lblProc, place.Label);
        Place(cboProcedures, place.List);
    });
}

void frmMain::PositionViewArea() {
    Run(TraceKind::App, "PositionViewArea", [&] {
        viewArea_ = dualis::PositionViewArea(MakeLayoutInput());
        if (viewArea_.Splitter) Place(picSplitter, *viewArea_.Splitter);
    });
}

void frmMain::PositionDisplayAreas() {
    Run(TraceKind::App, "PositionDisplayAreas", [&] {
        const DisplayAreas areas = dualis::PositionDisplayAreas(MakeLayoutInput(), viewArea_);
        if (areas.Splitter) {
            viewArea_.Splitter = areas.Splitter;
            Place(picSplitter, *areas.Splitter);
        }
        const int panes = areas.TwoPanes ? 2 : 1;
        const bool combined = ctx_.Values.ViewMode == "C";
        for (int p = 0; p < 2; ++p) {
            if (p < panes || combined) Place(lblFileInformation[p], areas.Pane[p].Label);
        }
        for (int p = 0; p < panes; ++p) {
            const PaneFrame& f = areas.Pane[p];
            Place(fraDisplay[p], f.Frame);
            Place(hsbDisplay[p], f.HScroll);
            Place(vsbDisplay[p], f.VScroll);
            Place(picMap[p], f.Map);
            // Keep the horizontal shift the pane has; the next draw sets it again.
            const int left = picDisplay[p]->x();
            Place(picDisplay[p], f.Picture);
            picDisplay[p]->move(left, 0);
        }
        ShowOpenHint();
    });
}

void frmMain::ShowOpenHint() {
    lblOpenHint->setVisible(!ctx_.State.FilesCompared);
    if (lblOpenHint->isHidden()) return;
    // A box as wide as its text, where the view has room for it, in the middle of the view.
    const Rect& v = viewArea_.View;
    const QRect area(metrics_.Pixels(v.Left), metrics_.Pixels(v.Top),
                     std::max(0, metrics_.Pixels(v.Width)), std::max(0, metrics_.Pixels(v.Height)));
    const QMargins margins = lblOpenHint->contentsMargins();
    // A pixel or two more than the text's advance, so that rounding never wraps it.
    const int textWidth = lblOpenHint->fontMetrics().horizontalAdvance(lblOpenHint->text()) + 2;
    const int width = std::min(area.width(), textWidth + margins.left() + margins.right());
    QRect box(0, 0, width, std::min(area.height(), lblOpenHint->heightForWidth(width)));
    box.moveCenter(area.center());
    lblOpenHint->setGeometry(box);
}

void frmMain::SetupLegend() {
    Run(TraceKind::App, "SetupLegend", [&] {
        const int height = picLegend->height();
        picLegend->SetupLegend(ctx_.Values, ctx_.Values.ViewMode);
        // The explanation of another view may take more or fewer lines than the band has.
        if (loaded_ && LegendInBand() && picLegend->height() != height) PlaceLegendBand();
    });
}

void frmMain::PositionStatusLine() {
    if (!ctx_.Values.Viewstatusbar) return;
    const double tpp = metrics_.TwipsPerPixel;
    const double height = lblStatus->height() * tpp;
    Place(lblStatus, {60, view_->height() * tpp - height, view_->width() * tpp - 120, height});
}

void frmMain::MoveLegendToFirstPlace() {
    const double tpp = metrics_.TwipsPerPixel;
    const double status = ctx_.Values.Viewstatusbar ? lblStatus->height() * tpp : 0;
    legend_ = FirstLegendPlace(picLegend->width() * tpp, picLegend->height() * tpp,
                               view_->width() * tpp, view_->height() * tpp, status);
    MoveLegend();
}

void frmMain::PlaceLegendBand() {
    if (LegendInBand()) MoveLegendToFirstPlace();
    RelayoutPanes();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (loaded_) Form_Resize();
}

void frmMain::Form_Resize() {
    Run(TraceKind::Events, "Form_Resize", [&] {
        const double tpp = metrics_.TwipsPerPixel;
        if (!isMinimized() && !isMaximized() && !isFullScreen()) {
            // The smallest outer size, with the frame as the window manager announced it.
            const int minimum = static_cast<int>(std::ceil(MinimumWindowTwips / tpp));
            const QSize least(minimum - metrics_.FrameWidth, minimum - metrics_.FrameHeight);
            if (width() < least.width() || height() < least.height()) {
                resize(size().expandedTo(least));
            }
            RecordPlacement();
        }
        if (isMinimized()) return;
        const double w = view_->width() * tpp;
        const double h = view_->height() * tpp;
        PositionStatusLine();
        const double outerWidth = frameGeometry().width() * tpp;
        const double outerHeight = frameGeometry().height() * tpp;
        if (LegendInBand()) {
            MoveLegendToFirstPlace();
        } else {
            legend_ =
                LegendAfterResize(legend_, picLegend->width() * tpp, picLegend->height() * tpp,
                                  LastWidth, LastHeight, outerWidth, outerHeight, w, h);
            MoveLegend();
        }
        LastWidth = outerWidth;
        LastHeight = outerHeight;
        PositionToolbar();
        PositionProcList();
        RelayoutPanes();
    });
}

void frmMain::picSplitter_MouseDown() {
    Run(TraceKind::MouseEvents, "picSplitter_MouseDown", [&] { SplitterDragging = true; });
}

void frmMain::picSplitter_MouseMove(double x, double y) {
    if (!SplitterDragging) return;
    Run(TraceKind::MouseEvents, "picSplitter_MouseMove", [&] {
        if (!viewArea_.Splitter) return;
        Rect splitter = *viewArea_.Splitter;
        const std::string& mode = ctx_.Values.ViewMode;
        const double tpp = metrics_.TwipsPerPixel;
        if (mode == "V") {
            // The module list, docked beside the panes, narrows the room the bar may move in.
            const double besideView = (width() - centralWidget()->width()) * tpp;
            const auto left = SplitterDragTarget(splitter.Left, x, splitter.Width,
                                                 frameGeometry().width() * tpp - besideView);
            if (!left) return;
            splitter.Left = *left;
        } else if (mode == "H") {
            const auto top = SplitterDragTarget(splitter.Top, y, splitter.Height,
                                                frameGeometry().height() * tpp);
            if (!top) return;
            splitter.Top = *top;
        } else {
            return;
        }
        viewArea_.Splitter = splitter;
        Place(picSplitter, splitter);
    });
}

void frmMain::picSplitter_MouseUp() {
    Run(TraceKind::MouseEvents, "picSplitter_MouseUp", [&] {
        Settings& s = ctx_.Values;
        const std::string mode = s.ViewMode;
        if (viewArea_.Splitter && (mode == "V" || mode == "H")) {
            const double pos = mode == "V" ? viewArea_.Splitter->Left : viewArea_.Splitter->Top;
            const auto ratio = SplitterDrop(mode, pos, MakeLayoutInput(), viewArea_.View);
            if (ratio) {
                (mode == "V" ? SplitRatioV : SplitRatioH) = *ratio;
            } else {
                // Dropped onto an edge of the view: one pane is wanted.
                s.ViewMode.assign(1, 'C');
                SetViewMode();
                StartAtFirstColumn();
                SetupLegend();
            }
        }
        SplitterDragging = false;
        PositionDisplayAreas();
        if (ctx_.State.FilesCompared) {
            ShowFileInformation();
            SetScrollBars();
            ShowDisplayArrays();
        }
    });
}

void frmMain::MoveLegend() {
    picLegend->move(metrics_.Pixels(legend_.Left), metrics_.Pixels(legend_.Top));
}

void frmMain::LogMousePosition(double x, double y) {
    ctx_.Trace.LogData(TraceKind::MouseEvents, "X=" + std::to_string(std::lround(x)) +
                                                   " Y=" + std::to_string(std::lround(y)));
}

void frmMain::picLegendTitleBar_MouseDown(double x, double y) {
    Run(TraceKind::MouseEvents, "picLegendTitleBar_MouseDown", [&] {
        LegendDragging = true;
        LogMousePosition(x, y);
    });
}

void frmMain::picLegendTitleBar_MouseMove(double x, double y) {
    if (!LegendDragging) return;
    Run(TraceKind::MouseEvents, "picLegendTitleBar_MouseMove", [&] {
        const double tpp = metrics_.TwipsPerPixel;
        legend_ = {picLegend->x() * tpp, picLegend->y() * tpp};
        legend_ = LegendDrag(legend_, x, y, picLegend->width() * tpp, picLegend->height() * tpp,
                             picLegend->picLegendTitleBar->height() * tpp, view_->width() * tpp,
                             view_->height() * tpp);
        MoveLegend();
        // Moved by the user, the legend floats where it is put and gives its band back.
        if (std::exchange(legendAtFirstPlace_, false)) PlaceLegendBand();
    });
}

void frmMain::picLegendTitleBar_MouseUp(double x, double y) {
    Run(TraceKind::MouseEvents, "picLegendTitleBar_MouseUp", [&] {
        LegendDragging = false;
        LogMousePosition(x, y);
    });
}

void frmMain::imgCloseLegend_Click() {
    Run(TraceKind::Events, "imgCloseLegend_Click", [&] {
        ctx_.Values.ViewLegend = false;
        mnuViewLegend->setChecked(false);
        picLegend->hide();
        if (legendAtFirstPlace_) PlaceLegendBand();
    });
}

void frmMain::SwitchView(const char* procName, char mode) {
    Run(TraceKind::Events, procName, [&] {
        ctx_.Values.ViewMode.assign(1, mode);
        SetViewMode();
        StartAtFirstColumn();
        PositionViewArea();
        PositionDisplayAreas();
        if (ctx_.State.FilesCompared) {
            // The two-pane commands set the scroll bars before the file information; the
            // combined command after it.
            if (mode != 'C') SetScrollBars();
            ShowFileInformation();
            if (mode == 'C') SetScrollBars();
            ShowDisplayArrays();
        }
        SetupLegend();
    });
}

void frmMain::StartAtFirstColumn() {
    // The panes of one view are not the panes of another: a column one stood at may be beyond
    // what the other's bar reaches, and synchronised panes must start together.
    for (int p = 0; p < 2; ++p) where_.ScrollColumns(p, 1, false);
    ShowScrollPositions();
}

void frmMain::mnuViewVertical_Click() {
    SwitchView("mnuViewVertical_Click", 'V');
}

void frmMain::mnuViewHorizontal_Click() {
    SwitchView("mnuViewHorizontal_Click", 'H');
}

void frmMain::mnuViewCombined_Click() {
    SwitchView("mnuViewCombined_Click", 'C');
}

// The toggling commands flip their setting and show it in the check mark; the setting, not the
// check mark, is the truth, because the menu toggles the mark itself before the command runs.

void frmMain::mnuViewSyncH_Click() {
    Run(TraceKind::Events, "mnuViewSyncH_Click", [&] {
        ctx_.Values.SyncHScroll = !ctx_.Values.SyncHScroll;
        mnuViewSyncH->setChecked(ctx_.Values.SyncHScroll);
    });
}

void frmMain::mnuViewSyncV_Click() {
    Run(TraceKind::Events, "mnuViewSyncV_Click", [&] {
        ctx_.Values.SyncVScroll = !ctx_.Values.SyncVScroll;
        mnuViewSyncV->setChecked(ctx_.Values.SyncVScroll);
    });
}

void frmMain::mnuViewStatusBar_Click() {
    Run(TraceKind::Events, "mnuViewStatusBar_Click", [&] {
        ctx_.Values.Viewstatusbar = !ctx_.Values.Viewstatusbar;
        mnuViewStatusBar->setChecked(ctx_.Values.Viewstatusbar);
        lblStatus->setVisible(ctx_.Values.Viewstatusbar);
        if (ctx_.Values.Viewstatusbar) Form_Resize();
        // The legend in its first place stands on the status line, or in its place.
        if (LegendInBand()) MoveLegendToFirstPlace();
        RelayoutView();
    });
}

void frmMain::RelayoutPanes() {
    PositionFindBar();
    PositionViewArea();
    PositionDisplayAreas();
    if (ctx_.State.FilesCompared) {
        SetScrollBars();
        ShowDisplayArrays();
    }
}

void frmMain::RelayoutView() {
    RelayoutPanes();
    SetupLegend();
}

void frmMain::mnuViewLegend_Click() {
    Run(TraceKind::Events, "mnuViewLegend_Click", [&] {
        ctx_.Values.ViewLegend = !ctx_.Values.ViewLegend;
        mnuViewLegend->setChecked(ctx_.Values.ViewLegend);
        picLegend->setVisible(ctx_.Values.ViewLegend);
        if (legendAtFirstPlace_) PlaceLegendBand();
    });
}

}  // namespace dualis
