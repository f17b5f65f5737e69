// Window benchmark: the time from start to the first drawn view of a pair, the time the combined
// view takes when first shown, the time of one page-down redraw, and the peak memory, with or
// without the window (--engine); with --inline, page-down redraws of 60 changed rows of 200
// characters with and without the changes within lines marked.
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
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
    // The comparison the window asks for: the rows of the view it shows first.
    if (!dualis::CompareAFile(state, dualis::CompareOptions{}, host, dualis::CandidateSearch::Auto,
                              dualis::ComparisonUse::SeparateView)) {
        return 2;
    }
    std::printf("engine_ms\t%.1f\npeak_mib\t%.1f\n", Ms(start, Clock::now()), PeakMiB());
    return 0;
}

// The main window with a pair compared in its two-pane view, quitting on any error.
struct Compared {
    Compared(const char* one, const char* two) {
        Window.Form_Load();
        dualis::SetFileNames(State, one, two);
        Done = Window.CompareAFile();
        if (Done) Window.cmdViewFiles_Click();
    }
    dualis::cDebug Debug;
    dualis::cLog Log{{"Dualis", "bench", {}}};
    dualis::Tracing Trace{Debug, Log, [](const dualis::ErrorFacts& f) {
                              std::fprintf(stderr, "error in %s\n", f.ProcText.c_str());
                              std::exit(2);
                          }};
    dualis::Settings Values;
    dualis::ComparisonState State;
    dualis::cAppInfo AppInfo;
    dualis::cWindow Utilities;
    dualis::frmMain Window{dualis::MainWindowContext{State, Values, AppInfo, Utilities, Trace,
                                                     Debug, {}, [] {}}};
    bool Done = false;
};

// One procedure of `rows` lines of about 200 characters; File 2 changes a number and a name in
// every line, so that every row is a changed line facing a changed line.
void WriteChangedPair(const std::string& one, const std::string& two, int rows) {
    std::ofstream files[2] = {std::ofstream(one), std::ofstream(two)};
    for (int f = 0; f < 2; ++f) {
        files[f] << "Sub Wide()\n";
        for (int i = 0; i < rows; ++i) {
            files[f] << "    strLine" << i << " = Format$(dblAmount(" << i << ") * "
                     << (f == 0 ? "1.05" : "1.07") << ", \"#,##0.00\") & vbTab & \"Customer "
                     << i << "\" & vbTab & Trim$(" << (f == 0 ? "txtName" : "txtFullName")
                     << ".Text) & vbTab & CStr(lngOrderNo + " << i
                     << ") & vbTab & IIf(blnPaid, \"paid\", \"open\") ' row " << i << "\n";
        }
        files[f] << "End Sub\n";
    }
}

// Page-down redraws of a page of 60 changed rows, with the changes within lines marked and
// without, alternating so that both see the same machine.
int InlinePages(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string one = (dir.path() + "/one.bas").toStdString();
    const std::string two = (dir.path() + "/two.bas").toStdString();
    WriteChangedPair(one, two, 6000);
    Compared compared(one.c_str(), two.c_str());
    if (!compared.Done) return 2;
    dualis::frmMain& window = compared.Window;
    dualis::Settings& values = compared.Values;
    // A window tall enough for a page of 60 rows.
    for (int height = 400; window.View().Scroll(0).LinesPerPane < 60 && height < 4000;
         height += 10) {
        window.resize(window.width(), height);
        QCoreApplication::processEvents();
    }
    QScrollBar* bar = window.vsbDisplay[0];
    std::array<std::vector<double>, 2> redraws;  // marked, plain
    for (int i = 0; i < 400; ++i) {
        const int mode = i % 2;
        values.HighlightInLine = mode == 0;
        const int next =
            bar->value() + bar->pageStep() > bar->maximum() ? 1 : bar->value() + bar->pageStep();
        const auto t = Clock::now();
        bar->setValue(next);
        redraws[mode].push_back(Ms(t, Clock::now()));
    }
    for (auto& r : redraws) std::sort(r.begin(), r.end());
    std::printf("rows_per_page\t%d\npage_down_marked_ms\t%.3f\npage_down_plain_ms\t%.3f\n",
                window.View().Scroll(0).LinesPerPane, redraws[0][redraws[0].size() / 2],
                redraws[1][redraws[1].size() / 2]);
    return 0;
}

int Window(int argc, char** argv, const char* one, const char* two) {
    const auto start = Clock::now();
    QApplication app(argc, argv);
    Compared compared(one, two);
    if (!compared.Done) return 2;
    dualis::frmMain& window = compared.Window;
    const dualis::ComparisonState& state = compared.State;
    QCoreApplication::processEvents();
    const double firstView = Ms(start, Clock::now());
    const double peakAtFirstView = PeakMiB();  // before the other view's rows are built

    // The combined view shown for the first time builds its rows.
    const auto combinedStart = Clock::now();
    window.mnuViewCombined_Click();
    const double firstCombined = Ms(combinedStart, Clock::now());
    window.mnuViewVertical_Click();

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
    const int rows = state.SeparateCount(window.View().CurrentProc());

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
        "first_view_ms\t%.1f\nfirst_combined_ms\t%.1f\npage_down_ms\t%.3f\nprocedure_rows\t%d\n"
        "next_mismatch_ms\t%.3f\nctrl_end_ms\t%.3f\npeak_mib\t%.1f\n",
        firstView, firstCombined, redraws[redraws.size() / 2], rows,
        nextMismatch[nextMismatch.size() / 2], ctrlEnd[ctrlEnd.size() / 2], peakAtFirstView);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--inline") == 0) return InlinePages(argc, argv);
    const bool engine = argc == 4 && std::strcmp(argv[1], "--engine") == 0;
    if (!engine && argc != 3) {
        std::fprintf(stderr, "usage: window_bench [--engine] FILE1 FILE2 | --inline\n");
        return 2;
    }
    return engine ? Engine(argv[2], argv[3]) : Window(argc, argv, argv[1], argv[2]);
}
