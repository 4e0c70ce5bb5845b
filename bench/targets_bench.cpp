// The targets at the scale of real ban lists, each beside `LC_ALL=C sort -u` on the same
// input in the same run: a direct export of a million records into a hosts file that maps
// 100,000 names, and into a "winroute.cfg" whose group list holds 100,000 entries; an
// import of a configuration of a million entries against a million known records.
//
// The peak memory of one case is the process's: run one case at a time, for example
//   build/targets_bench --benchmark_filter=KwfImport
// and read the "peak RSS" line printed at the end (ru_maxrss).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "elements/strlist/str_list.h"
#include "lists/list_files.h"
#include "runtime/global_registry.h"
#include "runtime/platform/files.h"
#include "runtime/platform/heap.h"
#include "runtime/scheme.h"
#include "targets/hosts/hosts_exporter.h"
#include "targets/kwf/kwf_exporter.h"
#include "targets/kwf/kwf_importer.h"
#include "widgets/headless/headless_backend.h"

namespace {

const char* kGenerator = VELTRANE_DATA_DIR "/gen_synth_domains.awk";
std::string g_dir;

std::string Path(const char* name) { return g_dir + "/" + name; }

// The generator's first `n` domains, lower-cased and trimmed as the page hands records over.
std::vector<std::string> Domains(int64_t n) {
  std::vector<std::string> domains;
  domains.reserve(size_t(n));
  const std::string command = "awk -v N=" + std::to_string(n) + " -f " + kGenerator + " 2>/dev/null";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char line[512];
    while (fgets(line, sizeof line, pipe)) domains.push_back(NormaliseRecord(line));
    pclose(pipe);
  }
  // No awk here: domains of a plain pattern.
  for (int64_t i = int64_t(domains.size()); i < n; ++i)
    domains.push_back("ads" + std::to_string(i * 7919 % 1000003) + ".example" + std::to_string(i % 97) + ".com");
  return domains;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines, const std::string& before,
                const std::string& after, const char* eol) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& line : lines) out << before << line << after << eol;
}

