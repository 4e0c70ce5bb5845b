// Timings of the event machinery at list scale: an enumerator walking a million lines
// into a string element, a counted loop, and one event fanned out through a hub.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "elements/arrays/array_enum.h"
#include "elements/arrays/for.h"
#include "elements/strings/trim.h"
#include "elements/strlist/str_list.h"
#include "runtime/hub.h"

namespace {

// The generator's domain lines, CR LF separated; a fixed pattern when awk is missing.
std::string Domains(int64_t n) {
  std::string text;
  const std::string command =
      "awk -v N=" + std::to_string(n) + " -f " VELTRANE_DATA_DIR "/gen_synth_domains.awk 2>/dev/null";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    for (int c; (c = fgetc(pipe)) != EOF;) c == '\n' ? text += "\r\n" : text += char(c);
    pclose(pipe);
  }
  if (text.empty()) {
    for (int64_t i = 0; i < n; ++i) text += "ads" + std::to_string(i * 7919 % 1000003) + ".example.com\r\n";
  }
  return text;
}

struct Sink {
  int64_t count = 0;
  size_t bytes = 0;
  void doIt(TData& value, uint16_t) {
    ++count;
    bytes += value.text.size();
  }
};

void BM_ArrayEnumIntoTrim(benchmark::State& state) {
  TKXStrList list;
  list.SetStrings(Domains(state.range(0)));
  TKXArrayEnum walk;
  TKXTrim trim;
  Sink sink;
  walk.dataArray = MakeLink<&TKXStrList::varArray>(list);
  walk.onItem = MakeLink<&TKXTrim::doTrim>(trim);
  trim.onTrim = MakeLink<&Sink::doIt>(sink);
  for (auto _ : state) FireEvent(MakeLink<&TKXArrayEnum::doEnum>(walk));
  benchmark::DoNotOptimize(sink.bytes);
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(sink.count);
}
BENCHMARK(BM_ArrayEnumIntoTrim)
    ->Arg(250'000)
    ->Arg(500'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_ForLoop(benchmark::State& state) {
  TKXFor loop;
  Sink sink;
  loop.End = static_cast<int32_t>(state.range(0));
  loop.onEvent = MakeLink<&Sink::doIt>(sink);
  for (auto _ : state) FireEvent(MakeLink<&TKXFor::doFor>(loop));
  state.SetItemsProcessed(sink.count);
}
BENCHMARK(BM_ForLoop)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_HubFanOut(benchmark::State& state) {
  TKXHub hub;
  const auto outputs = static_cast<uint16_t>(state.range(0));
  hub.SetCount(outputs);
  Sink sink;
  for (auto& link : hub.onEvent) link = MakeLink<&Sink::doIt>(sink);
  const TEventLink in = MakeLink<&TKXHub::doEvent>(hub);
  for (auto _ : state) FireEvent(in, "ads.example.com");
  state.SetItemsProcessed(sink.count);
}
BENCHMARK(BM_HubFanOut)->Arg(1)->Arg(4)->Arg(16)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
