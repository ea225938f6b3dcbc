#include "shell/job_progress.h"

namespace brixel {

void JobProgressRecord::ReadingFolder(std::string_view path, std::size_t folders_read,
                                      std::size_t names_found) {
  const std::lock_guard lock(mutex_);
  progress_.folders_read = folders_read;
  progress_.names_found = names_found;
  progress_.folder.assign(path);
}

void JobProgressRecord::RowsDone(std::size_t done, std::size_t total) {
  const std::lock_guard lock(mutex_);
  progress_.rows_done = done;
  progress_.rows_total = total;
}

JobProgress JobProgressRecord::Latest() const {
  const std::lock_guard lock(mutex_);
  return progress_;
}

}  // namespace brixel
