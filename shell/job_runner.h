#pragma once
// Runs a window's long jobs one at a time, each on a thread of its own, and hands each result to
// the window's thread exactly once. It knows nothing of widgets: what a job locks and shows is
// the caller's (WindowJobs).
//
// A job's work runs on its thread under a WorkControl (its stop, and a JobProgressRecord as the
// progress sink); `finished` or `cancelled` then runs on the window's thread. The result of a job
// that was replaced or cancelled meanwhile is dropped: a late word from a thread the runner has
// let go of changes nothing. How a cancel treats the running work is the job's CancelMode.
#include <QObject>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <thread>

#include "core/work/work_control.h"
#include "shell/job_progress.h"

namespace brixel {

enum class CancelMode {
  // The work reads and writes nothing the window keeps (a scan into a table of its own): a
  // cancel frees the window at once, and the thread is left to notice the stop by itself.
  FreeAtOnce,
  // The work reads the window's lists or writes a file: a cancel asks it to stop and waits for
  // it to end, so the lists are not changed under it and a file is whole or as it was.
  WaitForEnd,
};

struct Job {
  // On the job's thread. True: done, the result is ready for `finished`; false: stopped, nothing
  // was changed. An exception counts as false (a save reports its failure in its result instead).
  std::function<bool(const WorkControl&)> work;
  std::function<void()> finished;   // on the window's thread, once work returned true
  std::function<void()> cancelled;  // on the window's thread, once a cancel or a failure ended it
  CancelMode cancel_mode = CancelMode::WaitForEnd;
  // Non-zero: a later Restart of a job of the same group stops this one and runs in its place
  // (the newest choice or options win). 0: never restarted.
  int restart_group = 0;
  // On the window's thread just before the job's thread starts (also for a job run in place of
  // another).
  std::function<void()> began;
};

class JobRunner : public QObject {
  Q_OBJECT

 public:
  explicit JobRunner(QObject* parent = nullptr);
  ~JobRunner() override;  // StopAll

  bool Busy() const { return current_.has_value(); }
  // A waited cancel is under way: the job is asked to stop and has not ended yet.
  bool Cancelling() const { return current_ && current_->cancelling; }
  // Some cancelled job's thread has not noticed its stop yet (it touches nothing of the window).
  bool Stopping() const { return !retired_.empty(); }
  // The running job's progress as its thread last told it.
  JobProgress Progress() const;

  // Starts the job unless one runs; false when it was refused.
  bool Start(Job job);
  // Starts the job in place of a running one of its restart group, whose result is then dropped
  // and whose `cancelled` is not called; at once when nothing runs, or when the running one frees
  // at cancel, otherwise once its thread has ended. Refused while another kind of job runs, or
  // one is being cancelled.
  bool Restart(Job job);
  // Stops the running job as its cancel mode says; its `cancelled` (or `finished`, if it
  // completed first) runs once it has let go.
  void Cancel();
  // The window is going: every job is stopped and its thread waited for; nothing more is called.
  void StopAll();

 signals:
  // A waited cancel has begun.
  void cancelling();
  // The job has let go of the window; emitted before its `finished` or `cancelled` runs.
  void ended();
  // No job runs any more, after the last `finished` or `cancelled`.
  void idle();
  // The last thread of a cancelled job has ended.
  void stopped();

 private:
  struct Running {
    std::uint64_t serial = 0;
    Job job;
    std::shared_ptr<JobProgressRecord> progress;
    std::jthread thread;
    bool cancelling = false;
  };

  void Launch(Job job);
  void WorkEnded(std::uint64_t serial, bool done);
  void Retire();
  void Deliver(Job& job, bool done);

  std::optional<Running> current_;
  std::optional<Job> next_;     // waits for a restarted job's thread to end
  std::list<Running> retired_;  // jobs let go of whose threads are still stopping
  std::uint64_t serials_ = 0;
};

}  // namespace brixel
