// Micro-benchmarks of the listing spine: the mask test, order keys and the sort.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/name_mix.h"
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
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * names.Size()));
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
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * names.Size()));
}
BENCHMARK(BM_SortNames)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brixel::bench
