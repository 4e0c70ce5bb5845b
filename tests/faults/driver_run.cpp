// A run of the driver in a program folder under the fault shim (fault_shim.c tells the
// variables it reads and the trace it writes), and the reading of that trace.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "tests/faults/harness.h"

namespace {

// The clock every run reads, so that dated backups have the same names in every run.
constexpr const char* kDriveTime = "05.12.2026-09:53:12";

long long NowNs() { return std::chrono::steady_clock::now().time_since_epoch() / std::chrono::nanoseconds(1); }

// Into `result`; paths below `root` (which ends in "/") become relative to it.
void ReadCallTrace(const std::string& file, const std::string& root, RunResult& result) {
  auto relative = [&root](const std::string& path) {
    return path.compare(0, root.size(), root) == 0 ? path.substr(root.size()) : path;
  };
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> f;
    std::istringstream fields(line + "\t");  // so that an empty last field counts too
    for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
    if (f.size() >= 2 && f[0] == "made") {
      // The temporary file the last open made: that open stands for it from now on.
      const auto open = std::find_if(result.calls.rbegin(), result.calls.rend(),
                                     [](const TracedCall& call) { return call.kind == "open"; });
      if (open != result.calls.rend()) open->path = relative(f[1]);
    } else if (f.size() >= 3 && f[0] == "version") {
      if (f[2] == "gone") result.versions.gone.insert(relative(f[1]));
      else if (f.size() >= 4)
        result.versions.contents[relative(f[1])].insert(
            {std::strtoull(f[2].c_str(), nullptr, 16), std::strtoull(f[3].c_str(), nullptr, 10)});
    } else if (f.size() >= 5) {  // shorter: a line the kill cut short
      TracedCall call{f[0], std::atol(f[1].c_str()), std::atoll(f[2].c_str()), relative(f[3]), f[4]};
      if (call.kind == "rename") call.extra = relative(call.extra);
      call.failed = f.size() >= 6 && f[5] == "FAILED";
      result.calls.push_back(std::move(call));
    }
  }
}

}  // namespace

RunResult Run(const DriverRun& run) {
  RunResult result;
  // Beside the folder: standard output and error, and the shim's trace.
  const std::string base = std::filesystem::path(run.dir).parent_path().string();
  const std::string out = base + ".out", trace = base + ".trace";
  ::unlink(trace.c_str());
  // Everything the child needs is made before the fork: the harness runs several drivers
  // from threads, and a child of a threaded process may only make async-signal-safe calls.
  // The shim tells through a pipe when the program begins the call to be killed at.
  int signal_pipe[2] = {-1, -1};
  if (!run.fault.kill_call.empty() && ::pipe2(signal_pipe, O_CLOEXEC) != 0) signal_pipe[0] = signal_pipe[1] = -1;
  const FailedCall fail = run.fault.fail.value_or(FailedCall{});  // a call named "" never fails
  const std::pair<std::string, std::string> vars[] = {
      {"LD_PRELOAD", run.preload_first.empty() ? run.shim : run.preload_first + ":" + run.shim},
      {"VELTRANE_FAULT_ROOT", run.dir},
      {"VELTRANE_FAULT_TRACE", trace},
      {"VELTRANE_FAULT_HASH", run.hash_versions ? "1" : "0"},
      {"VELTRANE_FAULT_TEAR", run.tear ? "1" : "0"},
      {"VELTRANE_FAULT_CALL", fail.kind},
      {"VELTRANE_FAULT_NTH", std::to_string(fail.n)},
      {"VELTRANE_FAULT_ERRNO", std::to_string(fail.error)},
      {"VELTRANE_FAULT_SIGNAL_AT", run.fault.kill_call},
      {"VELTRANE_FAULT_SIGNAL_FD", std::to_string(signal_pipe[1])}};
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.push_back(*e);
  for (const auto& var : vars) {
    const std::string prefix = var.first + "=";
    std::erase_if(env, [&prefix](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    env.push_back(prefix + var.second);
  }
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  const char* argv[] = {run.driver.c_str(), "--dir", run.dir.c_str(), "--time", kDriveTime,
                        run.script.c_str(), nullptr};
  result.start_ns = NowNs();
  const long long deadline = result.start_ns + (long long)(run.timeout * 1e9);
  const pid_t child = fork();
  if (child == 0) {
    const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out_fd < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(out_fd, 2) < 0 || ::chdir(run.dir.c_str()) != 0) _exit(126);
    if (signal_pipe[1] >= 0) ::fcntl(signal_pipe[1], F_SETFD, 0);
    if (run.fault.limit) {
      // A write beyond the limit then fails with EFBIG, as on a full disk, instead of killing the program.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{rlim_t(run.fault.limit), rlim_t(run.fault.limit)};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execve(run.driver.c_str(), const_cast<char**>(argv), envp.data());
    _exit(127);
  }
  long long kill_at = deadline;
  if (signal_pipe[1] >= 0) {
    ::close(signal_pipe[1]);
    // The byte comes when the call begins; the end of the pipe, when the program ended without it.
    pollfd wait{signal_pipe[0], POLLIN, 0};
    char byte;
    if (::poll(&wait, 1, int(std::max(0LL, deadline - NowNs()) / 1'000'000)) == 1 &&
        ::read(signal_pipe[0], &byte, 1) == 1)
      kill_at = NowNs() + (long long)(run.fault.kill_delay * 1e9);
    ::close(signal_pipe[0]);
  }
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) != child) {
    const long long now = NowNs();
    if (now >= kill_at) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      (kill_at == deadline ? result.hung : result.killed) = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(std::min(kill_at - now, 2'000'000LL)));
  }
  result.end_ns = NowNs();
  if (!result.killed && !result.hung) {
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  }
  std::ifstream output(out, std::ios::binary);
  result.output.assign(std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>());
  ReadCallTrace(trace, run.dir, result);
  return result;
}
