// Window benchmark: the time from start to the first drawn view of a pair, the time of one
// page-down redraw, and the peak memory, with or without the window (--engine).
#include <sys/resource.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Pipeline.h"
#include "frmMain.h"

namespace {

using Clock = std::chrono::steady_clock;

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int Engine(const char* one, const char* two) {
    const auto start = Clock::now();
    dualis::ComparisonState state;
    dualis::SetFileNames(state, one, two);
    dualis::QuietHost host;
    if (!dualis::CompareAFile(state, dualis::CompareOptions{}, host)) return 2;
    std::printf("engine_ms\t%.1f\npeak_mib\t%.1f\n", Ms(start, Clock::now()), PeakMiB());
    return 0;
}

int Window(int argc, char** argv, const char* one, const char* two) {
    const auto start = Clock::now();
    QApplication app(argc, argv);
    dualis::cDebug debug;
    dualis::cLog log({"Dualis", "bench", {}});
    dualis::Tracing trace(debug, log, [](const dualis::ErrorFacts& f) {
        std::fprintf(stderr, "error in %s\n", f.ProcText.c_str());
        std::exit(2);
    });
    dualis::Settings values;
    dualis::ComparisonState state;
    dualis::cAppInfo appInfo;
    dualis::cWindow utilities;
    dualis::frmMain window(
        dualis::MainWindowContext{state, values, appInfo, utilities, trace, debug, {}, [] {}});
    window.Form_Load();
    dualis::SetFileNames(state, one, two);
    if (!window.CompareAFile()) return 2;
    window.cmdViewFiles_Click();
    QCoreApplication::processEvents();
    const double firstView = Ms(start, Clock::now());

    // Page down through the procedure with the most rows, wrapping at its end.
    int best = 0;
    for (int i = 0; i < window.cboProcedures->count(); ++i) {
        const int p = window.cboProcedures->itemData(i).toInt();
        const int bestProc = window.cboProcedures->itemData(best).toInt();
        if (state.SeparateCount(p) > state.SeparateCount(bestProc)) best = i;
    }
    window.cboProcedures->setCurrentIndex(best);
    QScrollBar* bar = window.vsbDisplay[0];
    std::vector<double> redraws;
    for (int i = 0; i < 300; ++i) {
        const int next =
            bar->value() + bar->pageStep() > bar->maximum() ? 1 : bar->value() + bar->pageStep();
        const auto t = Clock::now();
        bar->setValue(next);
        redraws.push_back(Ms(t, Clock::now()));
    }
    std::sort(redraws.begin(), redraws.end());
    const int rows = state.SeparateCount(window.CurrentProc);

    // In the same procedure: a Next Mismatch that lands on the last difference (from the block
    // before it), and Ctrl+End from the first procedure, each with its redraw.
    std::vector<double> nextMismatch;
    std::vector<double> ctrlEnd;
    for (int i = 0; i < 21; ++i) {
        window.cboProcedures->setCurrentIndex(best);
        window.Find(dualis::FindLast, dualis::FindMismatch);
        window.Find(dualis::FindPrior, dualis::FindMismatch);
        auto t = Clock::now();
        window.Find(dualis::FindNext, dualis::FindMismatch);
        nextMismatch.push_back(Ms(t, Clock::now()));
        window.cboProcedures->setCurrentIndex(0);
        t = Clock::now();
        window.Form_KeyDown(Qt::Key_End, Qt::ControlModifier);
        ctrlEnd.push_back(Ms(t, Clock::now()));
    }
    std::sort(nextMismatch.begin(), nextMismatch.end());
    std::sort(ctrlEnd.begin(), ctrlEnd.end());
    std::printf(
        "first_view_ms\t%.1f\npage_down_ms\t%.3f\nprocedure_rows\t%d\nnext_mismatch_ms\t%.3f\n"
        "ctrl_end_ms\t%.3f\npeak_mib\t%.1f\n",
        firstView, redraws[redraws.size() / 2], rows, nextMismatch[nextMismatch.size() / 2],
        ctrlEnd[ctrlEnd.size() / 2], PeakMiB());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool engine = argc == 4 && std::strcmp(argv[1], "--engine") == 0;
    if (!engine && argc != 3) {
        std::fprintf(stderr, "usage: window_bench [--engine] FILE1 FILE2\n");
        return 2;
    }
    return engine ? Engine(argv[2], argv[3]) : Window(argc, argv, argv[1], argv[2]);
}
