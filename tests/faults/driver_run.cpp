#include "tests/faults/driver_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::vector<std::pair<std::string, std::string>> Environment(const DriverRun& run, int signal_fd = -1) {
  std::vector<std::pair<std::string, std::string>> env;
  if (run.shim.empty()) return env;
  env.push_back({"LD_PRELOAD", run.preload_first.empty() ? run.shim : run.preload_first + ":" + run.shim});
  std::string root = run.dir;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  env.push_back({"VELTRANE_FAULT_ROOT", root});
  if (!run.trace.empty()) env.push_back({"VELTRANE_FAULT_TRACE", run.trace});
  if (run.hash_versions) env.push_back({"VELTRANE_FAULT_HASH", "1"});
  if (run.tear) env.push_back({"VELTRANE_FAULT_TEAR", "1"});
  if (run.fail) {
    env.push_back({"VELTRANE_FAULT_CALL", run.fail->kind});
    env.push_back({"VELTRANE_FAULT_NTH", std::to_string(run.fail->n)});
    env.push_back({"VELTRANE_FAULT_ERRNO", std::to_string(run.fail->error)});
  }
  if (run.kill_at_call && signal_fd >= 0) {
    env.push_back({"VELTRANE_FAULT_SIGNAL_AT", *run.kill_at_call});
    env.push_back({"VELTRANE_FAULT_SIGNAL_FD", std::to_string(signal_fd)});
  }
  return env;
}

void SleepUntil(long long deadline_ns) {
  timespec t{time_t(deadline_ns / 1'000'000'000), long(deadline_ns % 1'000'000'000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

}  // namespace

long long MonotonicNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1'000'000'000ll + t.tv_nsec;
}

std::string DriverRun::Command() const {
  std::string command = "(cd " + Quoted(dir) + " && ";
  if (file_size_limit) command += "trap '' XFSZ; ulimit -f " + std::to_string((*file_size_limit + 511) / 512) + "; ";
  for (const auto& [name, value] : Environment(*this)) command += name + "=" + Quoted(value) + " ";
  command += Quoted(driver) + " --dir " + Quoted(dir) + " --time " + time + " " + Quoted(script) + ")";
  return command;
}

RunResult Run(const DriverRun& run) {
  RunResult result;
  const std::string out = run.output_base + ".out", err = run.output_base + ".err";
  if (!run.trace.empty()) ::unlink(run.trace.c_str());
  // Everything the child needs is made before the fork: the harness runs several drivers
  // from threads, and a child of a threaded process may only make async-signal-safe calls.
  // The shim tells through a pipe when the program begins the call to be killed at.
  int signal_pipe[2] = {-1, -1};
  if (run.kill_at_call && ::pipe2(signal_pipe, O_CLOEXEC) != 0) signal_pipe[0] = signal_pipe[1] = -1;
  std::vector<std::string> env_strings;
  for (char** e = environ; *e; ++e) env_strings.push_back(*e);
  for (const auto& [name, value] : Environment(run, signal_pipe[1])) {
    std::erase_if(env_strings,
                  [&name](const std::string& e) { return e.compare(0, name.size() + 1, name + "=") == 0; });
    env_strings.push_back(name + "=" + value);
  }
  std::vector<char*> envp;
  for (auto& e : env_strings) envp.push_back(e.data());
  envp.push_back(nullptr);
  const char* argv[] = {run.driver.c_str(), "--dir", run.dir.c_str(), "--time", run.time.c_str(),
                        run.script.c_str(), nullptr};
  const long long start = MonotonicNs();
  const pid_t child = fork();
  if (child == 0) {
    const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out_fd < 0 || err_fd < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(err_fd, 2) < 0 || ::chdir(run.dir.c_str()) != 0)
      _exit(126);
    if (signal_pipe[1] >= 0) ::fcntl(signal_pipe[1], F_SETFD, 0);
    if (run.file_size_limit) {
      // A write beyond the limit then fails with EFBIG, as on a full disk, instead of killing the program.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{rlim_t(*run.file_size_limit), rlim_t(*run.file_size_limit)};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execve(run.driver.c_str(), const_cast<char**>(argv), envp.data());
    _exit(127);
  }
  int status = 0;
  bool ended = false;
  const long long deadline = start + (long long)(run.timeout * 1e9);
  std::optional<long long> kill_time;
  if (run.kill_after) kill_time = start + (long long)(*run.kill_after * 1e9);
  if (signal_pipe[1] >= 0) {
    ::close(signal_pipe[1]);
    // The byte comes when the call begins; the end of the pipe, when the program ended without it.
    pollfd wait{signal_pipe[0], POLLIN, 0};
    char byte;
    const int left_ms = int(std::max(0LL, deadline - MonotonicNs()) / 1'000'000);
    if (::poll(&wait, 1, left_ms) == 1 && ::read(signal_pipe[0], &byte, 1) == 1)
      kill_time = MonotonicNs() + (long long)(run.kill_delay * 1e9);
    ::close(signal_pipe[0]);
    if (!kill_time) result.ended_before_kill = true;
  }
  if (kill_time) {
    SleepUntil(*kill_time);
    ended = ::waitpid(child, &status, WNOHANG) == child;
    if (!ended) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      ended = true;
      result.killed = true;
    } else {
      result.ended_before_kill = true;
    }
  }
  while (!ended) {
    const pid_t got = ::waitpid(child, &status, WNOHANG);
    if (got == child) break;
    if (MonotonicNs() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      result.hung = true;
      break;
    }
    SleepUntil(MonotonicNs() + 2'000'000);
  }
  result.seconds = double(MonotonicNs() - start) / 1e9;
  if (!result.killed && !result.hung) {
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  }
  result.output = Slurp(out);
  result.errors = Slurp(err);
  return result;
}
