// The background comparison of a project's module pairs.
#include "ProjectWork.h"

#include <algorithm>
#include <cerrno>
#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace dualis {

using namespace project;

namespace {

// Thrown from the delivery of a result once a stop is asked for: CompareModules then stops its
// workers and waits for them.
struct Stopped {};

// The comparison's thread, and the workers it starts, which take its niceness, make way for the
// window's thread whenever it has events to handle: on a machine of few processors the window
// would otherwise wait for its turn behind them.
void YieldToTheWindow() {
#ifdef __linux__
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (errno == 0) setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), std::min(nice + 5, 19));
#endif
}

}  // namespace

ProjectWork::ProjectWork(std::shared_ptr<const OpenedSources> opened, std::vector<size_t> order,
                         const ProjectOptions& options, QObject* parent)
    : QObject(parent), opened_(std::move(opened)), order_(std::move(order)), options_(options) {
    KeepFreedMemoryForReuse();
    thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

ProjectWork::~ProjectWork() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
}

void ProjectWork::Cancel() {
    thread_.request_stop();
}

std::vector<ModuleResult> ProjectWork::TakeResults() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
    return std::exchange(arrived_, {});
}

void ProjectWork::Run(std::stop_token stop) {
    YieldToTheWindow();
    // The pairs in the order asked for; the pool hands them over in that order.
    ProjectComparison work;
    work.Modules.reserve(order_.size());
    for (const size_t pair : order_) work.Modules.push_back(opened_->Comparison.Modules[pair]);
    ModuleCompareOptions run;
    run.Compare = options_.Compare;
    run.IgnoreSaveNoise = options_.IgnoreSaveNoise;
    run.CodePage = options_.CodePage;
    run.Keep.assign(order_.size(), KeepState::WhenParsed);
    bool cancelled = false;
    try {
        CompareModules(opened_->File1, opened_->File2, work, run, [&](ModuleResult&& result) {
            if (stop.stop_requested()) throw Stopped{};
            result.Pair = order_[result.Pair];
            if (!keepStates_) result.State.reset();
            bool signal = false;
            {
                std::lock_guard lock(mutex_);
                arrived_.push_back(std::move(result));
                signal = !std::exchange(signalled_, true);
            }
            if (signal) emit ResultsWaiting();
        });
    } catch (const Stopped&) {
        cancelled = true;
    } catch (...) {
        error_ = std::current_exception();
    }
    emit Finished(cancelled);
}

}  // namespace dualis
