#pragma once
// The target of a sorted scan: it gathers the names the walk finds and, once the walk is done,
// hands them on at once in ascending order (name_order.h).
//
// The walk spends its time in the kernel; the order keys and the sort are user time. So a thread
// of its own takes the names in batches while the walk goes on, makes their keys and sorts them
// in runs of 16,384 names (small enough to stay in the processor's cache while they are copied
// into order with their keys). What is left when the walk ends is the last run and one pass that
// merges the runs, reading each run front to back. A listing of one batch or less starts no
// thread at all.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "core/listing/list_target.h"
#include "core/listing/name_column.h"
#include "core/listing/name_order.h"
#include "core/work/work_control.h"

namespace brixel {

class SortingTarget final : public ListTarget {
 public:
  // Names per batch, and batches per run (tests make both small).
  static constexpr std::size_t kBatchRows = 4096;
  static constexpr std::size_t kRunBatches = 4;

  // The control's stop ends the key thread within one batch; a stopped target hands nothing on.
  SortingTarget(const Collator& collator, const WorkControl& control, std::size_t batch_rows = kBatchRows,
                std::size_t run_batches = kRunBatches);
  ~SortingTarget() override;  // an unfinished target ends its thread and drops its names
  SortingTarget(const SortingTarget&) = delete;
  SortingTarget& operator=(const SortingTarget&) = delete;

  void Append(std::string_view name) override;

  // Sorts every name appended and hands them all to next (AppendAll). False, handing on nothing,
  // when the stop was requested first.
  bool Finish(ListTarget& next);

  // Names in ascending order with their leading keys, one after another in the same order.
  struct Run {
    NameColumn names;
    std::string keys;
    std::vector<std::uint32_t> key_ends;
  };

 private:
  void Hand(NameColumn&& batch);
  void MakeKeys();  // the key thread
  bool Take(NameColumn&& batch);
  bool EndRun();
  void EndThread(bool abandon);
  std::string_view RunName(std::uint32_t row) const {
    return run_batches_[row / batch_rows_][row % batch_rows_];
  }

  const Collator& collator_;
  const std::stop_token stop_;
  const std::size_t batch_rows_;
  const std::size_t run_batches_limit_;
  NameColumn filling_;  // the walk's batch

  // The key thread's while it runs, the caller's before and after.
  OrderKeys run_keys_;
  std::vector<NameColumn> run_batches_;  // the names of the run being gathered, all but the last full
  std::vector<Run> runs_;
  std::exception_ptr failure_;

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::deque<NameColumn> waiting_;  // batches handed over, keys not yet made
  std::vector<NameColumn> spare_;   // batches done with, for the walk to fill again
  bool closed_ = false;             // no batch comes any more
  bool abandoned_ = false;          // ... and those waiting are not wanted
  bool no_thread_ = false;          // the system gave no thread: Finish does it all
  std::thread thread_;
};

// The runs merged into one column in ascending order: equal rows keep the order of their runs.
// False, with names left incomplete, when the stop was requested first.
bool MergeRuns(std::vector<SortingTarget::Run>& runs, const Collator& collator, NameColumn& names,
               std::stop_token stop = {});

}  // namespace brixel
