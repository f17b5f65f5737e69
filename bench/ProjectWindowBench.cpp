// The window's comparison of two project trees: the time from the program's start to the first
// module shown, the longest gap between handled events while the other modules are compared in
// the background, and the time until the whole module list is filled. bench/run-project-window.sh
// runs it beside `dualis --report` on the same trees. It prints, besides, the time until the
// window is loaded and the time the pairing of the trees takes on the window's thread, before
// the background comparison starts (the trees were opened while the window started up).
//
// The start is DUALIS_BENCH_START (nanoseconds of the real-time clock, taken by the script just
// before it starts the program, so that loading the program counts), else the start of main.
// A timer ticks every 2 ms on the window's thread; the longest time between two ticks is the
// longest the window went without handling its events: from the start of the background
// comparison (which takes in the window's first painting and the first module's showing), and
// after the first module was shown, while the rest are compared.
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>

#include "ProjectOpen.h"
#include "ProjectWindow.h"
#include "frmMain.h"

namespace {

using Clock = std::chrono::system_clock;

double PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double MsSince(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

Clock::time_point Start() {
    if (const char* given = std::getenv("DUALIS_BENCH_START")) {
        return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
            std::chrono::nanoseconds(std::strtoll(given, nullptr, 10))));
    }
    return Clock::now();
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Start();
    if (argc != 3) {
        std::fprintf(stderr, "usage: project_window_bench FOLDER1 FOLDER2\n");
        return 2;
    }
    // As the program does, the two trees are opened while the window starts up, unless
    // DUALIS_BENCH_OPEN_LATE is set (to measure what that saves).
    const std::array<std::string, 2> names{argv[1], argv[2]};
    std::future<std::array<dualis::project::Source, 2>> early;
    if (std::getenv("DUALIS_BENCH_OPEN_LATE") == nullptr) {
        early =
            std::async(std::launch::async, [names] { return dualis::project::OpenBoth(names); });
    }
    QApplication app(argc, argv);
    dualis::cDebug debug;
    dualis::cLog log{{"Dualis", "bench", {}}};
    dualis::Tracing trace{debug, log, [](const dualis::ErrorFacts& f) {
                              std::fprintf(stderr, "error in %s\n", f.ProcText.c_str());
                              std::exit(2);
                          }};
    dualis::Settings values;
    values.ViewLegend = false;
    dualis::ComparisonState state;
    dualis::cAppInfo appInfo;
    dualis::cWindow utilities;
    dualis::frmMain window{
        dualis::MainWindowContext{state, values, appInfo, utilities, trace, debug, {}, [] {}}};
    window.Host().SetMessageBox([](QWidget*, const std::string& text) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        std::exit(2);
    });
    window.Form_Load();
    dualis::ProjectWindow& project = window.Project();
    const double windowMs = MsSince(start);

    const Clock::time_point opening = Clock::now();
    if (early.valid()) project.OpenedEarly(names, std::move(early));
    dualis::SetFileNames(state, names[0], names[1]);
    window.CompareAFile();
    const double openMs = std::chrono::duration<double, std::milli>(Clock::now() - opening).count();
    if (!project.Active()) return 2;

    double firstMs = -1;
    double longestGap = 0;
    double longestGapAfterFirst = 0;
    Clock::time_point lastTick = Clock::now();
    QTimer probe;
    probe.setInterval(2);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        const double gap = std::chrono::duration<double, std::milli>(now - lastTick).count();
        longestGap = std::max(longestGap, gap);
        if (firstMs >= 0) longestGapAfterFirst = std::max(longestGapAfterFirst, gap);
        lastTick = now;
        if (firstMs < 0 && project.Shown()) firstMs = MsSince(start);
        if (!project.Working()) app.quit();
    });
    probe.start();
    app.exec();
    const double filledMs = MsSince(start);
    if (firstMs < 0) firstMs = filledMs;
    std::printf(
        "modules\t%zu\nwindow_ms\t%.1f\nopen_ms\t%.1f\nfirst_module_ms\t%.1f\nlongest_gap_ms\t%."
        "1f\n"
        "longest_gap_after_first_ms\t%.1f\nlist_filled_ms\t%.1f\npeak_mib\t%.1f\n",
        project.Results().Results.size(), windowMs, openMs, firstMs, longestGap,
        longestGapAfterFirst, filledMs, PeakMiB());
    return 0;
}
