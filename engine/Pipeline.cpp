#include "Pipeline.h"

#include <exception>
#include <new>
#include <span>
#include <string>
#include <thread>

#include "DisplayArrays.h"
#include "Normalise.h"
#include "Procedures.h"
#include "RawLoader.h"

namespace dualis {
namespace {

// Runs one traced stage. A file that the stage refuses is reported to the user, not to the
// error handler, so in the trace log the stage is left normally.
template <class Stage>
void RunStage(IHost& host, std::string_view procText, Stage&& stage) {
    TraceScope trace(host, procText);
    try {
        stage();
    } catch (const InputFileError&) {
        trace.Leave();
        throw;
    }
}

constexpr const char* NoMemory = "There is not enough memory for it.";

std::string NoMemoryForBoth(const ComparisonState& state) {
    return "Unable to compare File 1 and File 2\n" + state.FileName[0] + "\n" + state.FileName[1] +
           "\n" + NoMemory;
}

bool Builds(ComparisonUse use, DisplayView view) {
    return use == ComparisonUse::Display ||
           use == (view == DisplayView::Combined ? ComparisonUse::CombinedView
                                                 : ComparisonUse::SeparateView);
}

// One file, from disk or, when `contents` is given, from memory.
void LoadFile(ComparisonState& state, int f, const CompareOptions& options, IHost& host,
              std::string* contents, std::span<const int32_t> leftOut) {
    try {
        if (contents) {
            state.FileSize[f] = static_cast<int64_t>(contents->size());
            RunStage(host, "mCompare: LoadRawStack",
                     [&] { LoadRawText(state, f, std::move(*contents)); });
        } else {
            if (!FileFacts(state.FileName[f], state.FileSize[f], state.FileDate[f])) {
                throw InputFileError("The file cannot be examined.");
            }
            RunStage(host, "mCompare: LoadRawStack",
                     [&] { LoadRawStack(state, f, state.FileName[f]); });
        }
        RunStage(host, "mCompare: LoadCookedStack",
                 [&] { LoadCookedStack(state, f, options, Tracer(host), leftOut); });
        FindProcHeaders(state, f, Tracer(host));
    } catch (const InputFileError& error) {
        throw InputFileError(error.what(), error.FileIndex >= 0 ? error.FileIndex : f);
    } catch (const std::bad_alloc&) {
        throw InputFileError(NoMemory, f);
    }
}

// A second thread pays for itself only when File 2 is this large.
constexpr int64_t ParallelLoadBytes = 256 << 10;

// File 1 and then File 2. The two files share nothing until procedures are paired, so while
// nothing is traced (the host is not shared between threads) a large File 2 is read on a second
// thread; the first failure, in file order, wins.
void LoadBothFiles(ComparisonState& state, const CompareOptions& options, IHost& host,
                   std::array<std::string, 2>* contents, const LeftOutLines* leftOut) {
    auto load = [&](int f) {
        LoadFile(state, f, options, host, contents ? &(*contents)[f] : nullptr,
                 leftOut ? std::span<const int32_t>((*leftOut)[f]) : std::span<const int32_t>());
    };
    int64_t size2 = 0;
    FileTime date2;
    if (contents) {
        size2 = static_cast<int64_t>((*contents)[1].size());
    } else {
        FileFacts(state.FileName[1], size2, date2);
    }
    if (host.TraceApp() || size2 < ParallelLoadBytes) {
        load(0);
        load(1);
        return;
    }
    std::exception_ptr failure2;
    std::thread second([&] {
        try {
            load(1);
        } catch (...) {
            failure2 = std::current_exception();
        }
    });
    std::exception_ptr failure1;
    try {
        load(0);
    } catch (...) {
        failure1 = std::current_exception();
    }
    second.join();
    if (failure1) std::rethrow_exception(failure1);
    if (failure2) std::rethrow_exception(failure2);
}

// Everything after the files' presence has been checked.
bool Compare(ComparisonState& state, const CompareOptions& options, IHost& host,
             CandidateSearch search, ComparisonUse use, std::array<std::string, 2>* contents,
             const LeftOutLines* leftOut) {
    BusyScope busy(host);
    // The new comparison is built aside, so that a failure keeps the one on screen.
    ComparisonState next;
    next.FileName = state.FileName;
    next.BaseName = state.BaseName;
    next.Extension = state.Extension;
    try {
        {
            TraceScope initTrace(host, "mCompare: InitializeStacks");
            InitializeStacks(next);
        }
        try {
            LoadBothFiles(next, options, host, contents, leftOut);
            RunStage(host, "mCompare: LoadProcStack", [&] { LoadProcStack(next); });
        } catch (const InputFileError& error) {
            const int f = error.FileIndex;
            host.ShowMessage("Unable to compare File " + std::to_string(f + 1) + "\n" +
                             next.FileName[f] + "\n" + error.what());
            return false;
        }
        CompareProcs(next, options, host, search);
        next.FilesCompared = true;
        next.Options = options;
        const bool all = host.TraceApp();
        if (all || Builds(use, DisplayView::Separate)) {
            LoadSeparateDisplayArrays(next, options, host);
        }
        if (all || Builds(use, DisplayView::Combined)) {
            LoadCombinedDisplayArray(next, options, host);
        }
    } catch (const std::bad_alloc&) {
        host.ShowMessage(NoMemoryForBoth(next));
        return false;
    }
    state = std::move(next);
    return true;
}

}  // namespace

bool CompareAFile(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search, ComparisonUse use) {
    TraceScope trace(host, "mCompare: CompareAFile");
    for (int f = 0; f < 2; ++f) {
        const std::string refusal = UnableToOpenMessage(f, state.FileName[f], "\n", Tracer(host));
        if (!refusal.empty()) {
            host.ShowMessage(refusal);
            return false;
        }
    }
    return Compare(state, options, host, search, use, nullptr, nullptr);
}

bool CompareContents(ComparisonState& state, const CompareOptions& options, IHost& host,
                     std::array<std::string, 2> contents, CandidateSearch search,
                     const LeftOutLines& leftOut, ComparisonUse use) {
    TraceScope trace(host, "mCompare: CompareAFile");
    return Compare(state, options, host, search, use, &contents, &leftOut);
}

bool HasViewRows(const ComparisonState& state, DisplayView view) {
    const int32_t built = view == DisplayView::Combined ? state.CombinedDisplay.Procs()
                                                        : state.SeparateDisplay.Procs();
    return built == state.ProcCount();
}

bool BuildViewRows(ComparisonState& state, DisplayView view, IHost& host) {
    if (!state.FilesCompared || HasViewRows(state, view)) return true;
    BusyScope busy(host);
    try {
        if (view == DisplayView::Combined) {
            LoadCombinedDisplayArray(state, state.Options, host);
        } else {
            LoadSeparateDisplayArrays(state, state.Options, host);
        }
    } catch (const std::bad_alloc&) {
        if (view == DisplayView::Combined) {
            state.CombinedDisplay.Clear();
        } else {
            state.SeparateDisplay.Clear();
        }
        host.ShowMessage(NoMemoryForBoth(state));
        return false;
    }
    return true;
}

}  // namespace dualis
