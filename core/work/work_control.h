#pragma once
// How a long piece of work is steered and watched: one stop token and one progress sink, the
// same for every kind of work - the folder walk, the sorting target's key thread, the formatting
// passes and the list writers - so a window's job hands the same pair to whatever it runs.
//
// The contract, for work that takes a WorkControl:
//   - It looks at the stop at points of its own, which its header names (a walk between two
//     batches of a folder's entries, a pass over a list every kRowsPerCheck rows, a list writer
//     during Finish and last just before its file takes the old one's place), and once it sees
//     the stop it ends soon and says so; what it leaves is its own header's business (a stopped
//     walk's names are a part, a stopped pass hands nothing on, a stopped writer leaves its file
//     as it was).
//   - It tells the sink what it is doing, on its own thread, in calls cheap enough to make as
//     often as it checks the stop: the sink decides itself how often it passes them on.
//   - A default WorkControl never stops and nobody listens.
#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string_view>

namespace brixel {

// The stages of a list writer's own work once the last name is in (list_writer.h).
enum class WritePhase {
  Rows,        // the writer's own pass over the names (a workbook's cells): done of total
  Assembling,  // the library builds the .xlsx file: nothing to count, and no stop until it ends
  Committing,  // the bytes go to the disk and the new file takes the old one's place
};

// Hears how work gets on, on the work's thread. Every call does nothing unless overridden, so a
// sink takes only what it shows.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // A walk is about to read the folder at path, having read `folders_read` folders and found
  // `names_found` names so far.
  virtual void ReadingFolder(std::string_view /*path*/, std::size_t /*folders_read*/,
                             std::size_t /*names_found*/) {}
  // A pass over the rows of a list has done `done` of its `total` rows.
  virtual void RowsDone(std::size_t /*done*/, std::size_t /*total*/) {}
  // A list writer's own work has come to `phase` (done 0), or in WritePhase::Rows has done `done`
  // of `total` rows.
  virtual void Writing(WritePhase /*phase*/, std::uint64_t /*done*/, std::uint64_t /*total*/) {}
};

struct WorkControl {
  std::stop_token stop;
  ProgressSink* progress = nullptr;  // nothing: nobody watches

  // How often a pass over a list looks at the stop and reports: a pass nobody steers pays one
  // division per row.
  static constexpr std::size_t kRowsPerCheck = 4096;

  bool Stopped() const { return stop.stop_requested(); }

  void ReadingFolder(std::string_view path, std::size_t folders_read, std::size_t names_found) const {
    if (progress != nullptr) progress->ReadingFolder(path, folders_read, names_found);
  }

  // Asked before row `row` of a pass over `total` rows is done; false: stop there. Every
  // kRowsPerCheck rows (row 0 among them) it reports and looks at the stop.
  bool GoOn(std::size_t row, std::size_t total) const {
    if (row % kRowsPerCheck != 0) return true;
    if (progress != nullptr) progress->RowsDone(row, total);
    return !Stopped();
  }

  // A list writer's: tells the phase it comes to.
  void Tell(WritePhase phase, std::uint64_t done = 0, std::uint64_t total = 0) const {
    if (progress != nullptr) progress->Writing(phase, done, total);
  }
  // A list writer's, asked during WritePhase::Rows before row `row`: tells the progress now and
  // then; false: stop there.
  bool GoOnWriting(std::uint64_t row, std::uint64_t total) const {
    return row % kRowsPerCheck != 0 || Checkpoint(row, total);
  }
  // A list writer's: tells how far WritePhase::Rows got; false: stop there.
  bool Checkpoint(std::uint64_t done, std::uint64_t total) const {
    Tell(WritePhase::Rows, done, total);
    return !Stopped();
  }
};

}  // namespace brixel
