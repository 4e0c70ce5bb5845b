// The URL lists at a million records, driven through the whole program as a user drives it
// (the in-memory window system stands in for the window), beside `LC_ALL=C sort -u` on the
// same records in the same run. Every benchmark reports the process's peak resident size;
// run one at a time (--benchmark_filter) for the peak of that operation alone.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_program.h"
#include "bench/bench_data.h"
#include "bench/scratch_main.h"
#include "lists/startup_correction.h"
#include "runtime/global_var.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "widgets/headless/headless_backend.h"

namespace {

constexpr int kRecords = 1'000'000;
std::string g_dir;  // the scratch folder: the data files, and each benchmark's program folder

std::string Data(const std::string& name) { return g_dir + "/data/" + name; }

const char* const kCategoryFiles[] = {"Advertisement", "Misc", "Porno", "Unsorted", "Viruses (and similar)"};
const char* const kStartupFiles[] = {"User_BadList", "User_NO_BadList",       "Misc",         "Porno",
                                     "Unsorted",     "Viruses (and similar)", "Advertisement"};

void Save(const std::string& path, std::vector<std::string>::const_iterator from,
          std::vector<std::string>::const_iterator to) {
  platform::WriteFileAtomic(path, JoinLines(std::vector<std::string>(from, to)));
}

// Every file the benchmarks start from, made once: a million distinct records split into
// the five categories, the same as one ban list file, a million more half of them known,
// and the generator's raw million (doubles and case variants) split into the seven lists.
void MakeData() {
  std::filesystem::create_directories(g_dir + "/data");
  const std::vector<std::string> distinct = bench::DistinctRecords(2 * kRecords);
  const auto at = [&](size_t i) { return distinct.begin() + std::ptrdiff_t(i); };
  const size_t share = kRecords / 5;
  std::vector<std::string> ban_list = {"==================================",
                                       "Created with Veltrane v2.0",
                                       "==================================",
                                       "",
                                       "List Prepared by: bench",
                                       "",
                                       "Number of URL records: 1000000",
                                       "Date: 05.12.2026",
                                       "",
                                       "",
                                       "",
                                       "",
                                       ""};
  const char* const tags[] = {"[Advertisement]", "[Misc]", "[Porno]", "[Unsorted]", "[Viruses (and similar)]"};
  for (size_t i = 0; i < 5; ++i) {
    Save(Data(std::string(kCategoryFiles[i]) + ".txt"), at(i * share), at((i + 1) * share));
    ban_list.push_back(tags[i]);
    ban_list.insert(ban_list.end(), at(i * share), at((i + 1) * share));
  }
  Save(Data("banlist.txt"), ban_list.begin(), ban_list.end());
  Save(Data("million.txt"), at(0), at(kRecords));
  Save(Data("download.txt"), at(kRecords / 2), at(kRecords / 2 + kRecords));
  std::string lf;
  for (auto it = at(0); it != at(kRecords); ++it) lf += *it + "\n";
  platform::WriteFileAtomic(Data("million_lf.txt"), lf);
  const std::vector<std::string> raw = bench::Lines(bench::GenerateDomains(kRecords));
  const size_t part = raw.size() / 7 + 1;
  for (size_t i = 0; i < 7; ++i) {
    const size_t from = std::min(raw.size(), i * part), to = std::min(raw.size(), from + part);
    Save(Data(std::string("raw_") + kStartupFiles[i] + ".txt"), raw.begin() + std::ptrdiff_t(from),
         raw.begin() + std::ptrdiff_t(to));
  }
}

void Copy(const std::string& data, const std::string& to) {
  std::filesystem::copy_file(Data(data), to, std::filesystem::copy_options::overwrite_existing);
}

void FillCategories(const std::string& dir) {
  for (const char* name : kCategoryFiles) Copy(std::string(name) + ".txt", dir + "Lists/" + name + ".txt");
}

// The program in its own folder on the in-memory window system, with the user's hands.
class Session {
 public:
  explicit Session(const std::string& name, const std::string& ini = "") : dir_(g_dir + "/" + name + "/") {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ + "Lists");
    if (!ini.empty()) platform::WriteFileAtomic(dir_ + "Veltra.ini", ini);
    platform::SetProgramDir(dir_);
    widgets::SetCurrentBackend(&ui_);
  }
  ~Session() {
    program_.reset();
    widgets::SetCurrentBackend(nullptr);
    std::filesystem::remove_all(dir_);
  }
  void Start() {
    program_ = std::make_unique<TMainProgram>();
    program_->Start();
  }
  void Click(const std::string& caption) { ui_.Click(ui_.FindSeen(caption)); }
  void Pick(const std::string& item) { ui_.ChooseText(ui_.FindComboWithItem(item), item); }
  void Tab(const std::string& caption) {
    ui_.ChooseText(ui_.FindSeenWithItem(widgets::ControlKind::TabStrip, caption), caption);
  }
  size_t SourceItems() const { return ui_.Find(ui_.NthSeen(widgets::ControlKind::ListBox, 0))->items.size(); }

