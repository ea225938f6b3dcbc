#pragma once
// How a caller steers a long pass over the rows of a list (a formatting run over a big table, the
// writing of a big list), as ScanControl steers a walk: a stop ends the pass between two rows, and
// the caller hears now and then how many rows are done. Both are looked at once every few
// thousand rows, so a pass nobody steers costs the same as before.
#include <cstddef>
#include <functional>
#include <stop_token>

namespace brixel {

struct PassControl {
  std::stop_token stop;
  std::function<void(std::size_t rows_done)> progress;  // empty: nobody watches

  static constexpr std::size_t kRowsPerCheck = 4096;

  // Asked before row `row` is done; false: stop there.
  bool GoOn(std::size_t row) const {
    if (row % kRowsPerCheck != 0) return true;
    if (progress && row != 0) progress(row);
    return !stop.stop_requested();
  }
};

}  // namespace brixel
