// The comparison of a project's module pairs in the background: the worker pool of
// CompareModules runs on a thread of its own and hands each result to the window's thread
// through a queued signal, in the order asked for, while the window goes on handling events.
//
// The window takes the results that have arrived whenever ResultsWaiting reaches it; one signal
// stands for every result queued until the window takes them, so that a burst of equal modules
// costs the window one event. Until the window says otherwise (KeepStates), a result keeps the
// comparison state of its pair, so that the first module shown needs no second comparison.
#pragma once

#include <QObject>
#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ModuleCompare.h"
#include "ProjectOpen.h"

namespace dualis {

class ProjectWork : public QObject {
    Q_OBJECT
  public:
    // Starts comparing the pairs of `opened` in the order of `order` (indices into its pairs,
    // each once), under `options` (the comparison options, save noise and code page). The
    // results carry their pair's own index.
    ProjectWork(std::shared_ptr<const project::OpenedSources> opened, std::vector<size_t> order,
                const project::ProjectOptions& options, QObject* parent = nullptr);
    // Stops the comparison and waits for its thread.
    ~ProjectWork() override;

    // No further pair is started; the pairs under way are finished and handed over, then
    // Finished reports the cancel.
    void Cancel();
    // Whether the results keep their pair's comparison state from now on.
    void KeepStates(bool keep) { keepStates_ = keep; }
    // The results that arrived since the last call, in the order they were compared.
    std::vector<project::ModuleResult> TakeResults();
    // A run-time error of the engine that ended the comparison; null when none did.
    std::exception_ptr Error() const { return error_; }

  signals:
    // Results wait for TakeResults. Emitted on the comparison's thread; queued to the window's.
    void ResultsWaiting();
    // Every pair was compared, or the comparison was cancelled or ended by an error; emitted
    // after the last ResultsWaiting.
    void Finished(bool cancelled);

  private:
    void Run(std::stop_token stop);

    std::shared_ptr<const project::OpenedSources> opened_;
    std::vector<size_t> order_;
    project::ProjectOptions options_;
    std::atomic<bool> keepStates_{true};
    std::mutex mutex_;
    std::vector<project::ModuleResult> arrived_;  // under mutex_
    bool signalled_ = false;                      // under mutex_: a ResultsWaiting is on its way
    std::exception_ptr error_;
    std::jthread thread_;  // last: it stops and is joined before the rest goes
};

}  // namespace dualis