  const std::string dir_;
  widgets::HeadlessBackend ui_;
  std::unique_ptr<TMainProgram> program_;
};

// Each benchmark measures its own peak from the size the process had when it began; run
// one benchmark per process (--benchmark_filter) so that none inherits another's heap.
void Report(benchmark::State& state, size_t shown) {
  state.counters["peak_MiB"] = bench::PeakMiB();
  state.counters["shown"] = double(shown);
}

void BM_LoadBanListIntoEmptyLists(benchmark::State& state) {
  Session s("load");
  s.Start();
  for (auto _ : state) {
    state.PauseTiming();
    for (const char* name : kCategoryFiles) platform::RemoveFile(s.dir_ + "Lists/" + name + ".txt");
    s.ui_.QueueOpenAnswer(Data("banlist.txt"));
    state.ResumeTiming();
    s.Click("Load from:");
  }
  Report(state, s.SourceItems());
}

void BM_LoadBanListAgain(benchmark::State& state) {
  Session s("again");
  s.Start();
  s.ui_.QueueOpenAnswer(Data("banlist.txt"));
  s.Click("Load from:");
  for (auto _ : state) {
    s.ui_.QueueOpenAnswer(Data("banlist.txt"));
    s.Click("Load from:");
  }
  Report(state, s.SourceItems());
}

// The correction rewrites the lists lower-cased and sorted; every pass starts from the
// files as they were, a million records with the generator's doubles and case variants.
void BM_StartupCorrectionAndDoubles(benchmark::State& state) {
  Session s("correction", "[VELTR_Setting]\r\nlow=1\r\ndouble=1\r\n");
  auto restore = [&] {
    for (const char* name : kStartupFiles) Copy(std::string("raw_") + name + ".txt", s.dir_ + "Lists/" + name + ".txt");
  };
  TKXGlobalVar dir, low, doubles;
  dir.SetName("VELTR_dir"), low.SetName("low"), doubles.SetName("double");
  dir.SetValue(MakeText(s.dir_)), low.SetValue(MakeInteger(1)), doubles.SetValue(MakeInteger(1));
  TKXMultiElement correction;
  correction.SetScheme<StartupCorrection>();
  for (auto _ : state) {
    state.PauseTiming();
    restore();
    state.ResumeTiming();
    TData none;
    correction.doWork(none, 0);
  }
  Report(state, platform::ReadFile(s.dir_ + "DoubleRecords.txt").value_or("").size());
}

void BM_GenerateBanList(benchmark::State& state) {
  Session s("generate",
            "[BanList]\r\ngen_advert=1\r\ngen_misc=1\r\ngen_porno=1\r\ngen_unsorted=1\r\ngen_virus=1\r\nfile=" + g_dir +
                "/generate/written.txt\r\n");
  FillCategories(s.dir_);
  s.Start();
  s.Tab("Export URL");
  for (auto _ : state) s.Click("Generate BanList");
  Report(state, platform::ReadFile(s.dir_ + "written.txt").value_or("").size());
}

// A downloaded list of a million records, half of them already known.
void BM_TextFileAgainstKnownRecords(benchmark::State& state) {
  Session s("text");
  FillCategories(s.dir_);
  Copy("download.txt", s.dir_ + "download.txt");
  s.Start();
  s.Pick("Text File (Load)");
  for (auto _ : state) {
    s.ui_.QueueOpenAnswer(s.dir_ + "download.txt");
    s.Click("Load from:");
  }
  Report(state, s.SourceItems());
}

void BM_MoveWithAMillionInUnsorted(benchmark::State& state) {
  Session s("move");
  Copy("million.txt", s.dir_ + "Lists/Unsorted.txt");
  s.Start();
  s.Pick("Unsorted (Edit Lists)");
  s.Click("Load from:");
  s.Pick("Porno");
  const widgets::ControlId source = s.ui_.NthSeen(widgets::ControlKind::ListBox, 0);
  for (auto _ : state) {
    s.ui_.Choose(source, 0);
    s.Click(">>>");
  }
  Report(state, s.SourceItems());
}

void BM_SystemSortUnique(benchmark::State& state) {
  const std::string command = "LC_ALL=C sort -u " + Data("million_lf.txt") + " > " + g_dir + "/sort_u.txt";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  }
  Report(state, 0);
}

#define VELTRANE_LIST_BENCH(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()
VELTRANE_LIST_BENCH(BM_SystemSortUnique);
VELTRANE_LIST_BENCH(BM_LoadBanListIntoEmptyLists);
VELTRANE_LIST_BENCH(BM_LoadBanListAgain);
VELTRANE_LIST_BENCH(BM_StartupCorrectionAndDoubles);
VELTRANE_LIST_BENCH(BM_GenerateBanList);
VELTRANE_LIST_BENCH(BM_TextFileAgainstKnownRecords);
VELTRANE_LIST_BENCH(BM_MoveWithAMillionInUnsorted);

}  // namespace

int main(int argc, char** argv) { return bench::RunOnDataMadeOnce(argc, argv, "lists-bench", g_dir, MakeData); }