// The data files, made in a child process so that the generator's memory is not the benchmark's.
void WriteDataFiles() {
  const pid_t child = fork();
  if (child != 0) {
    int status = 0;
    waitpid(child, &status, 0);
    return;
  }
  std::vector<std::string> domains = Domains(1'500'000);
  const std::vector<std::string> records(domains.begin(), domains.begin() + 1'000'000);
  const std::vector<std::string> mapped(domains.begin(), domains.begin() + 100'000);
  WriteLines(Path("records.txt"), records, "", "", "\r\n");
  // A hosts file of a Debian system, LF line breaks, mapping 100,000 of the records.
  {
    std::ofstream hosts(Path("hosts.orig"), std::ios::binary);
    hosts << "127.0.0.1\tlocalhost\n127.0.1.1\tdebian\n\n# The following lines are desirable for IPv6 capable hosts\n"
             "::1     localhost ip6-localhost ip6-loopback\n";
    for (const auto& d : mapped) hosts << "0.0.0.0 " << d << "\n";
  }
  // A winroute.cfg whose group list holds 100,000 entries.
  {
    std::ofstream cfg(Path("winroute.orig"), std::ios::binary);
    cfg << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<config>\r\n  <list name=\"UrlGroups\">\r\n";
    for (const auto& d : mapped)
      cfg << "    <listitem>\r\n      <variable name=\"Enabled\">1</variable>\r\n      <variable "
             "name=\"Description\">old</variable>\r\n      <variable name=\"Name\">Ads/banners</variable>\r\n"
             "      <variable name=\"Url\">*"
          << d << "*</variable>\r\n    </listitem>\r\n";
    cfg << "  </list>\r\n</config>\r\n";
  }
  // A configuration of a million entries to import; the known records overlap about half of them.
  {
    std::ofstream cfg(Path("import.cfg"), std::ios::binary);
    cfg << "<config>\r\n  <list name=\"UrlGroups\">\r\n";
    for (const auto& d : records)
      cfg << "    <listitem>\r\n      <variable name=\"Enabled\">1</variable>\r\n      <variable "
             "name=\"Description\">old</variable>\r\n      <variable name=\"Name\">Ads/banners</variable>\r\n"
             "      <variable name=\"Url\">*"
          << d << "*</variable>\r\n    </listitem>\r\n";
    cfg << "  </list>\r\n</config>\r\n";
  }
  WriteLines(Path("known.txt"), std::vector<std::string>(domains.begin() + 500'000, domains.end()), "", "", "\r\n");
  _exit(0);
}

void Set(std::string name, const std::string& value) {
  for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
  RegisterGlobal(name) = MakeText(value);
}

void SortU(benchmark::State& state, const std::string& inputs) {
  const std::string command = "LC_ALL=C sort -u " + inputs + " > " + Path("sorted.txt");
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  }
}

template <class Exporter>
void DirectExport(benchmark::State& state, const char* original, const char* target) {
  widgets::HeadlessBackend ui;
  widgets::SetCurrentBackend(&ui);
  TKXChildPanel exporter(nullptr);
  exporter.SetScheme<Exporter>();
  const RecordList records = LoadRecords(Path("records.txt"));
  for (auto _ : state) {
    state.PauseTiming();
    platform::CopyFileOver(Path(original), Path(target));
    state.ResumeTiming();
    TData none;
    exporter.doWork(none, 0);
    for (const auto& record : records) {
      TData value = MakeText(std::string(record));
      exporter.doWork(value, 1);
    }
    exporter.doWork(none, 2);
  }
  if (!ui.ShownDialogs().empty()) state.SkipWithError(ui.ShownDialogs()[0].text.c_str());
  widgets::SetCurrentBackend(nullptr);
  state.SetItemsProcessed(state.iterations() * int64_t(records.size()));
}

void BM_HostsDirectExport(benchmark::State& state) {
  Set("hosts", Path("hosts"));
  Set("hosts_program", "1");
  Set("ip", "0.0.0.0");
  DirectExport<HostsExporter>(state, "hosts.orig", "hosts");
}
BENCHMARK(BM_HostsDirectExport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_HostsSortU(benchmark::State& state) { SortU(state, Path("records.txt") + " " + Path("hosts.orig")); }
BENCHMARK(BM_HostsSortU)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_KwfDirectExport(benchmark::State& state) {
  Set("winroute_cfg", Path("winroute.cfg"));
  Set("kwf_program", "1");
  Set("begin_kwfall", "*");
  Set("end_kwfall", "*");
  Set("group_name", "Ads/banners");
  DirectExport<KwfExporter>(state, "winroute.orig", "winroute.cfg");
}
BENCHMARK(BM_KwfDirectExport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_KwfSortU(benchmark::State& state) { SortU(state, Path("records.txt") + " " + Path("winroute.orig")); }
BENCHMARK(BM_KwfSortU)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

struct Count {
  int64_t n = 0;
  void doAddress(TData&, uint16_t) { ++n; }
};

void BM_KwfImport(benchmark::State& state) {
  widgets::HeadlessBackend ui;
  widgets::SetCurrentBackend(&ui);
  TKXStrList known;
  known.Lines() = LoadRecords(Path("known.txt"));
  TKXChildPanel importer(nullptr);
  importer.SetScheme<KwfImporter>();
  Count count;
  importer.SetEventCount(2);
  importer.onEvent[0] = MakeLink<&Count::doAddress>(count);
  importer.SetDataCount(1);
  importer.dataData[0] = MakeLink<&TKXStrList::varArray>(known);
  for (auto _ : state) {
    ui.QueueOpenAnswer(Path("import.cfg"));
    count.n = 0;
    TData none;
    importer.doWork(none, 0);
  }
  if (count.n == 0) state.SkipWithError("nothing imported");
  state.counters["imported"] = double(count.n);
  widgets::SetCurrentBackend(nullptr);
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_KwfImport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_KwfImportSortU(benchmark::State& state) { SortU(state, Path("import.cfg") + " " + Path("known.txt")); }
BENCHMARK(BM_KwfImportSortU)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemory();  // as the programs do
  // In memory where the system offers it, so that neither side waits for the disk.
  std::string pattern =
      platform::IsDirectory("/dev/shm") ? "/dev/shm/targets-bench-XXXXXX" : "/tmp/targets-bench-XXXXXX";
  if (!mkdtemp(pattern.data())) return 1;
  g_dir = pattern;
  benchmark::Initialize(&argc, argv);
  WriteDataFiles();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_dir);
  rusage self{}, children{};
  getrusage(RUSAGE_SELF, &self);
  getrusage(RUSAGE_CHILDREN, &children);
  std::printf("peak RSS: %.1f MiB (sort and the data generator: %.1f MiB)\n", double(self.ru_maxrss) / 1024.0,
              double(children.ru_maxrss) / 1024.0);
  return 0;
}
