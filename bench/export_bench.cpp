// `veltrane --export` at the scale of real ban lists, each beside `LC_ALL=C sort -u` on the
// same input in the same run. Each case runs the command's own code (the settings loaded,
// the generate page built, its assembly and the target's direct write):
// - BM_Export/FORMAT: a million records (the generator's, doubles in other cases among them,
//   and the parent domain of every tenth name below one, 49,000 more) in a checked category,
//   to each of the five resolver formats; /exceptions with 20,000 lines in User_NO_BadList
//   (names below listed names, which become exceptions, and "*." lines); /compress with the
//   option compress too, which leaves out the names below their parents. Beside `sort -u`
//   on the records.
// - BM_Export/hosts: a hosts file holding a million entries of the program's own (and the
//   lines of a Debian system) written again after 100,000 names left the lists: the record of
//   the program's lines read, the file read, the entries taken out and written, the file and
//   the record saved. Beside `sort -u` on that hosts file.
//
// The peak memory of one case is the process's: run one case at a time, for example
//   build/export_bench --benchmark_filter='BM_Export/hosts'
// and read the "peak_MiB" counter (or the "peak RSS" line printed at the end).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/export_command.h"
#include "bench/bench_data.h"
#include "runtime/platform/files.h"
#include "runtime/platform/heap.h"
#include "targets/hosts/hosts_own_entries.h"
#include "widgets/headless/headless_backend.h"

namespace {

std::string g_dir;  // the scratch folder, with its trailing separator

std::string Path(const std::string& name) { return g_dir + name; }
std::string Resolvers(const std::string& name) { return g_dir + "resolvers/" + name; }
std::string Hosts(const std::string& name) { return g_dir + "hosts/" + name; }

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The resolvers' program folder: the records in "Advertisement", the settings naming every
// file, and the lines never to block for the case /exceptions.
void MakeResolverFolder() {
  std::string text = bench::GenerateDomains(1'000'000);
  std::string parents;
  size_t line = 0;
  for (size_t at = 0; at < text.size(); ++line) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view name(text.data() + at, end - at);
    const size_t dot = name.find('.');
    if (line % 10 == 9 && dot != std::string_view::npos && name.find('.', dot + 1) != std::string_view::npos)
      parents.append(name.substr(dot + 1)).push_back('\n');
    at = end + 1;
  }
  std::filesystem::create_directories(Resolvers("Lists"));
  WriteText(Resolvers("Lists/Advertisement.txt"), text + parents);
  // Every fiftieth name: a quarter of them spared whole, the others below it.
  std::string never;
  line = 0;
  for (size_t at = 0; at < text.size(); ++line) {
    const size_t end = std::min(text.find('\n', at), text.size());
    if (line % 50 == 0) never += (line % 200 == 0 ? "*." : "www.") + text.substr(at, end - at) + "\r\n";
    at = end + 1;
  }
  WriteText(Resolvers("never.txt"), never);
}

void SetResolverCase(bool exceptions, bool compress) {
  std::string ini =
      "[BanList]\r\ngen_advert=1\r\n[Resolvers]\r\ncompress=" + std::string(compress ? "1" : "0") + "\r\n";
  for (const char* format : {"dnsmasq", "unbound", "rpz", "adblock", "domains"})
    ini += std::string(format) + "=" + Resolvers(format) + "\r\n";
  WriteText(Resolvers("Veltra.ini"), ini);
  if (exceptions) {
    platform::CopyFileOver(Resolvers("never.txt"), Resolvers("Lists/User_NO_BadList.txt"));
  } else {
    platform::RemoveFile(Resolvers("Lists/User_NO_BadList.txt"));
  }
}

