// The main of a benchmark that works on data made once, in a scratch folder of its own.
#pragma once

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bench/bench_data.h"
#include "runtime/platform/heap.h"

namespace bench {

// Makes the folder /tmp/NAME-XXXXXX (its path in `dir`), fills it by `make` in a child
// process, so that neither the time nor the memory of making the data counts, runs the
// registered benchmarks with the peak reset, and removes the folder.
template <typename Make>
int RunOnDataMadeOnce(int argc, char** argv, const std::string& name, std::string& dir, Make make) {
  platform::KeepFreedMemory();  // as the programs do
  std::string pattern = "/tmp/" + name + "-XXXXXX";
  if (!mkdtemp(pattern.data())) return 1;
  dir = pattern;
  if (!InChildProcess(make)) return 1;
  ResetPeak();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(dir);
  return 0;
}

}  // namespace bench
