// The file-search mask test on masks that make naive backtracking explode: many stars
// against a long name that almost matches. The time must grow with the name, not explode.
#include <benchmark/benchmark.h>

#include <string>

#include "elements/files/mask_match.h"

namespace {

std::string ManyStars(int count) {
  std::string mask;
  for (int i = 0; i < count; ++i) mask += "*a";
  return mask + "b";
}

void BM_MaskManyStarsNoMatch(benchmark::State& state) {
  const std::string name(static_cast<size_t>(state.range(0)), 'a');
  const std::string mask = ManyStars(100);
  for (auto _ : state) benchmark::DoNotOptimize(MaskMatches(name, mask));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MaskManyStarsNoMatch)->RangeMultiplier(4)->Range(1 << 10, 1 << 14)->Complexity();

void BM_MaskWildcardsNoMatch(benchmark::State& state) {
  const std::string name(static_cast<size_t>(state.range(0)), 'a');
  for (auto _ : state) {
    benchmark::DoNotOptimize(MaskMatches(name, "*a*a*a*a*b"));
    benchmark::DoNotOptimize(MaskMatches(name, "*?*?*?*?*#"));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MaskWildcardsNoMatch)->RangeMultiplier(4)->Range(1 << 10, 1 << 14)->Complexity();

}  // namespace

BENCHMARK_MAIN();
