#include "shell/job_runner.h"

#include <utility>

namespace brixel {

JobRunner::JobRunner(QObject* parent) : QObject(parent) {}

JobRunner::~JobRunner() {
  StopAll();
}

JobProgress JobRunner::Progress() const {
  return current_ ? current_->progress->Latest() : JobProgress{};
}

bool JobRunner::Start(Job job) {
  if (current_) return false;
  Launch(std::move(job));
  return true;
}

bool JobRunner::Restart(Job job) {
  if (!current_) return Start(std::move(job));
  if (job.restart_group == 0 || current_->job.restart_group != job.restart_group || current_->cancelling)
    return false;
  current_->thread.request_stop();
  if (current_->job.cancel_mode == CancelMode::FreeAtOnce) {
    Retire();
    Launch(std::move(job));
  } else {
    next_ = std::move(job);  // launched when the stopped one's thread has ended
  }
  return true;
}

void JobRunner::Launch(Job job) {
  const std::uint64_t serial = ++serials_;
  // The thread gets its own copy of the work; the window's side keeps the rest.
  std::function<bool(const WorkControl&)> work = job.work;
  current_.emplace();
  current_->serial = serial;
  current_->job = std::move(job);
  current_->progress = std::make_shared<JobProgressRecord>();
  if (current_->job.began) current_->job.began();
  current_->thread = std::jthread(
      [this, serial, work = std::move(work), progress = current_->progress](std::stop_token stop) {
        bool done = false;
        try {
          done = work(WorkControl{stop, progress.get()});
        } catch (...) {
          done = false;  // nothing is handed to the window
        }
        // The word goes to the window's thread; Qt drops it if this object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, serial, done] { WorkEnded(serial, done); }, Qt::QueuedConnection);
      });
}

void JobRunner::Cancel() {
  if (!current_ || current_->cancelling) return;
  next_.reset();
  current_->thread.request_stop();
  if (current_->job.cancel_mode == CancelMode::WaitForEnd) {
    current_->cancelling = true;  // its thread ends soon, and WorkEnded finishes the cancel
    emit cancelling();
    return;
  }
  Job job = std::move(current_->job);
  Retire();
  Deliver(job, false);
}

void JobRunner::Retire() {
  retired_.push_back(std::move(*current_));
  current_.reset();
}

void JobRunner::StopAll() {
  next_.reset();
  if (current_) Retire();
  for (Running& r : retired_) r.thread.request_stop();
  retired_.clear();  // each thread is joined as it goes
}

void JobRunner::WorkEnded(std::uint64_t serial, bool done) {
  if (!current_ || current_->serial != serial) {  // a job let go of: its result is dropped
    retired_.remove_if([serial](const Running& r) { return r.serial == serial; });  // joins it
    if (retired_.empty()) emit stopped();
    return;
  }
  current_->thread.join();  // its last act was to say so
  Job job = std::move(current_->job);
  current_.reset();
  if (next_) {  // it was stopped for a newer one
    Job next = std::move(*next_);
    next_.reset();
    Launch(std::move(next));
    return;
  }
  Deliver(job, done);
}

void JobRunner::Deliver(Job& job, bool done) {
  emit ended();
  if (done) {
    if (job.finished) job.finished();
  } else if (job.cancelled) {
    job.cancelled();
  }
  if (!Busy()) emit idle();
}

}  // namespace brixel
