// The formatting run over a million names of the bench mix (ASCII and Cyrillic): every switch on,
// and each switch alone. "per_name" is the time per name; "allocs_per_name" counts the heap
// allocations of the timed runs, which must stay at zero per name for the table run.
#include <benchmark/benchmark.h>

#include "bench/format/allocation_counter.h"
#include "bench/name_mix.h"
#include "core/format/formatting_run.h"
#include "core/format/prim_file.h"
#include "core/text/case_map.h"

namespace brixel::bench {
namespace {

constexpr std::size_t kNames = 1'000'000;

const NameTable& MixedTable() {
  static const NameTable table = [] {
    NameMix mix(7);
    NameTable t;
    t.StartListing();
    for (std::size_t i = 0; i < kNames; ++i) t.Append(mix.Next(i));
    t.FinishListing();
    return t;
  }();
  return table;
}

const FormatLocale& RussianLocale() {
  static const CaseMapper ru("ru_RU");
  static const FormatLocale locale{&ru, "ru_RU"};
  return locale;
}

enum Switch { kNone, kUpper, kLower, kFirstCapital, kUnderscores, kNumbering, kExtension, kAll };

FormatOptions OptionsFor(Switch which) {
  FormatOptions o;
  o.digits = 3;
  switch (which) {
    case kNone:
      break;
    case kUpper:
      o.letter_case = LetterCase::Upper;
      break;
    case kLower:
      o.letter_case = LetterCase::Lower;
      break;
    case kFirstCapital:
      o.letter_case = LetterCase::FirstCapital;
      break;
    case kUnderscores:
      o.underscores = true;
      break;
    case kNumbering:
      o.numbering = true;
      break;
    case kExtension:
      o.remove_extension = true;
      break;
    case kAll:
      o.letter_case = LetterCase::FirstCapital;
      o.underscores = true;
      o.numbering = true;
      o.remove_extension = true;
      break;
  }
  return o;
}

void SetPerNameCounters(benchmark::State& state, std::size_t names, std::size_t allocations) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names));
  state.counters["per_name"] =
      benchmark::Counter(static_cast<double>(names),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["allocs_per_name"] = static_cast<double>(allocations) /
                                      (static_cast<double>(state.iterations()) * static_cast<double>(names));
}

void BM_FormattingRun(benchmark::State& state) {
  NameTable table = MixedTable();
  const FormatOptions options = OptionsFor(static_cast<Switch>(state.range(0)));
  FormattingRun(table, options, RussianLocale());  // the column's buffers grow once, as after a first run
  const std::size_t before = AllocationCount();
  for (auto _ : state) {
    FormattingRun(table, options, RussianLocale());
    benchmark::DoNotOptimize(table.Formatted().ByteSize());
  }
  SetPerNameCounters(state, table.RowCount(), AllocationCount() - before);
}
BENCHMARK(BM_FormattingRun)
    ->ArgName("switch")
    ->DenseRange(kNone, kAll)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_LiteFormattingRun(benchmark::State& state) {
  const NameColumn& found = MixedTable().AsFound();
  const FormatOptions options = OptionsFor(kAll);
  std::size_t allocations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    NameColumn names = found;  // the lite run starts from a fresh scan every time
    state.ResumeTiming();
    const std::size_t before = AllocationCount();
    LiteFormattingRun(names, options, RussianLocale());
    allocations += AllocationCount() - before;
    benchmark::DoNotOptimize(names.ByteSize());
  }
  SetPerNameCounters(state, found.Size(), allocations);
}
BENCHMARK(BM_LiteFormattingRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrimFile(benchmark::State& state) {
  const NameColumn& found = MixedTable().AsFound();
  const FormatOptions options = OptionsFor(kAll);
  const std::size_t before = AllocationCount();
  for (auto _ : state) {
    PrimFile prim(options, RussianLocale());
    for (std::size_t i = 0; i < found.Size(); ++i) benchmark::DoNotOptimize(prim(found[i]));
  }
  SetPerNameCounters(state, found.Size(), AllocationCount() - before);
}
BENCHMARK(BM_PrimFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brixel::bench
