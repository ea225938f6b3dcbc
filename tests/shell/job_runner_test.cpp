// The job runner on its own: what runs when, what is delivered and what is dropped, and what a
// cancel or the window's end does to a job under way. The work waits at a gate the test opens,
// so nothing depends on timing.
#include "shell/job_runner.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "shell/progress_panel.h"
#include "shell/window_jobs.h"

namespace brixel::test {

namespace {

using namespace std::chrono_literals;

// Holds the work until the test opens it, or (for work that heeds it) until the job's stop.
class Gate {
 public:
  void Open() {
    const std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  // The job's thread: true once opened; false when the stop came first and is heeded.
  bool Pass(const WorkControl& control, bool heed_stop = true) {
    std::unique_lock lock(mutex_);
    ++entered_;
    changed_.notify_all();
    if (heed_stop) return changed_.wait(lock, control.stop, [this] { return open_; });
    changed_.wait(lock, [this] { return open_; });
    return true;
  }
  // The test's thread: waits until n works have reached the gate.
  bool Reached(int n = 1) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 30s, [&] { return entered_ >= n; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any changed_;
  bool open_ = false;
  int entered_ = 0;
};

// What the window's side heard of one job.
struct Heard {
  std::atomic<int> began = 0;
  std::atomic<int> finished = 0;
  std::atomic<int> cancelled = 0;
};

Job GatedJob(Gate& gate, Heard& heard, CancelMode mode, int group = 0, bool heed_stop = true) {
  Job job;
  job.work = [&gate, heed_stop](const WorkControl& control) { return gate.Pass(control, heed_stop); };
  job.finished = [&heard] { ++heard.finished; };
  job.cancelled = [&heard] { ++heard.cancelled; };
  job.began = [&heard] { ++heard.began; };
  job.cancel_mode = mode;
  job.restart_group = group;
  return job;
}

}  // namespace

class JobRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void aJobsResultIsDeliveredOnceAndASecondJobWaitsItsTurn() {
    JobRunner runner;
    QSignalSpy idle(&runner, &JobRunner::idle);
    Gate gate;
    Heard first, second;
    QVERIFY(runner.Start(GatedJob(gate, first, CancelMode::WaitForEnd)));
    QVERIFY(!runner.Start(GatedJob(gate, second, CancelMode::WaitForEnd)));
    QVERIFY(!runner.Restart(GatedJob(gate, second, CancelMode::WaitForEnd)));  // group 0: never
    gate.Open();
    QVERIFY(idle.wait());
    QCOMPARE(first.began.load(), 1);
    QCOMPARE(first.finished.load(), 1);
    QCOMPARE(first.cancelled.load(), 0);
    QCOMPARE(second.began.load(), 0);
    QVERIFY(!runner.Busy());
  }

  void aRestartDropsTheReplacedJobsResult() {
    for (const CancelMode mode : {CancelMode::FreeAtOnce, CancelMode::WaitForEnd}) {
      JobRunner runner;
      QSignalSpy idle(&runner, &JobRunner::idle);
      Gate old_gate, new_gate;
      Heard old_job, other_kind, new_job;
      // The replaced job does not heed its stop: its late result must be dropped all the same.
      QVERIFY(runner.Start(GatedJob(old_gate, old_job, mode, 2, false)));
      QVERIFY(old_gate.Reached());
      QVERIFY(!runner.Restart(GatedJob(new_gate, other_kind, mode, 1)));
      QVERIFY(runner.Restart(GatedJob(new_gate, new_job, mode, 2)));
      // A job that frees at cancel is replaced at once; one that is waited for, once it ends.
      QCOMPARE(new_job.began.load(), mode == CancelMode::FreeAtOnce ? 1 : 0);
      old_gate.Open();
      new_gate.Open();
      QVERIFY(idle.wait());
      if (runner.Stopping()) QVERIFY(QSignalSpy(&runner, &JobRunner::stopped).wait());
      QCOMPARE(new_job.began.load(), 1);
      QCOMPARE(new_job.finished.load(), 1);
      QCOMPARE(old_job.finished.load() + old_job.cancelled.load(), 0);
      QCOMPARE(other_kind.began.load(), 0);
    }
  }

