// Published block lists at a million lines, through the program as a user and a timer run
// it: a hosts file and a filter list through `--import` into empty lists and into lists
// already holding a million records, and through "Web List (Load)" on the in-memory window
// system; beside `LC_ALL=C sort -u` on the same lines, in the same run. Every benchmark
// reports the process's peak resident size: run one at a time (--benchmark_filter) for the
// peak of that operation alone.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/import_mode.h"
#include "app/main_program.h"
#include "bench/bench_data.h"
#include "bench/scratch_main.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "widgets/headless/console_backend.h"
#include "widgets/headless/headless_backend.h"

namespace {

constexpr int kLines = 1'000'000;
std::string g_dir;  // the scratch folder: the data files, and each benchmark's program folder

std::string Data(const std::string& name) { return g_dir + "/data/" + name; }

const char* const kCategoryFiles[] = {"Advertisement", "Misc", "Porno", "Unsorted", "Viruses (and similar)"};

// The web lists: a million of the generator's names (its repeats and case variants among
// them) as a hosts file and as a filter list, each with a header as published; and a
// million distinct records for the lists, which hold the first half of the web lists' names.
void MakeData() {
  std::filesystem::create_directories(g_dir + "/data");
  const std::vector<std::string> raw = bench::Lines(bench::GenerateDomains(kLines + kLines / 2));
  std::string hosts = "# Title: a hosts file\n# Homepage: https://example.org\n127.0.0.1 localhost\n::1 localhost\n\n";
  std::string filters = "[Adblock Plus 2.0]\n! Title: a filter list\n! Expires: 4 days\n";
  for (size_t i = kLines / 2; i < raw.size(); ++i) {
    hosts += "0.0.0.0 " + raw[i] + "\n";
    filters += "||" + raw[i] + "^\n";
  }
  platform::WriteFileAtomic(Data("hosts"), hosts);
  platform::WriteFileAtomic(Data("filters.txt"), filters);
  const std::vector<std::string> known = bench::DistinctRecords(kLines);
  const size_t share = known.size() / 5;
  for (size_t i = 0; i < 5; ++i)
    platform::WriteFileAtomic(Data(std::string(kCategoryFiles[i]) + ".txt"),
                              JoinLines(std::vector<std::string>(known.begin() + std::ptrdiff_t(i * share),
                                                                 known.begin() + std::ptrdiff_t((i + 1) * share))));
}

void FillLists(const std::string& dir) {
  for (const char* name : kCategoryFiles)
    std::filesystem::copy_file(Data(std::string(name) + ".txt"), dir + "Lists/" + name + ".txt",
                               std::filesystem::copy_options::overwrite_existing);
}

void EmptyLists(const std::string& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir + "Lists")) std::filesystem::remove(entry.path());
}

std::string Folder(const std::string& name) {
  const std::string dir = g_dir + "/" + name + "/";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "Lists");
  platform::SetProgramDir(dir);
  return dir;
}

void Report(benchmark::State& state, double shown) {
  state.counters["peak_MiB"] = bench::PeakMiB();
  state.counters["shown"] = shown;
}

// `veltrane --import FILE --into Advertisement`, its line of output kept from the report.
void Import(benchmark::State& state, const char* file, bool full) {
  const std::string dir = Folder(std::string("import-") + file + (full ? "-full" : ""));
  widgets::ConsoleBackend console;
  widgets::SetCurrentBackend(&console);
  std::ostringstream printed;
  for (auto _ : state) {
    state.PauseTiming();
    EmptyLists(dir);
    if (full) FillLists(dir);
    printed.str("");
    std::streambuf* out = std::cout.rdbuf(printed.rdbuf());
    state.ResumeTiming();
    const int code = RunImportMode(Data(file), "Advertisement");
    state.PauseTiming();
    std::cout.rdbuf(out);
    if (code != 0) state.SkipWithError("the import failed");
    state.ResumeTiming();
  }
  widgets::SetCurrentBackend(nullptr);
  state.SetLabel(printed.str().substr(0, printed.str().size() - 1));
  Report(state, double(platform::ReadFile(dir + "Lists/Advertisement.txt").value_or("").size()));
}

void BM_ImportHostsIntoEmptyLists(benchmark::State& state) { Import(state, "hosts", false); }
void BM_ImportHostsIntoFullLists(benchmark::State& state) { Import(state, "hosts", true); }
void BM_ImportFilterListIntoEmptyLists(benchmark::State& state) { Import(state, "filters.txt", false); }
void BM_ImportFilterListIntoFullLists(benchmark::State& state) { Import(state, "filters.txt", true); }

// "Web List (Load)" as the user runs it, the lists holding a million records or none.
void WebListLoad(benchmark::State& state, const char* file, bool full) {
  const std::string dir = Folder(std::string("load-") + file + (full ? "-full" : ""));
  if (full) FillLists(dir);
  widgets::HeadlessBackend ui;
  widgets::SetCurrentBackend(&ui);
  {
    TMainProgram program;
    program.Start();
    const std::string source = "Web List (Load)";
    ui.ChooseText(ui.FindComboWithItem(source), source);
    for (auto _ : state) {
      ui.QueueOpenAnswer(Data(file));
      ui.Click(ui.FindSeen("Load from:"));
    }
    Report(state, double(ui.Find(ui.NthSeen(widgets::ControlKind::ListBox, 0))->items.size()));
  }
  widgets::SetCurrentBackend(nullptr);
}

void BM_WebListLoadHosts(benchmark::State& state) { WebListLoad(state, "hosts", false); }
void BM_WebListLoadHostsBesideFullLists(benchmark::State& state) { WebListLoad(state, "hosts", true); }
void BM_WebListLoadFilterListBesideFullLists(benchmark::State& state) { WebListLoad(state, "filters.txt", true); }

void SortUnique(benchmark::State& state, const char* file) {
  const std::string command = "LC_ALL=C sort -u " + Data(file) + " > " + g_dir + "/sort_u.txt";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  }
  Report(state, 0);
}

void BM_SystemSortUniqueHosts(benchmark::State& state) { SortUnique(state, "hosts"); }
void BM_SystemSortUniqueFilterList(benchmark::State& state) { SortUnique(state, "filters.txt"); }

#define VELTRANE_WEB_BENCH(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()
VELTRANE_WEB_BENCH(BM_SystemSortUniqueHosts);
VELTRANE_WEB_BENCH(BM_SystemSortUniqueFilterList);
VELTRANE_WEB_BENCH(BM_ImportHostsIntoEmptyLists);
VELTRANE_WEB_BENCH(BM_ImportHostsIntoFullLists);
VELTRANE_WEB_BENCH(BM_ImportFilterListIntoEmptyLists);
VELTRANE_WEB_BENCH(BM_ImportFilterListIntoFullLists);
VELTRANE_WEB_BENCH(BM_WebListLoadHosts);
VELTRANE_WEB_BENCH(BM_WebListLoadHostsBesideFullLists);
VELTRANE_WEB_BENCH(BM_WebListLoadFilterListBesideFullLists);

}  // namespace

int main(int argc, char** argv) { return bench::RunOnDataMadeOnce(argc, argv, "web-list-bench", g_dir, MakeData); }
