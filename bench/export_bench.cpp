// `veltrane --export` at the scale of real ban lists, each beside `LC_ALL=C sort -u` on the
// same records in the same run: a million records (the generator's, doubles in other cases
// among them) in a checked category, exported to each of the five resolver formats, and to
// a hosts file that maps 100,000 names already. Each case runs the command's own code (the
// settings loaded, the generate page built, its assembly and the target's direct write).
//
// The peak memory of one case is the process's: run one case at a time, for example
//   build/export_bench --benchmark_filter='BM_Export/rpz'
// and read the "peak RSS" line printed at the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/export_command.h"
#include "bench/bench_data.h"
#include "runtime/platform/files.h"
#include "runtime/platform/heap.h"
#include "widgets/headless/headless_backend.h"

namespace {

std::string g_dir;  // the program folder, with its trailing separator

std::string Path(const std::string& name) { return g_dir + name; }

// The program folder: the records in "Advertisement", the settings naming every file, and
// a hosts file of a Debian system that maps 100,000 of the records.
void MakeProgramFolder() {
  const std::string text = bench::GenerateDomains(1'000'000);
  std::filesystem::create_directories(Path("Lists"));
  std::ofstream(Path("Lists/Advertisement.txt"), std::ios::binary) << text;
  std::ofstream ini(Path("Veltra.ini"), std::ios::binary);
  ini << "[VELTR_Setting]\r\np_hosts=1\r\n[Hosts]\r\nIP=0.0.0.0\r\nhosts=" << Path("hosts") << "\r\n"
      << "[BanList]\r\ngen_advert=1\r\n[Resolvers]\r\n";
  for (const char* format : {"dnsmasq", "unbound", "rpz", "adblock", "domains"})
    ini << format << "=" << Path(format) << "\r\n";
  std::ofstream hosts(Path("hosts.orig"), std::ios::binary);
  hosts << "127.0.0.1\tlocalhost\n127.0.1.1\tdebian\n\n# The following lines are desirable for IPv6 capable hosts\n"
           "::1     localhost ip6-localhost ip6-loopback\n";
  size_t mapped = 0;
  for (size_t at = 0; mapped < 100'000 && at < text.size(); ++mapped) {
    const size_t end = text.find('\n', at);
    hosts << "0.0.0.0 " << text.substr(at, end - at) << "\n";
    at = end + 1;
  }
}

void BM_Export(benchmark::State& state, const std::string& target) {
  widgets::HeadlessBackend ui;
  widgets::SetCurrentBackend(&ui);
  platform::SetProgramDir(g_dir);
  bench::ResetPeak();
  for (auto _ : state) {
    state.PauseTiming();
    if (target == "hosts") platform::CopyFileOver(Path("hosts.orig"), Path("hosts"));
    ui.ClearShownDialogs();
    state.ResumeTiming();
    if (RunExport(target, ui) != 0) state.SkipWithError(ui.ShownDialogs().back().text.c_str());
  }
  state.counters["peak_MiB"] = bench::PeakMiB();
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

const std::string kRecords = "Lists/Advertisement.txt";

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemory();  // as the program does
  // In memory where the system offers it, so that neither side waits for the disk.
  std::string pattern = platform::IsDirectory("/dev/shm") ? "/dev/shm/export-bench-XXXXXX" : "/tmp/export-bench-XXXXXX";
  if (!mkdtemp(pattern.data())) return 1;
  g_dir = pattern + "/";
  benchmark::Initialize(&argc, argv);
  if (!bench::InChildProcess(MakeProgramFolder)) return 1;
  for (const char* target : {"dnsmasq", "unbound", "rpz", "adblock", "domains"}) {
    benchmark::RegisterBenchmark((std::string("BM_Export/") + target).c_str(), BM_Export, target)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    benchmark::RegisterBenchmark((std::string("BM_SortU/") + target).c_str(), BM_SortU, Path(kRecords))
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
  }
  benchmark::RegisterBenchmark("BM_Export/hosts", BM_Export, "hosts")
      ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
  benchmark::RegisterBenchmark("BM_SortU/hosts", BM_SortU, Path(kRecords) + " " + Path("hosts.orig"))
      ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_dir);
  rusage self{};
  getrusage(RUSAGE_SELF, &self);
  std::printf("peak RSS: %.1f MiB\n", double(self.ru_maxrss) / 1024.0);
  return 0;
}
