// Lower-casing a million records as the record normalisation does it: plain ASCII names (the
// common case, which must stay as cheap as a byte loop), names in Windows-1251 and names in
// UTF-8 (Cyrillic, accented Latin).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "lists/list_files.h"

namespace {

constexpr int kRecords = 1'000'000;

const std::vector<std::string>& AsciiRecords() {
  static const std::vector<std::string> records = bench::Lines(bench::GenerateDomains(kRecords));
  return records;
}

// The same names with one label spelt in another script: "ПРИМЕР"-like capitals in front.
std::vector<std::string> WithPrefix(const std::string& prefix) {
  std::vector<std::string> records = AsciiRecords();
  for (std::string& r : records) r.insert(0, prefix);
  return records;
}

void Run(benchmark::State& state, const std::vector<std::string>& records) {
  size_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& r : records) {
      std::string lower = NormaliseRecord(r);
      bytes += lower.size();
      benchmark::DoNotOptimize(lower);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(records.size()));
  benchmark::DoNotOptimize(bytes);
}

void BM_LowerCaseAsciiRecords(benchmark::State& state) { Run(state, AsciiRecords()); }
void BM_LowerCaseWindows1251Records(benchmark::State& state) {
  static const std::vector<std::string> records = WithPrefix("\xCF\xD0\xC8\xCC\xC5\xD0-");
  Run(state, records);
}
void BM_LowerCaseUtf8CyrillicRecords(benchmark::State& state) {
  static const std::vector<std::string> records = WithPrefix("\xD0\x9F\xD0\xA0\xD0\x98\xD0\x9C\xD0\x95\xD0\xA0-");
  Run(state, records);
}
void BM_LowerCaseUtf8LatinRecords(benchmark::State& state) {
  static const std::vector<std::string> records = WithPrefix("CAF\xC3\x89-");
  Run(state, records);
}

BENCHMARK(BM_LowerCaseAsciiRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LowerCaseWindows1251Records)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LowerCaseUtf8CyrillicRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LowerCaseUtf8LatinRecords)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
