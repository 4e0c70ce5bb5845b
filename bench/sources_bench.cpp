// Subscriptions that follow their lists, and the question where a name comes from, at the
// sizes of the largest public lists: a subscription of a million names updated for the first
// time into an empty program folder, then again after a tenth of its names changed (taken out
// and new ones filed), beside `LC_ALL=C sort -u` on the downloaded file; and `--query` beside a
// million records in every one of the seven lists. The list is served from 127.0.0.1 by a
// child process, so that its memory is not the program's. Every benchmark reports the peak
// resident size: run one at a time (--benchmark_filter) for the peak of that operation alone.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/query_mode.h"
#include "app/subscription_modes.h"
#include "app/update_mode.h"
#include "bench/bench_data.h"
#include "bench/scratch_main.h"
#include "lists/list_catalog.h"
#include "runtime/global_var.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "tests/local_http_server.h"
#include "widgets/headless/console_backend.h"

namespace {

constexpr int kNames = 1'000'000;
std::string g_dir;

std::string Data(const std::string& name) { return g_dir + "/data/" + name; }

// The list as published (a hosts file of the generator's names), the same list with a tenth
// of its names replaced, and a million records for each of the seven lists.
void MakeData() {
  std::filesystem::create_directories(g_dir + "/data");
  const std::vector<std::string> names = bench::DistinctRecords(kNames + kNames / 10 + 7 * kNames);
  std::string first = "# a published hosts list\n", changed = first;
  for (int i = 0; i < kNames; ++i) {
    first += "0.0.0.0 " + names[size_t(i)] + "\n";
    changed += "0.0.0.0 " + names[size_t(i % 10 == 0 ? kNames + i / 10 : i)] + "\n";
  }
  platform::WriteFileAtomic(Data("first.txt"), first);
  platform::WriteFileAtomic(Data("changed.txt"), changed);
  for (size_t l = 0; l < kListCount; ++l) {
    const auto from = names.begin() + std::ptrdiff_t(kNames + kNames / 10 + l * kNames);
    platform::WriteFileAtomic(Data("list" + std::to_string(l) + ".txt"),
                              JoinLines(std::vector<std::string>(from, from + kNames)));
  }
}

// A server in a child process that sends the file named in data/serve, read afresh for every
// request; its port, and the child to stop.
struct Server {
  pid_t child = 0;
  int port = 0;
  Server() {
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) return;
    child = ::fork();
    if (child == 0) {
      LocalHttpServer server([](const HttpRequestSeen&, LocalHttpServer&, int c) {
        const std::string file = platform::ReadFile(Data("serve")).value_or("");
        const std::string body = platform::ReadFile(Data(file)).value_or("");
        LocalHttpServer::Answer(c, "200 OK", "ETag: \"" + file + "\"\r\n", body);
      });
      const std::string url = server.Url("");
      const int port_number = std::stoi(url.substr(url.rfind(':') + 1));
      [[maybe_unused]] const ssize_t sent = ::write(pipe_ends[1], &port_number, sizeof port_number);
      ::pause();
      ::_exit(0);
    }
    ::close(pipe_ends[1]);
    if (::read(pipe_ends[0], &port, sizeof port) != sizeof port) port = 0;
    ::close(pipe_ends[0]);
  }
  ~Server() {
    if (child <= 0) return;
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port) + "/list.txt"; }
};

std::string Folder(const std::string& name) {
  const std::string dir = g_dir + "/" + name + "/";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "Lists");
  platform::SetProgramDir(dir);
  TKXGlobalVar program_dir;
  program_dir.SetName("VELTR_dir");
  program_dir.SetValue(MakeText(dir));
  return dir;
}

// Runs a mode with its output kept from the report; its exit code.
template <class Mode>
int Quietly(Mode mode, std::string* printed = nullptr) {
  std::ostringstream out;
  std::streambuf* kept = std::cout.rdbuf(out.rdbuf());
  const int code = mode();
  std::cout.rdbuf(kept);
  if (printed) *printed = out.str();
  return code;
}

void Serve(const std::string& file) { platform::WriteFileAtomic(Data("serve"), file); }

void Report(benchmark::State& state, const std::string& printed) {
  state.SetLabel(printed.substr(0, printed.find('\n')));
  state.counters["peak_MiB"] = bench::PeakMiB();
}

// The first update of a new subscription: every name of the list filed into empty lists.
void BM_SubscriptionFirstUpdate(benchmark::State& state) {
  Server server;
  widgets::ConsoleBackend console;
  widgets::SetCurrentBackend(&console);
  std::string printed;
  for (auto _ : state) {
    state.PauseTiming();
    Folder("first");
    Serve("first.txt");
    Quietly([&] { return RunSubscribeMode(server.Url(), "Advertisement"); });
    state.ResumeTiming();
    if (Quietly([] { return RunUpdateMode(); }, &printed) != 0) state.SkipWithError("the update failed");
  }
  widgets::SetCurrentBackend(nullptr);
  Report(state, printed);
}

// The next update after a tenth of the list changed: a hundred thousand names taken out, as
// many filed.
void BM_SubscriptionUpdateTenthChanged(benchmark::State& state) {
  Server server;
  widgets::ConsoleBackend console;
  widgets::SetCurrentBackend(&console);
  std::string printed;
  for (auto _ : state) {
    state.PauseTiming();
    Folder("changed");
    Serve("first.txt");
    Quietly([&] { return RunSubscribeMode(server.Url(), "Advertisement"); });
    Quietly([] { return RunUpdateMode(); });
    Serve("changed.txt");
    bench::ResetPeak();
    state.ResumeTiming();
    if (Quietly([] { return RunUpdateMode(); }, &printed) != 0) state.SkipWithError("the update failed");
  }
  widgets::SetCurrentBackend(nullptr);
  Report(state, printed);
}

// `--query` for a name in the last list read, beside a million records in each of the seven.
void BM_QueryBesideSevenFullLists(benchmark::State& state) {
  const std::string dir = Folder("query");
  for (size_t l = 0; l < kListCount; ++l)
    std::filesystem::copy_file(Data("list" + std::to_string(l) + ".txt"),
                               platform::NativePath(ListPath(dir, ListId(l))));
  const std::string name = bench::Lines(platform::ReadFile(Data("list6.txt")).value_or("")).at(kNames / 2);
  widgets::ConsoleBackend console;
  widgets::SetCurrentBackend(&console);
  std::string printed;
  for (auto _ : state)
    if (Quietly([&] { return RunQueryMode(name); }, &printed) != 0) state.SkipWithError("the name was not found");
  widgets::SetCurrentBackend(nullptr);
  Report(state, printed);
}

void BM_SystemSortUniqueDownloadedList(benchmark::State& state) {
  const std::string command = "LC_ALL=C sort -u " + Data("first.txt") + " > " + g_dir + "/sort_u.txt";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("sort failed");
  state.counters["peak_MiB"] = bench::PeakMiB();
}

#define VELTRANE_SOURCES_BENCH(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime()
VELTRANE_SOURCES_BENCH(BM_SystemSortUniqueDownloadedList);
VELTRANE_SOURCES_BENCH(BM_SubscriptionFirstUpdate);
VELTRANE_SOURCES_BENCH(BM_SubscriptionUpdateTenthChanged);
VELTRANE_SOURCES_BENCH(BM_QueryBesideSevenFullLists);

}  // namespace

int main(int argc, char** argv) { return bench::RunOnDataMadeOnce(argc, argv, "sources-bench", g_dir, MakeData); }
