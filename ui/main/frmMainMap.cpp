// The main window's procedure maps: each built once for its procedure, view, height and colours,
// its frame following the pane, and a press or drag on it scrolling the pane there.
#include "frmMain.h"

namespace dualis {

namespace {

// The frame's least height, in pixels: a page of a long procedure stays easy to see.
constexpr double kMinimumFrame = 4;

}  // namespace

void frmMain::ShowProcMaps() {
    Run(TraceKind::App, "ShowProcMaps", [&] {
        const std::string& mode = ctx_.Values.ViewMode;
        const int panes = mode == "C" ? 1 : 2;
        const int32_t rows = CurrentRowCount();
        const double ratio = metrics_.DevicePixelRatio;
        for (int p = 0; p < panes; ++p) {
            ProcMapStrip* strip = picMap[p];
            const int32_t height = qRound(strip->height() * ratio);
            const int16_t proc = where_.CurrentProc();
            const ProcMapSource source{comparisons_, proc,  mode.empty() ? '\0' : mode[0],
                                       height,       ratio, ProcMapColours(ctx_.Values)};
            if (source != mapSource_[p]) {
                strip->SetMarks(ProcMapBins(ctx_.State, proc, mode, p, height), source.Colours,
                                ratio);
                mapSource_[p] = source;
            }
            strip->SetFrame(MapFrame(rows, where_.Drawn(p), height, qRound(kMinimumFrame * ratio)));
        }
    });
}

void frmMain::picMap_MouseDown(int index, double y) {
    Run(TraceKind::MouseEvents, "picMap_MouseDown", [&] {
        ScrollFromMap(index, y);
        // A press on a pane's map is a press in the pane: it takes the keyboard.
        if (!fraFind->HasFocus()) picDisplay[index]->setFocus();
    });
}

void frmMain::picMap_MouseMove(int index, double y) {
    Run(TraceKind::MouseEvents, "picMap_MouseMove", [&] { ScrollFromMap(index, y); });
}

void frmMain::ScrollFromMap(int p, double y) {
    const PaneScroll& scroll = where_.Scroll(p);
    if (!ctx_.State.FilesCompared || !scroll.VEnabled) return;
    const int32_t rows = CurrentRowCount();
    ScrollPane(p, MapScrollValue(y, picMap[p]->height(), rows, scroll.LinesPerPane, scroll.VMax));
}

}  // namespace dualis