  void aCancelThatFreesAtOnceLetsTheThreadStopByItself() {
    JobRunner runner;
    QSignalSpy idle(&runner, &JobRunner::idle);
    QSignalSpy stopped(&runner, &JobRunner::stopped);
    Gate gate;
    Heard heard;
    QVERIFY(runner.Start(GatedJob(gate, heard, CancelMode::FreeAtOnce, 0, false)));
    QVERIFY(gate.Reached());
    runner.Cancel();
    QVERIFY(!runner.Busy());  // at once, with the job still at its gate
    QCOMPARE(heard.cancelled.load(), 1);
    QCOMPARE(idle.count(), 1);
    QVERIFY(runner.Stopping());
    // A new job runs while the old thread is still stopping; the old one's late word changes
    // nothing.
    Gate next_gate;
    Heard next;
    QVERIFY(runner.Start(GatedJob(next_gate, next, CancelMode::FreeAtOnce)));
    gate.Open();
    QVERIFY(stopped.wait());
    QCOMPARE(heard.finished.load(), 0);
    QVERIFY(runner.Busy());
    next_gate.Open();
    QVERIFY(idle.wait());
    QCOMPARE(next.finished.load(), 1);
    QCOMPARE(heard.cancelled.load(), 1);
  }

  void aWaitedCancelEndsWhenTheWorkHasLetGo() {
    for (const bool completes_anyway : {false, true}) {
      JobRunner runner;
      QSignalSpy idle(&runner, &JobRunner::idle);
      QSignalSpy cancelling(&runner, &JobRunner::cancelling);
      Gate gate;
      Heard heard, other;
      QVERIFY(runner.Start(GatedJob(gate, heard, CancelMode::WaitForEnd, 2, !completes_anyway)));
      QVERIFY(gate.Reached());
      runner.Cancel();
      QCOMPARE(cancelling.count(), 1);
      QVERIFY(runner.Busy() && runner.Cancelling());
      QVERIFY(!runner.Restart(GatedJob(gate, other, CancelMode::WaitForEnd, 2)));
      if (completes_anyway) gate.Open();
      QVERIFY(idle.wait());
      // A save that completed before it saw the stop is a saved list: finished, not cancelled.
      QCOMPARE(heard.finished.load(), completes_anyway ? 1 : 0);
      QCOMPARE(heard.cancelled.load(), completes_anyway ? 0 : 1);
      QVERIFY(!runner.Stopping());
    }
  }

  void aWorkThatThrowsHandsNothingOver() {
    JobRunner runner;
    QSignalSpy idle(&runner, &JobRunner::idle);
    Heard heard;
    Job job;
    job.work = [](const WorkControl&) -> bool { throw std::runtime_error("no room"); };
    job.finished = [&heard] { ++heard.finished; };
    job.cancelled = [&heard] { ++heard.cancelled; };
    QVERIFY(runner.Start(std::move(job)));
    QVERIFY(idle.wait());
    QCOMPARE(heard.finished.load(), 0);
    QCOMPARE(heard.cancelled.load(), 1);
  }

  void theWindowGoingStopsAndWaitsForEveryJob() {
    for (const CancelMode mode : {CancelMode::FreeAtOnce, CancelMode::WaitForEnd}) {
      auto runner = std::make_unique<JobRunner>();
      Gate gate;
      Heard heard;
      std::atomic<bool> ended = false;
      Job job = GatedJob(gate, heard, mode);
      job.work = [&gate, &ended](const WorkControl& control) {
        const bool done = gate.Pass(control);
        ended = true;
        return done;
      };
      QVERIFY(runner->Start(std::move(job)));
      QVERIFY(gate.Reached());
      runner->Cancel();  // the window's close
      runner.reset();    // and its end
      QVERIFY(ended);
      QCoreApplication::processEvents();
      QCOMPARE(heard.finished.load(), 0);
      QCOMPARE(heard.cancelled.load(), mode == CancelMode::FreeAtOnce ? 1 : 0);
    }
  }

  void theProgressPanelComesUpForEveryJobWhetherTheWindowShowedOrNot() {
    QWidget window;
    window.resize(565, 585);
    WindowJobs jobs(window);
    QSignalSpy shown(&jobs, &WindowJobs::panelShown);
    QSignalSpy idle(&jobs, &WindowJobs::idle);
    const auto run_past_the_delay = [&] {
      Gate gate;
      Heard heard;
      WindowJob job;
      static_cast<Job&>(job) = GatedJob(gate, heard, CancelMode::WaitForEnd);
      job.title = QStringLiteral("Поиск файлов");
      QVERIFY(jobs.Start(std::move(job)));
      QVERIFY(shown.wait());
      gate.Open();
      QVERIFY(idle.wait());
      QVERIFY(jobs.Panel().isHidden());
    };
    run_past_the_delay();  // while the window is hidden
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    run_past_the_delay();
    QCOMPARE(shown.count(), 2);
  }
};

}  // namespace brixel::test

QTEST_MAIN(brixel::test::JobRunnerTest)
#include "job_runner_test.moc"
