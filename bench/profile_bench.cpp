// The INI engine on a million-line file: every call reads and rewrites the whole file, so
// one change costs a pass over it, and that pass must stay linear.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"

namespace {

std::string g_dir;

std::string MakeIni(int64_t lines) {
  const std::string file = g_dir + "/big" + std::to_string(lines) + ".ini";
  std::string text = "[S]\r\n";
  for (int64_t i = 0; i < lines; ++i) text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  platform::WriteFileAtomic(file, text);
  return file;
}

void BM_ProfileWriteKey(benchmark::State& state) {
  const std::string file = MakeIni(state.range(0));
  int64_t n = 0;
  for (auto _ : state) platform::WriteProfileString(file, "S", "added", std::to_string(++n));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProfileWriteKey)->Arg(250'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ProfileReadLastKey(benchmark::State& state) {
  const std::string file = MakeIni(state.range(0));
  const std::string last = "key" + std::to_string(state.range(0) - 1);
  for (auto _ : state) benchmark::DoNotOptimize(platform::ReadProfileString(file, "S", last));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProfileReadLastKey)
    ->Arg(250'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_ProfileEraseSection(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const std::string file = MakeIni(state.range(0));
    state.ResumeTiming();
    platform::EraseProfileSection(file, "S");
  }
}
BENCHMARK(BM_ProfileEraseSection)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/profile-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  g_dir = pattern;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_dir);
  return 0;
}