// The hosts program folder: a million distinct names exported once into a Debian hosts file
// (the file and the record of the program's lines kept as they are then), and the lists
// without every tenth name.
void MakeHostsFolder() {
  const std::vector<std::string> records = bench::DistinctRecords(1'000'000);
  std::filesystem::create_directories(Hosts("Lists"));
  std::string list;
  for (const std::string& record : records) list += record + "\n";
  WriteText(Hosts("Lists/Advertisement.txt"), list);
  WriteText(Hosts("Veltra.ini"), "[VELTR_Setting]\r\np_hosts=1\r\n[Hosts]\r\nIP=0.0.0.0\r\nhosts=" + Hosts("hosts") +
                                     "\r\n[BanList]\r\ngen_advert=1\r\n");
  WriteText(Hosts("hosts"),
            "127.0.0.1\tlocalhost\n127.0.1.1\tdebian\n\n"
            "# The following lines are desirable for IPv6 capable hosts\n"
            "::1     localhost ip6-localhost ip6-loopback\nff02::1 ip6-allnodes\n");
  widgets::HeadlessBackend ui;
  widgets::SetCurrentBackend(&ui);
  platform::SetProgramDir(Hosts(""));
  std::ostringstream told;
  if (RunExport("hosts", ui, told) != 0) _exit(1);
  platform::CopyFileOver(Hosts("hosts"), Hosts("hosts.orig"));
  const std::string record = THostsOwnEntries::RecordPath(Hosts(""), Hosts("hosts"));
  platform::CopyFileOver(record, Hosts("record.orig"));
  list.clear();
  for (size_t i = 0; i < records.size(); ++i)
    if (i % 10 != 0) list += records[i] + "\n";
  WriteText(Hosts("Lists/Advertisement.txt"), list);
}

void BM_Export(benchmark::State& state, const std::string& target, bool exceptions, bool compress) {
  widgets::HeadlessBackend ui;
  widgets::SetCurrentBackend(&ui);
  const bool hosts = target == "hosts";
  platform::SetProgramDir(hosts ? Hosts("") : Resolvers(""));
  if (!hosts) SetResolverCase(exceptions, compress);
  const std::string record = THostsOwnEntries::RecordPath(Hosts(""), Hosts("hosts"));
  std::ostringstream told;
  bench::ResetPeak();
  for (auto _ : state) {
    state.PauseTiming();
    if (hosts) {
      platform::CopyFileOver(Hosts("hosts.orig"), Hosts("hosts"));
      platform::CopyFileOver(Hosts("record.orig"), record);
    }
    ui.ClearShownDialogs();
    told.str("");
    state.ResumeTiming();
    if (RunExport(target, ui, told) != 0) state.SkipWithError(ui.ShownDialogs().back().text.c_str());
  }
  state.counters["peak_MiB"] = bench::PeakMiB();
  state.SetLabel(told.str().substr(told.str().rfind(": ") + 2, std::string::npos));
  widgets::SetCurrentBackend(nullptr);
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}

void BM_SortU(benchmark::State& state, const std::string& inputs) {
  const std::string command = "LC_ALL=C sort -u " + inputs + " > " + Path("sorted.txt");
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}

void Register(const std::string& name, void (*bench)(benchmark::State&, const std::string&, bool, bool),
              const std::string& target, bool exceptions, bool compress) {
  benchmark::RegisterBenchmark(name.c_str(), bench, target, exceptions, compress)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(3);
}

void RegisterSort(const std::string& name, const std::string& inputs) {
  benchmark::RegisterBenchmark(name.c_str(), BM_SortU, inputs)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(3);
}

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemory();  // as the program does
  // In memory where the system offers it, so that neither side waits for the disk.
  std::string pattern = platform::IsDirectory("/dev/shm") ? "/dev/shm/export-bench-XXXXXX" : "/tmp/export-bench-XXXXXX";
  if (!mkdtemp(pattern.data())) return 1;
  g_dir = pattern + "/";
  benchmark::Initialize(&argc, argv);
  // Only the folders the chosen cases need are made.
  std::string filter;
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).starts_with("--benchmark_filter=")) filter = argv[i];
  const bool hosts = filter.empty() || filter.find("hosts") != std::string::npos;
  const bool resolvers = filter.empty() || !hosts || filter.find_first_of("|.*") != std::string::npos;
  if (resolvers && !bench::InChildProcess(MakeResolverFolder)) return 1;
  if (hosts && !bench::InChildProcess(MakeHostsFolder)) return 1;
  for (const char* target : {"dnsmasq", "unbound", "rpz", "adblock", "domains"}) {
    const std::string name = std::string("BM_Export/") + target;
    Register(name, BM_Export, target, false, false);
    Register(name + "/exceptions", BM_Export, target, true, false);
    Register(name + "/compress", BM_Export, target, true, true);
    RegisterSort(std::string("BM_SortU/") + target, Resolvers("Lists/Advertisement.txt"));
  }
  Register("BM_Export/hosts", BM_Export, "hosts", false, false);
  RegisterSort("BM_SortU/hosts", Hosts("hosts.orig"));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_dir);
  rusage self{};
  getrusage(RUSAGE_SELF, &self);
  std::printf("peak RSS: %.1f MiB\n", double(self.ru_maxrss) / 1024.0);
  return 0;
}
