#pragma once
// How a caller steers and watches a list writer's own work: the wait for another program's lock
// on the file, the writer's pass after the last name (a workbook's cells), the library assembling
// an .xlsx, the bytes put on the disk, and the moment the new file takes the old one's place.
// The stop is looked at between those steps, during the long ones, and last just before that
// moment; a save stopped there leaves the old file byte for byte as it was and no temporary file.
#include <cstdint>
#include <functional>
#include <stop_token>

namespace brixel {

enum class WritePhase {
  Rows,        // the writer's own pass over the names once the last one is in: done of total
  Assembling,  // the library builds the .xlsx file: nothing to count, and no stop until it ends
  Committing,  // the bytes go to the disk and the new file takes the old one's place
};

struct WriterControl {
  std::stop_token stop;
  // Told as each phase begins (done 0) and every few thousand rows of Rows, on the writer's own
  // thread; empty: nobody watches.
  std::function<void(WritePhase phase, std::uint64_t done, std::uint64_t total)> progress;

  static constexpr std::uint64_t kRowsPerCheck = 4096;

  bool Stopped() const { return stop.stop_requested(); }
  void Tell(WritePhase phase, std::uint64_t done = 0, std::uint64_t total = 0) const {
    if (progress) progress(phase, done, total);
  }
  // Asked during Rows before row `row`: tells the progress now and then; false: stop there.
  bool GoOn(std::uint64_t row, std::uint64_t total) const {
    return row % kRowsPerCheck != 0 || Checkpoint(row, total);
  }
  // Tells how far Rows got; false: stop there.
  bool Checkpoint(std::uint64_t done, std::uint64_t total) const {
    Tell(WritePhase::Rows, done, total);
    return !Stopped();
  }
};

}  // namespace brixel
