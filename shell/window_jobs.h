#pragma once
// The long jobs of a window - scans, formatting runs over big lists, saves - as the user meets
// them. They run one at a time, each on a thread of its own (JobRunner), so the window keeps
// painting, moving and answering while they work.
//
// While a job runs, the controls it names take no input (InputLock); minimise, close, help and
// dragging the window stay live. A job still running after kPanelDelay shows the progress panel
// (its counts, read every kProgressInterval, and a cancel button), and its controls then also
// look disabled. Esc or the button cancels. Whether the panel is up is the panel's own state,
// whatever the window's: a job that passes the delay while the window is hidden puts it up, and
// its end takes it down.
//
// A job works on what it made for itself and hands it to the window only when it has finished, so
// a cancelled job leaves the window as it was.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>

#include "shell/input_lock.h"
#include "shell/job_runner.h"

class QWidget;

namespace brixel {

class ProgressPanel;

inline constexpr std::chrono::milliseconds kPanelDelay{300};
inline constexpr std::chrono::milliseconds kProgressInterval{100};

struct WindowJob : Job {
  QString title;           // the panel's caption
  QList<QWidget*> locked;  // the controls that take no input while it runs
};

class WindowJobs : public QObject {
  Q_OBJECT

 public:
  // The panel is placed in window.
  explicit WindowJobs(QWidget& window);
  ~WindowJobs() override;

  bool Busy() const { return runner_.Busy(); }
  // Some cancelled job's thread has not noticed its stop yet (it touches nothing of the window).
  bool Stopping() const { return runner_.Stopping(); }
  ProgressPanel& Panel() const { return *panel_; }

  // As JobRunner's, with the job's controls locked and its panel from its start to its end.
  bool Start(WindowJob job);
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

 private:
  Job WithLockAndPanel(WindowJob job);
  void Began(const QString& title, const QList<QWidget*>& locked);
  void ShowPanel();
  void ShowProgress();
  void Ended();

  QWidget& window_;
  JobRunner runner_;
  InputLock lock_;
  ProgressPanel* panel_;
  QTimer panel_timer_;     // from a job's start until the panel comes up
  QTimer progress_timer_;  // while the panel is up
  QPointer<QWidget> focus_before_;
};

}  // namespace brixel
