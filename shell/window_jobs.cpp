#include "shell/window_jobs.h"

#include <QApplication>
#include <QPushButton>
#include <QWidget>
#include <utility>

#include "shell/progress_panel.h"

namespace brixel {

WindowJobs::WindowJobs(QWidget& window)
    : QObject(&window), window_(window), lock_(window), panel_(new ProgressPanel(window)) {
  panel_timer_.setSingleShot(true);
  panel_timer_.setInterval(kPanelDelay);
  connect(&panel_timer_, &QTimer::timeout, this, &WindowJobs::ShowPanel);
  progress_timer_.setInterval(kProgressInterval);
  connect(&progress_timer_, &QTimer::timeout, this, &WindowJobs::ShowProgress);
  connect(&panel_->CancelButton(), &QPushButton::clicked, this, &WindowJobs::Cancel);
  connect(&lock_, &InputLock::escapePressed, this, &WindowJobs::Cancel);
  connect(&runner_, &JobRunner::cancelling, panel_, &ProgressPanel::ShowStopping);
  connect(&runner_, &JobRunner::ended, this, &WindowJobs::Ended);
  connect(&runner_, &JobRunner::idle, this, &WindowJobs::idle);
  connect(&runner_, &JobRunner::stopped, this, &WindowJobs::stopped);
}

WindowJobs::~WindowJobs() {
  StopAll();
}

bool WindowJobs::Start(WindowJob job) {
  return runner_.Start(WithLockAndPanel(std::move(job)));
}

bool WindowJobs::Restart(WindowJob job) {
  return runner_.Restart(WithLockAndPanel(std::move(job)));
}

void WindowJobs::Cancel() {
  runner_.Cancel();
}

void WindowJobs::StopAll() {
  runner_.StopAll();
  panel_timer_.stop();
  progress_timer_.stop();
  lock_.Drop();
}

Job WindowJobs::WithLockAndPanel(WindowJob job) {
  job.began = [this, title = std::move(job.title), locked = std::move(job.locked)] { Began(title, locked); };
  return std::move(static_cast<Job&>(job));
}

void WindowJobs::Began(const QString& title, const QList<QWidget*>& locked) {
  lock_.Lock(locked);
  panel_->Begin(title);  // a panel that is up already stays, for the job in place of its own
  if (panel_->isHidden()) panel_timer_.start();
}

void WindowJobs::ShowPanel() {
  if (!runner_.Busy()) return;
  panel_->Show(runner_.Progress());
  if (runner_.Cancelling()) panel_->ShowStopping();
  panel_->raise();
  panel_->show();
  progress_timer_.start();
  // The locked controls now look disabled too. The focus goes to the cancel button first, so
  // that it does not move on to a control that is still live (help), and comes back at the end.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && focus->window() == &window_) focus_before_ = focus;
  panel_->CancelButton().setFocus();
  lock_.LookDisabled();
  emit panelShown();
}

void WindowJobs::ShowProgress() {
  if (runner_.Busy() && !runner_.Cancelling()) panel_->Show(runner_.Progress());
}

void WindowJobs::Ended() {
  panel_timer_.stop();
  progress_timer_.stop();
  lock_.Unlock();
  if (panel_->isHidden()) return;
  panel_->hide();
  QWidget* focus = focus_before_.data();
  if (focus != nullptr && focus->isVisible() && focus->isEnabled()) focus->setFocus();
  focus_before_.clear();
}

}  // namespace brixel
