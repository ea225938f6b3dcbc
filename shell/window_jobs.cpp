#include "shell/window_jobs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>
#include <utility>

#include "shell/progress_panel.h"

namespace brixel {

bool ProgressSlot::Put(const JobProgress& progress) {
  const std::lock_guard lock(mutex_);
  latest_ = progress;
  ++version_;
  if (told_) return false;
  told_ = true;
  return true;
}

std::optional<JobProgress> ProgressSlot::TakeNewOrRest() {
  const std::lock_guard lock(mutex_);
  if (taken_ == version_) {
    told_ = false;
    return std::nullopt;
  }
  taken_ = version_;
  return latest_;
}

JobProgress ProgressSlot::Latest() const {
  const std::lock_guard lock(mutex_);
  return latest_;
}

JobContext::JobContext(std::stop_token stop, const platform::FolderSource* folders,
                       std::shared_ptr<ProgressSlot> slot, std::function<void()> tell)
    : stop_(std::move(stop)), folders_(folders), slot_(std::move(slot)), tell_(std::move(tell)) {}

PassControl JobContext::ForPass(std::size_t rows) {
  progress_.rows_done = 0;
  progress_.rows_total = rows;
  Report();
  return {stop_, [this](std::size_t done) {
            progress_.rows_done = done;
            Report();
          }};
}

void JobContext::ReadingFolder(std::string_view path, const ScanCounts& counts) {
  progress_.folders_read = counts.folders_read;
  progress_.names_found = counts.names_found;
  progress_.folder.assign(path);
  Report();
}

void JobContext::Report() {
  if (slot_->Put(progress_)) tell_();
}

WindowJobs::WindowJobs(QWidget& window, const platform::FolderSource* folders)
    : QObject(&window), window_(window), folders_(folders), panel_(new ProgressPanel(window)) {
  panel_timer_.setSingleShot(true);
  panel_timer_.setInterval(kPanelDelay);
  connect(&panel_timer_, &QTimer::timeout, this, &WindowJobs::ShowPanel);
  progress_timer_.setSingleShot(true);
  progress_timer_.setInterval(kProgressInterval);
  connect(&progress_timer_, &QTimer::timeout, this, &WindowJobs::ShowNewProgress);
  connect(&panel_->CancelButton(), &QPushButton::clicked, this, &WindowJobs::Cancel);
}

WindowJobs::~WindowJobs() {
  StopAll();
}

bool WindowJobs::Start(WindowJob job) {
  if (current_ || next_) return false;
  Launch(std::move(job));
  return true;
}

bool WindowJobs::Restart(WindowJob job) {
  if (!current_) return Start(std::move(job));
  if (job.restart_group == 0 || current_->job.restart_group != job.restart_group || current_->cancelling)
    return false;
  current_->thread.request_stop();
  if (current_->job.frees_at_cancel) {
    Retire();
    Launch(std::move(job));
  } else {
    next_ = std::move(job);  // started when the stopped one's thread has ended
  }
  return true;
}

void WindowJobs::Launch(WindowJob job) {
  const std::uint64_t serial = ++serials_;
  Lock(job.locked);
  last_progress_ = {};
  panel_->Begin(job.title);  // a panel that shows already stays, for the job in place of its own
  if (!panel_->isVisible()) panel_timer_.start();

  // The thread gets its own copy of the work; the window's side keeps the rest.
  std::function<bool(JobContext&)> work = job.work;
  current_.emplace();
  current_->serial = serial;
  current_->job = std::move(job);
  current_->progress = std::make_shared<ProgressSlot>();
  progress_timer_.stop();
  // Words to the window's thread; Qt drops them if this object is gone by then.
  const auto tell = [this, serial] {
    QMetaObject::invokeMethod(
        this, [this, serial] { ProgressArrived(serial); }, Qt::QueuedConnection);
  };
  current_->thread = std::jthread([this, serial, work = std::move(work), tell, slot = current_->progress,
                                   folders = folders_](std::stop_token stop) {
    JobContext context(stop, folders, slot, tell);
    bool done = false;
    try {
      done = work(context);
    } catch (...) {
      done = false;  // nothing is handed to the window
    }
    QMetaObject::invokeMethod(
        this, [this, serial, done] { WorkEnded(serial, done); }, Qt::QueuedConnection);
  });
}

void WindowJobs::Cancel() {
  if (!current_ || current_->cancelling) return;
  next_.reset();
  current_->thread.request_stop();
  if (!current_->job.frees_at_cancel) {
    current_->cancelling = true;  // its thread ends soon, and WorkEnded finishes the cancel
    panel_->ShowStopping();
    return;
  }
  std::function<void()> cancelled = std::move(current_->job.cancelled);
  Retire();
  Unlock();
  if (cancelled) cancelled();
  if (!Busy()) emit idle();
}

void WindowJobs::Retire() {
  retired_.push_back(std::move(*current_));
  current_.reset();
}

void WindowJobs::StopAll() {
  next_.reset();
  if (current_) Retire();
  for (Running& r : retired_) r.thread.request_stop();
  retired_.clear();  // each thread is joined as it goes
  panel_timer_.stop();
  progress_timer_.stop();
  qApp->removeEventFilter(this);
}

void WindowJobs::WorkEnded(std::uint64_t serial, bool done) {
  if (!current_ || current_->serial != serial) {
    retired_.remove_if([serial](const Running& r) { return r.serial == serial; });  // joins it
    if (retired_.empty()) emit stopped();
    return;
  }
  current_->thread.join();  // its last act was to say so
  WindowJob job = std::move(current_->job);
  current_.reset();
  if (next_) {  // it was stopped for a newer one
    WindowJob next = std::move(*next_);
    next_.reset();
    Launch(std::move(next));
    return;
  }
  Unlock();
  if (done) {
    if (job.finished) job.finished();
  } else if (job.cancelled) {
    job.cancelled();
  }
  if (!Busy()) emit idle();
}

void WindowJobs::ProgressArrived(std::uint64_t serial) {
  if (current_ && current_->serial == serial) ShowNewProgress();
}

void WindowJobs::ShowNewProgress() {
  if (!current_) return;
  const std::optional<JobProgress> progress = current_->progress->TakeNewOrRest();
  if (!progress) return;  // nothing new: the job tells again when there is
  last_progress_ = *progress;
  if (panel_->isVisible() && !current_->cancelling) panel_->Show(last_progress_);
  progress_timer_.start();  // and looks again after a while, for what came meanwhile
}

void WindowJobs::ShowPanel() {
  if (!current_) return;
  last_progress_ = current_->progress->Latest();
  panel_->Show(last_progress_);
  if (current_->cancelling) panel_->ShowStopping();
  panel_->raise();
  panel_->show();
  // The locked controls now look disabled too. The focus goes to the cancel button first, so
  // that it does not move on to a control that is still live (help), and comes back at the end.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && focus->window() == &window_) focus_before_ = focus;
  panel_->CancelButton().setFocus();
  LookDisabled();
  emit panelShown();
}

void WindowJobs::Lock(const QList<QWidget*>& widgets) {
  locked_.clear();
  for (QWidget* w : widgets) locked_ << w;
  qApp->installEventFilter(this);
  window_.setCursor(Qt::BusyCursor);  // at work, and still to be used
  if (!panel_->isVisible()) return;
  // A job run in place of another while the panel shows: its own controls look disabled.
  for (const QPointer<QWidget>& w : std::as_const(disabled_))
    if (w && !locked_.contains(w)) w->setEnabled(true);
  disabled_.removeIf([this](const QPointer<QWidget>& w) { return !w || !locked_.contains(w); });
  LookDisabled();
}

void WindowJobs::LookDisabled() {
  for (const QPointer<QWidget>& w : std::as_const(locked_)) {
    if (w && w->isEnabled()) {
      w->setEnabled(false);
      disabled_ << w;
    }
  }
}

void WindowJobs::Unlock() {
  panel_timer_.stop();
  progress_timer_.stop();
  qApp->removeEventFilter(this);
  window_.unsetCursor();
  for (const QPointer<QWidget>& w : std::as_const(disabled_))
    if (w) w->setEnabled(true);
  disabled_.clear();
  locked_.clear();
  if (!panel_->isVisible()) return;
  panel_->hide();
  if (focus_before_ && focus_before_->isVisible() && focus_before_->isEnabled()) focus_before_->setFocus();
  focus_before_.clear();
}

bool WindowJobs::IsLocked(const QObject* watched) const {
  if (!watched->isWidgetType()) return false;
  const auto* widget = static_cast<const QWidget*>(watched);
  for (const QPointer<QWidget>& w : locked_)
    if (w && (w == widget || w->isAncestorOf(widget))) return true;
  return false;
}

bool WindowJobs::eventFilter(QObject* watched, QEvent* event) {
  if (!current_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Escape && event->type() == QEvent::KeyPress && watched->isWidgetType() &&
          static_cast<QWidget*>(watched)->window() == &window_) {
        Cancel();
        return true;
      }
      // Moving the focus on changes nothing.
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
      return IsLocked(watched);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
      // Dropped, not kept for later. A release is let through: without its press it clicks
      // nothing, and a control pressed before the job began comes back to rest.
      return IsLocked(watched);
    default:
      return false;
  }
}

}  // namespace brixel
