// Timings of the string list over realistic ban lists: load, sort and save of up to a
// million domain lines, the two sort strategies, and the system's `sort -f` for scale.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "bench/scratch_main.h"
#include "elements/strlist/records.h"
#include "elements/strlist/str_list.h"

namespace {

std::string g_dir;

// The generator's lines with CR LF breaks, as the program's list files have them.
std::string GenerateDomains(int n) {
  const std::string lf = bench::GenerateDomains(n);
  std::string crlf;
  crlf.reserve(lf.size() + lf.size() / 8);
  for (char c : lf) c == '\n' ? crlf += "\r\n" : crlf += c;
  return crlf;
}

std::string DataFile(int64_t n) { return g_dir + "/domains_" + std::to_string(n) + ".txt"; }

void WriteDataFiles() {
  const std::string all = GenerateDomains(1'000'000);
  for (int64_t n : {250'000, 500'000, 1'000'000}) {
    // The generator is sequential, so the first n lines are its output for N = n.
    size_t end = 0;
    for (int64_t k = 0; k < n && end < all.size(); ++k) end = all.find("\r\n", end) + 2;
    std::ofstream(DataFile(n), std::ios::binary) << all.substr(0, end);
  }
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(250'000)->Arg(500'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity();
}

void BM_StrListLoad(benchmark::State& state) {
  TKXStrList list;
  const std::string file = DataFile(state.range(0));
  for (auto _ : state) {
    FireEvent(MakeLink<&TKXStrList::doLoad>(list), file);
    benchmark::DoNotOptimize(list.Lines().size());
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StrListLoad)->Apply(Sizes);

void BM_StrListSort(benchmark::State& state) {
  TKXStrList list;
  const std::string file = DataFile(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    FireEvent(MakeLink<&TKXStrList::doLoad>(list), file);
    state.ResumeTiming();
    FireEvent(MakeLink<&TKXStrList::doSort>(list));
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StrListSort)->Apply(Sizes)->Complexity(benchmark::oNLogN);

void BM_StrListSave(benchmark::State& state) {
  TKXStrList list;
  FireEvent(MakeLink<&TKXStrList::doLoad>(list), DataFile(state.range(0)));
  const std::string out = g_dir + "/saved.txt";
  for (auto _ : state) FireEvent(MakeLink<&TKXStrList::doSave>(list), out);
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StrListSave)->Apply(Sizes);

// What `sort -f` does end to end: read, sort, write.
void BM_StrListLoadSortSave(benchmark::State& state) {
  const std::string in = DataFile(state.range(0));
  const std::string out = g_dir + "/sorted.txt";
  for (auto _ : state) {
    TKXStrList list;
    FireEvent(MakeLink<&TKXStrList::doLoad>(list), in);
    FireEvent(MakeLink<&TKXStrList::doSort>(list));
    FireEvent(MakeLink<&TKXStrList::doSave>(list), out);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StrListLoadSortSave)->Apply(Sizes);

void BM_SystemSortF(benchmark::State& state) {
  const std::string command = "LC_ALL=C sort -f " + DataFile(state.range(0)) + " > " + g_dir + "/sort_f.txt";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SystemSortF)->Apply(Sizes)->UseRealTime();

void BM_SystemSortFOneThread(benchmark::State& state) {
  const std::string command =
      "LC_ALL=C sort -f --parallel=1 " + DataFile(state.range(0)) + " > " + g_dir + "/sort_f.txt";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SystemSortFOneThread)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two strategies for the case-folded sort, on the same lines.
std::vector<std::string> LoadLines(int64_t n) {
  TKXStrList list;
  FireEvent(MakeLink<&TKXStrList::doLoad>(list), DataFile(n));
  return list.Lines().Strings();
}

void BM_SortPrefixKeys(benchmark::State& state) {
  const auto lines = LoadLines(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto work = lines;
    state.ResumeTiming();
    SortFolded(work);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SortPrefixKeys)->Apply(Sizes)->Complexity(benchmark::oNLogN);

// The records of a store that keeps them in one buffer, ordered by number: the views are
// made once, outside the timing, as the store hands them out.
void BM_FoldedOrderOfOneBuffer(benchmark::State& state) {
  const auto lines = LoadLines(state.range(0));
  std::string buffer;
  for (const auto& line : lines) buffer += line;
  std::vector<std::string_view> views;
  views.reserve(lines.size());
  for (size_t at = 0; const auto& line : lines) views.emplace_back(buffer.data() + at, line.size()), at += line.size();
  for (auto _ : state) benchmark::DoNotOptimize(FoldedOrder(views).data());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FoldedOrderOfOneBuffer)->Apply(Sizes)->Complexity(benchmark::oNLogN);

void BM_SortFoldingComparator(benchmark::State& state) {
  const auto lines = LoadLines(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto work = lines;
    state.ResumeTiming();
    std::sort(work.begin(), work.end(), [](const std::string& a, const std::string& b) { return FoldedLess(a, b); });
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SortFoldingComparator)->Apply(Sizes)->Complexity(benchmark::oNLogN);

void BM_SortFoldedKeyCopies(benchmark::State& state) {
  const auto lines = LoadLines(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto work = lines;
    state.ResumeTiming();
    std::vector<std::pair<std::string, uint32_t>> keyed;
    keyed.reserve(work.size());
    for (uint32_t i = 0; i < work.size(); ++i) keyed.emplace_back(FoldedCopy(work[i]), i);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(work.size());
    for (const auto& k : keyed) sorted.push_back(std::move(work[k.second]));
    benchmark::DoNotOptimize(sorted.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SortFoldedKeyCopies)->Apply(Sizes)->Complexity(benchmark::oNLogN);

}  // namespace

int main(int argc, char** argv) { return bench::RunOnDataMadeOnce(argc, argv, "strlist-bench", g_dir, WriteDataFiles); }
