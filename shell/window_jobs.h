#pragma once
// The long jobs of a window - scans, formatting runs over big lists, saves - run here, one at a
// time, each on a thread of its own, so the window keeps painting, moving and answering while
// they work.
//
// While a job runs, the controls it names take no input: a click or key meant for them is dropped,
// never kept and replayed on whatever control stands there later. Minimise, close, help and
// dragging the window stay live. A job still running after kPanelDelay shows the progress panel
// (its counts, refreshed a few times a second, and a cancel button) and its controls then also
// look disabled. Esc or the button cancels.
//
// A job works on what it made for itself and hands it to the window only when it has finished, so
// a cancelled job leaves the window as it was. Nothing polls: the job's thread tells the window of
// its progress (see ProgressSlot) and of its end.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "core/listing/folder_scan.h"
#include "core/listing/pass_control.h"

class QWidget;

namespace brixel {

namespace platform {
class FolderSource;
}

class ProgressPanel;

inline constexpr std::chrono::milliseconds kPanelDelay{300};
inline constexpr std::chrono::milliseconds kProgressInterval{100};

// What a job has done so far, as the panel shows it.
struct JobProgress {
  std::size_t folders_read = 0;
  std::size_t names_found = 0;
  std::string folder;          // the folder being read
  std::size_t rows_done = 0;   // a pass over a list (formatting, writing) ...
  std::size_t rows_total = 0;  // ... of this many rows; 0: no pass under way
};

// The latest progress of a job, handed from its thread to the window's. The job puts every change
// here and tells the window only when no word is on its way; the window shows what it finds, and
// asks again kProgressInterval later while there is news. So a fast scan costs the window a few
// updates a second, and a folder that takes long shows at once.
class ProgressSlot {
 public:
  // Job's thread: true when the window is to be told.
  bool Put(const JobProgress& progress);
  // Window's thread: the progress if it changed since last taken; when it has not, no word is on
  // its way any more, and the next Put tells the window again.
  std::optional<JobProgress> TakeNewOrRest();
  JobProgress Latest() const;

 private:
  mutable std::mutex mutex_;
  JobProgress latest_;
  std::uint64_t version_ = 0;
  std::uint64_t taken_ = 0;
  bool told_ = false;
};

// The job's side: its stop signal, and the controls its scans and passes report through.
class JobContext final : public ScanProgress {
 public:
  JobContext(std::stop_token stop, const platform::FolderSource* folders, std::shared_ptr<ProgressSlot> slot,
             std::function<void()> tell);

  const std::stop_token& Stop() const { return stop_; }
  // A scan that stops with the job, reports each folder it reads, and reads the window's folders.
  ScanControl ForScan() { return {stop_, this, folders_}; }
  // A pass over `rows` rows that stops with the job and reports how far it got.
  PassControl ForPass(std::size_t rows);

  void ReadingFolder(std::string_view path, const ScanCounts& counts) override;

 private:
  void Report();

  std::stop_token stop_;
  const platform::FolderSource* folders_;
  std::shared_ptr<ProgressSlot> slot_;
  std::function<void()> tell_;
  JobProgress progress_;
};

struct WindowJob {
  QString title;           // the panel's caption
  QList<QWidget*> locked;  // the controls that take no input while it runs
  // On the job's thread. True: done, the result is ready for `finished`; false: stopped, nothing
  // was changed. It must not throw (a save reports its failure in its result).
  std::function<bool(JobContext&)> work;
  std::function<void()> finished;   // on the window's thread, once work returned true
  std::function<void()> cancelled;  // on the window's thread, once a cancel ended the job
  // The work reads and writes nothing the window keeps (a scan into a table of its own): a cancel
  // frees the window at once, and the thread is left to notice the stop by itself. A job that
  // reads the window's lists, or writes a file, is waited for, so that the file is whole or as it
  // was, and the lists are not changed under it.
  bool frees_at_cancel = false;
  // Non-zero: a later Restart of a job of the same group stops it and runs in its place (the
  // newest choice or options win). 0: never restarted.
  int restart_group = 0;
};

class WindowJobs : public QObject {
  Q_OBJECT

 public:
  // folders: where scans read folders (null: the platform's own). The panel is placed in window.
  WindowJobs(QWidget& window, const platform::FolderSource* folders);
  ~WindowJobs() override;

  bool Busy() const { return current_.has_value(); }
  // Some cancelled job's thread has not noticed its stop yet (it touches nothing of the window).
  bool Stopping() const { return !retired_.empty(); }
  ProgressPanel& Panel() const { return *panel_; }

  // Starts the job unless one runs; false when it was refused.
  bool Start(WindowJob job);
  // Starts the job in place of a running one of its restart group, whose result is then thrown
  // away and whose `cancelled` is not called; at once when nothing runs. Refused while another
  // kind of job runs.
  bool Restart(WindowJob job);
  // What the cancel button and Esc do.
  void Cancel();
  // The window is going: every job is stopped and its thread waited for; nothing more is called.
  void StopAll();

 signals:
  // No job runs any more; the window takes input again.
  void idle();
  // The progress panel has come up.
  void panelShown();
  // The last thread of a cancelled job has ended.
  void stopped();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Running {
    std::uint64_t serial = 0;
    WindowJob job;
    std::shared_ptr<ProgressSlot> progress;
    std::jthread thread;
    bool cancelling = false;
  };

  void Launch(WindowJob job);
  void WorkEnded(std::uint64_t serial, bool done);
  void ProgressArrived(std::uint64_t serial);
  void ShowNewProgress();
  void ShowPanel();
  void Lock(const QList<QWidget*>& widgets);
  void Unlock();
  void LookDisabled();
  void Retire();
  bool IsLocked(const QObject* watched) const;

  QWidget& window_;
  const platform::FolderSource* folders_;
  ProgressPanel* panel_;
  QTimer panel_timer_;
  QTimer progress_timer_;  // runs only while progress keeps coming
  std::optional<Running> current_;
  std::optional<WindowJob> next_;  // waits for a restarted job's thread to end
  std::list<Running> retired_;     // cancelled jobs whose threads are still stopping
  std::uint64_t serials_ = 0;
  QList<QPointer<QWidget>> locked_;
  QList<QPointer<QWidget>> disabled_;  // locked controls that look disabled too (panel shown)
  QPointer<QWidget> focus_before_;
  JobProgress last_progress_;
};

}  // namespace brixel
