#include "ModuleCompare.h"

#include <malloc.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "FileIO.h"
#include "Pipeline.h"

namespace dualis::project {
namespace {

// The host of one pair's comparison: messages are kept for the result; tracing, busy pointer
// and events go to the caller's host only when the pair is compared on the caller's thread.
class PairHost : public IHost {
  public:
    explicit PairHost(IHost* owner) : owner_(owner) {}

    void ShowMessage(std::string_view text) override {
        if (!Message.empty()) Message += "\n";
        Message += text;
    }
    void BeginBusy() override {
        if (owner_) owner_->BeginBusy();
    }
    void EndBusy() override {
        if (owner_) owner_->EndBusy();
    }
    void DoEvents() override {
        if (owner_) owner_->DoEvents();
    }
    bool TraceApp() const override { return owner_ && owner_->TraceApp(); }
    bool TraceTakesLines() const override { return owner_ && owner_->TraceTakesLines(); }
    void TraceEnter(std::string_view procText) override {
        if (owner_) owner_->TraceEnter(procText);
    }
    void TraceExit(std::string_view procText) override {
        if (owner_) owner_->TraceExit(procText);
    }
    void LogData(std::string_view text) override {
        if (owner_) owner_->LogData(text);
    }

    std::string Message;

  private:
    IHost* owner_;
};

std::string SideLabel(int f) {
    return "File " + std::to_string(f + 1) + ": ";
}

KeepState KeepFor(const ModuleCompareOptions& options, size_t i) {
    return i < options.Keep.size() ? options.Keep[i] : KeepState::No;
}

bool SameContents(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

// One pair, from its files to its plain result. `owner` is the caller's host on the caller's
// thread, else null.
ModuleResult ComparePair(const Source& file1, const Source& file2, const ModulePair& pair,
                         size_t index, const ModuleCompareOptions& options, KeepState keep,
                         IHost* owner) {
    ModuleResult result;
    result.Pair = index;
    const std::array<const ModuleEntry*, 2> side{
        pair.Module[0] >= 0 ? &file1.Modules[static_cast<size_t>(pair.Module[0])] : nullptr,
        pair.Module[1] >= 0 ? &file2.Modules[static_cast<size_t>(pair.Module[1])] : nullptr};
    for (int f = 0; f < 2; ++f) {
        if (side[f] && !side[f]->Problem.empty()) {
            result.Problem = SideLabel(f) + side[f]->Problem;
            return result;
        }
    }
    // Pairing found the same bytes already.
    const bool parseAnyway = keep == KeepState::Always;
    if (pair.Status == ContentStatus::Equal && !parseAnyway) {
        result.Status = ContentStatus::Equal;
        return result;
    }
    std::array<std::string, 2> bytes;
    std::array<std::string, 2> names;
    for (int f = 0; f < 2; ++f) {
        if (!side[f]) continue;
        names[f] = side[f]->FullPath.string();
        try {
            bytes[f] = ReadModuleBytes(*side[f]);
            if (!side[f]->Contents)
                bytes[f] = DecodeModuleFile(std::move(bytes[f]), options.CodePage);
        } catch (const InputFileError& e) {
            result.Problem = SideLabel(f) + e.what();
            return result;
        }
    }
    if (side[0] && side[1] && !parseAnyway && SameContents(bytes[0], bytes[1])) {
        result.Status = ContentStatus::Equal;
        return result;
    }
    auto state = std::make_unique<ComparisonState>();
    SetFileNames(*state, names[0], names[1]);
    PairHost host(owner);
    LeftOutLines noise;
    for (int f = 0; f < 2 && options.IgnoreSaveNoise; ++f) {
        if (side[f]) noise[f] = side[f]->NoiseLines;
    }
    if (!CompareContents(*state, options.Compare, host, std::move(bytes), CandidateSearch::Auto,
                         noise,
                         keep == KeepState::No ? ComparisonUse::Report : ComparisonUse::Display)) {
        result.Problem = host.Message;
        return result;
    }
    ModuleResult compared = ResultOfComparison(*state, side[0] != nullptr, side[1] != nullptr);
    compared.Pair = index;
    if (keep != KeepState::No) compared.State = std::move(state);
    return compared;
}

// The pool: workers take the pairs in order, never more than `window` ahead of the one the
// caller waits for, so that the results held at any time grow with the workers, not with the
// project.
class Pool {
  public:
    Pool(const Source& file1, const Source& file2, const ProjectComparison& comparison,
         const ModuleCompareOptions& options, int workers)
        : file1_(file1),
          file2_(file2),
          comparison_(comparison),
          options_(options),
          window_(2 * static_cast<size_t>(workers)),
          slots_(comparison.Modules.size()) {
        for (int w = 0; w < workers; ++w) {
            threads_.emplace_back([this](std::stop_token stop) { Work(stop); });
        }
    }

    void Deliver(const std::function<void(ModuleResult&&)>& deliver) {
        for (size_t i = 0; i < slots_.size(); ++i) {
            Outcome outcome;
            {
                std::unique_lock lock(mutex_);
                done_.wait(lock, [&] { return slots_[i].has_value(); });
                outcome = std::move(*slots_[i]);
                slots_[i].reset();
                delivered_ = i + 1;
            }
            room_.notify_all();
            if (outcome.Error) std::rethrow_exception(outcome.Error);
            deliver(std::move(outcome.Result));
        }
    }

  private:
    struct Outcome {
        ModuleResult Result;
        std::exception_ptr Error;
    };

    void Work(std::stop_token stop) {
        for (;;) {
            size_t i = 0;
            {
                std::unique_lock lock(mutex_);
                const bool go = room_.wait(lock, stop, [&] {
                    return next_ >= slots_.size() || next_ < delivered_ + window_;
                });
                if (!go || stop.stop_requested() || next_ >= slots_.size()) return;
                i = next_++;
            }
            Outcome outcome;
            try {
                outcome.Result = ComparePair(file1_, file2_, comparison_.Modules[i], i, options_,
                                             Kept(i), nullptr);
            } catch (...) {
                outcome.Error = std::current_exception();
            }
            {
                std::lock_guard lock(mutex_);
                slots_[i] = std::move(outcome);
            }
            done_.notify_one();
        }
    }

    KeepState Kept(size_t i) const { return KeepFor(options_, i); }

    const Source& file1_;
    const Source& file2_;
    const ProjectComparison& comparison_;
    const ModuleCompareOptions& options_;
    const size_t window_;
    std::mutex mutex_;
    std::condition_variable done_;      // a result was put in its slot
    std::condition_variable_any room_;  // the caller took a result: workers may go further
    std::vector<std::optional<Outcome>> slots_;
    size_t next_ = 0;       // the next pair a worker takes
    size_t delivered_ = 0;  // pairs handed to the caller
    // Last, so that the workers are stopped and joined before anything they use goes.
    std::vector<std::jthread> threads_;
};

}  // namespace

void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

int WorkerCount(int threads, size_t pairs) {
    size_t count = threads > 0 ? static_cast<size_t>(threads)
                               : std::max(1u, std::thread::hardware_concurrency());
    count = std::min(count, pairs);
    return static_cast<int>(std::max<size_t>(count, 1));
}

void CompareModules(const Source& file1, const Source& file2, const ProjectComparison& comparison,
                    const ModuleCompareOptions& options,
                    const std::function<void(ModuleResult&&)>& deliver) {
    const int workers = WorkerCount(options.Threads, comparison.Modules.size());
    IHost* owner = options.Host;
    if (workers == 1 || (owner && owner->TraceApp())) {
        for (size_t i = 0; i < comparison.Modules.size(); ++i) {
            deliver(ComparePair(file1, file2, comparison.Modules[i], i, options,
                                KeepFor(options, i), owner));
        }
        return;
    }
    Pool pool(file1, file2, comparison, options, workers);
    pool.Deliver(deliver);
}

ModuleResult ResultOfComparison(const ComparisonState& state, bool inFile1, bool inFile2) {
    ModuleResult result;
    result.Parsed = true;
    result.Procedures = CountProcs(state);
    bool allEqual = true;
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const LineCounts lines = DifferingLines(state, p);
        result.Lines[0] += lines[0];
        result.Lines[1] += lines[1];
        allEqual = allEqual && state.ProcStack[p].Status == ProcEqual;
    }
    result.Status = !inFile1   ? ContentStatus::Added
                    : !inFile2 ? ContentStatus::Deleted
                    : allEqual ? ContentStatus::Equal
                               : ContentStatus::Changed;
    return result;
}

LineCounts DifferingLines(const ComparisonState& state, int32_t p) {
    const ProcRecord& proc = state.ProcStack[p];
    LineCounts counts{};
    // As the report lists them: a procedure of one file is all differences, ignored lines too.
    if (proc.Status == ProcDeleted || proc.Status == ProcAdded) {
        const int s = proc.Status == ProcDeleted ? 0 : 1;
        if (proc.FirstRaw[s] > 0) counts[s] = proc.LastRaw[s] - proc.FirstRaw[s] + 1;
        return counts;
    }
    if (proc.FirstRaw[0] == 0 && proc.FirstRaw[1] == 0) return counts;
    std::array<int32_t, 2> pos = {proc.FirstRaw[0] - 1, proc.FirstRaw[1] - 1};
    for (const MatchRecord& match : state.MatchStack.Row(p)) {
        for (int s = 0; s < 2; ++s) {
            for (int32_t line = pos[s] + 1; line < match.MatchLine[s]; ++line) {
                if (!state.RawStack[s].Ignored(line)) ++counts[s];
            }
            pos[s] = match.MatchLine[s];
        }
    }
    return counts;
}

}  // namespace dualis::project
