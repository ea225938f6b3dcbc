// Micro-benchmarks of the listing spine: the mask test, order keys and the sort.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stop_token>
#include <thread>
#include <vector>

#include "bench/name_mix.h"
#include "core/listing/folder_scan.h"
#include "core/listing/mask.h"
#include "core/listing/name_order.h"
#include "core/platform/collation.h"

namespace brixel::bench {
namespace {

NameColumn MixedNames(std::size_t n) {
  NameMix mix(3);
  NameColumn names;
  for (std::size_t i = 0; i < n; ++i) names.Append(mix.Next(i));
  return names;
}

void BM_MaskTest(benchmark::State& state) {
  const NameColumn names = MixedNames(100'000);
  const Mask mp3("*.mp3");
  for (auto _ : state) {
    std::size_t hits = 0;
    for (std::size_t i = 0; i < names.Size(); ++i) hits += mp3.Matches(names[i]);
    benchmark::DoNotOptimize(hits);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.Size()));
}
BENCHMARK(BM_MaskTest);

void BM_SortNames(benchmark::State& state) {
  const NameColumn names = MixedNames(static_cast<std::size_t>(state.range(0)));
  const Collator collator("ru_RU");
  for (auto _ : state) {
    NameColumn copy = names;
    SortNames(copy, collator);
    benchmark::DoNotOptimize(copy);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.Size()));
}
BENCHMARK(BM_SortNames)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// How long a sorted scan of a large tree (BRIXEL_BENCH_TREE, or /tmp/tree-large) takes to return
// once a stop is asked for, at a random moment of the walk or of the keys, sort and merge after
// it. The time per iteration is that delay; the longest of them is the counter max_ms.
void BM_SortedScanStop(benchmark::State& state) {
  const char* env = std::getenv("BRIXEL_BENCH_TREE");
  const std::string tree = env != nullptr ? env : "/tmp/tree-large";
  if (!std::filesystem::is_directory(tree)) {
    state.SkipWithError(("no tree at " + tree + " (build/brixel-gentree large " + tree + ")").c_str());
    return;
  }
  struct Discard : ListTarget {
    void Append(std::string_view) override {}
  };
  std::mt19937 rng(5);
  double longest = 0;
  for (auto _ : state) {
    std::stop_source stop;
    Discard target;
    std::jthread scan([&] {
      Scan({tree, "*.mp3; *.wav", true, ScanOrder::Sorted}, target, {stop.get_token()});
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(rng() % 1500));
    const auto asked = std::chrono::steady_clock::now();
    stop.request_stop();
    scan.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    state.SetIterationTime(seconds);
    longest = std::max(longest, seconds * 1000);
  }
  state.counters["max_ms"] = longest;
}
BENCHMARK(BM_SortedScanStop)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brixel::bench
