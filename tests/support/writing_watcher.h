#pragma once
// A progress sink that hands what a list writer tells of its own work to a function: the tests
// stop a save at a chosen phase with it.
#include <cstdint>
#include <functional>
#include <utility>

#include "core/work/work_control.h"

namespace brixel::test {

class WritingWatcher final : public ProgressSink {
 public:
  using Heard = std::function<void(WritePhase phase, std::uint64_t done, std::uint64_t total)>;
  explicit WritingWatcher(Heard heard) : heard_(std::move(heard)) {}
  void Writing(WritePhase phase, std::uint64_t done, std::uint64_t total) override {
    heard_(phase, done, total);
  }

 private:
  Heard heard_;
};

}  // namespace brixel::test
