#include "Pipeline.h"

#include <exception>
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

void LoadFile(ComparisonState& state, int f, const CompareOptions& options, IHost& host) {
    try {
        if (!FileFacts(state.FileName[f], state.FileSize[f], state.FileDate[f])) {
            throw InputFileError("The file cannot be examined.");
        }
        RunStage(host, "mCompare: LoadRawStack",
                 [&] { LoadRawStack(state, f, state.FileName[f]); });
        RunStage(host, "mCompare: LoadCookedStack",
                 [&] { LoadCookedStack(state, f, options, Tracer(host)); });
        FindProcHeaders(state, f, Tracer(host));
    } catch (const InputFileError& error) {
        throw InputFileError(error.what(), error.FileIndex >= 0 ? error.FileIndex : f);
    }
}

// File 1 and then File 2. The two files share nothing until procedures are paired, so while
// nothing is traced (the host is not shared between threads) File 2 is read on a second
// thread; the first failure, in file order, wins.
void LoadBothFiles(ComparisonState& state, const CompareOptions& options, IHost& host) {
    if (host.TraceApp()) {
        LoadFile(state, 0, options, host);
        LoadFile(state, 1, options, host);
        return;
    }
    std::exception_ptr failure2;
    std::thread second([&] {
        try {
            LoadFile(state, 1, options, host);
        } catch (...) {
            failure2 = std::current_exception();
        }
    });
    std::exception_ptr failure1;
    try {
        LoadFile(state, 0, options, host);
    } catch (...) {
        failure1 = std::current_exception();
    }
    second.join();
    if (failure1) std::rethrow_exception(failure1);
    if (failure2) std::rethrow_exception(failure2);
}

}  // namespace

bool CompareAFile(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search) {
    TraceScope trace(host, "mCompare: CompareAFile");
    for (int f = 0; f < 2; ++f) {
        if (!FileExists(state.FileName[f], Tracer(host))) {
            host.ShowMessage("Unable to open File " + std::to_string(f + 1) + "\n" +
                             state.FileName[f]);
            return false;
        }
    }
    BusyScope busy(host);
    // The new comparison is built aside, so that a failure keeps the one on screen.
    ComparisonState next;
    next.FileName = state.FileName;
    next.BaseName = state.BaseName;
    next.Extension = state.Extension;
    {
        TraceScope initTrace(host, "mCompare: InitializeStacks");
        InitializeStacks(next);
    }
    try {
        LoadBothFiles(next, options, host);
        RunStage(host, "mCompare: LoadProcStack", [&] { LoadProcStack(next); });
    } catch (const InputFileError& error) {
        const int f = error.FileIndex;
        host.ShowMessage("Unable to compare File " + std::to_string(f + 1) + "\n" +
                         next.FileName[f] + "\n" + error.what());
        return false;
    }
    CompareProcs(next, options, host, search);
    next.FilesCompared = true;
    LoadSeparateDisplayArrays(next, options, host);
    LoadCombinedDisplayArray(next, options, host);
    state = std::move(next);
    return true;
}

}  // namespace dualis
