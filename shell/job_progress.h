#pragma once
// What a window's job has done so far, as the progress panel shows it, and the record the job's
// thread keeps it in. The job writes every change there as it happens (cheap: a lock and a few
// numbers); the panel reads the latest a few times a second on the window's thread while it
// shows. Nothing is sent from the job to the window for progress.
#include <cstddef>
#include <mutex>
#include <string>

#include "core/work/work_control.h"

namespace brixel {

struct JobProgress {
  std::size_t folders_read = 0;
  std::size_t names_found = 0;
  std::string folder;          // the folder being read
  std::size_t rows_done = 0;   // a pass over a list (formatting, writing) ...
  std::size_t rows_total = 0;  // ... of this many rows; 0: no pass under way
};

class JobProgressRecord final : public ProgressSink {
 public:
  // The job's thread.
  void ReadingFolder(std::string_view path, std::size_t folders_read, std::size_t names_found) override;
  void RowsDone(std::size_t done, std::size_t total) override;

  // Any thread: the progress as the job last told it.
  JobProgress Latest() const;

 private:
  mutable std::mutex mutex_;
  JobProgress progress_;
};

}  // namespace brixel
