// The engine's comparison of every module pair of a project comparison, each pair exactly as a
// file pair is compared, on a pool of worker threads; plain results come back on the calling
// thread, in module order, whatever the number of threads.
//
// Each worker holds one module pair at a time: it reads both files, finds them equal when
// their sizes and then their bytes agree, and otherwise compares them with the engine. A module
// only one side has is compared with nothing, so that its procedures and lines count as added
// or deleted. The host of a worker shows nothing and yields to nothing: a message the engine
// gives becomes the result's Problem. With tracing on, every pair is compared on the calling
// thread through the caller's host, so that the trace log keeps its order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ComparisonState.h"
#include "Host.h"
#include "Options.h"
#include "ProjectCompare.h"

namespace dualis::project {

// How many lines of one procedure, or of a whole module, differ: [0] lines of File 1 that
// File 2 lacks, [1] lines of File 2 that File 1 lacks. Lines the options leave out do not count.
using LineCounts = std::array<int64_t, 2>;

struct ModuleResult {
    size_t Pair = 0;  // index into ProjectComparison::Modules
    // Equal, Changed, Added or Deleted; Unknown only when Problem is set.
    ContentStatus Status = ContentStatus::Unknown;
    bool Parsed = false;  // compared procedure by procedure; false when equal by its bytes
    // The procedures, as the report's last line counts them (CountProcs); all zero unless Parsed.
    ProcCounts Procedures;
    LineCounts Lines{};
    // Why the pair could not be compared: a side's own problem ("File 1: reason") or the
    // engine's message ("Unable to compare File 2", the file, the reason).
    std::string Problem;
    // The comparison, when Keep asked for it and the pair was parsed.
    std::unique_ptr<ComparisonState> State;
};

// Whether a pair's comparison state comes back with its result.
enum class KeepState : uint8_t {
    No,
    WhenParsed,  // when the pair was compared procedure by procedure
    Always,      // the pair is parsed even when its bytes are the same
};

struct ModuleCompareOptions {
    CompareOptions Compare;
    // Whether a module's save noise (ModuleEntry::NoiseLines) is left out of its comparison.
    bool IgnoreSaveNoise = true;
    uint32_t CodePage = 0;  // see ProjectOptions::CodePage
    int Threads = 0;        // workers; 0 for one per core
    // By pair index; No for a pair past the end.
    std::vector<KeepState> Keep;
    // The caller's host. While it traces, the pairs are compared one after the other on the
    // calling thread and traced through it; it is never called from a worker.
    IHost* Host = nullptr;
};

// Compares every pair of `comparison.Modules` (from CompareSources of the same two sources)
// and calls `deliver` once per pair, on the calling thread, in the pairs' order. An error that
// is no input problem (a run-time error of the engine) is thrown again on the calling thread
// when its pair's turn comes; the workers are stopped and joined before it leaves, as they are
// when `deliver` throws.
void CompareModules(const Source& file1, const Source& file2, const ProjectComparison& comparison,
                    const ModuleCompareOptions& options,
                    const std::function<void(ModuleResult&&)>& deliver);

// The result of a comparison the engine completed, of two modules or of one module (the other
// side empty): Parsed, the procedure and line counts, and Equal or Changed (for one side,
// Added when only File 2 has the module, else Deleted).
ModuleResult ResultOfComparison(const ComparisonState& state, bool inFile1, bool inFile2);

// The lines of procedure p that differ.
LineCounts DifferingLines(const ComparisonState& state, int32_t p);

// Has the memory that comparisons free kept for the next ones rather than handed back to the
// system: every comparison allocates and frees a few megabytes, and having them faulted in
// afresh for each module pair costs about a third of a project's time. For a process that
// compares many pairs; the memory held is still what the workers hold at once.
void KeepFreedMemoryForReuse();

// The number of workers CompareModules starts for `pairs` pairs: Threads, or one per core,
// never more than the pairs, at least one.
int WorkerCount(int threads, size_t pairs);

}  // namespace dualis::project
