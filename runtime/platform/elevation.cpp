// Writing with the system's permission on Linux: pkexec runs the helper veltrane-write as
// root under the polkit action the package installs; polkit's agent asks an administrator.
// The helper takes the path as its one argument and the content on standard input, checks
// the file and writes it, or says on standard error why not.
#include "runtime/platform/elevation.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "runtime/platform/files.h"
#include "runtime/platform/write_survey.h"

extern char** environ;

#ifndef VELTRANE_INSTALLED_HELPER
#define VELTRANE_INSTALLED_HELPER "/usr/libexec/veltrane/veltrane-write"
#endif

namespace platform {
namespace {

ElevationHandler g_handler;
std::string g_pkexec = "/usr/bin/pkexec";
std::string g_helper;  // empty: the installed one (or, in a build for tests, the one beside the program)
std::string g_root = "/etc";

bool Runnable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

// The installed helper, in the package's libexec folder, where only the administrator may
// change it. A build for tests (VELTRANE_HELPER_BESIDE) runs the one beside the program
// when there is one.
std::string Helper() {
  if (!g_helper.empty()) return g_helper;
#ifdef VELTRANE_HELPER_BESIDE
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) {
    const std::string exe(buf, size_t(n));
    const std::string beside = exe.substr(0, exe.rfind('/') + 1) + "veltrane-write";
    if (Runnable(beside)) return beside;
  }
#endif
  return VELTRANE_INSTALLED_HELPER;
}

// The path as the helper must be given it: absolute, with every link resolved, so that the
// helper's refusal of links and of unplain paths meets only a file changed in between.
std::string AbsolutePath(const std::string& path) {
  const std::string native = NativePath(path);
  char resolved[PATH_MAX];
  if (::realpath(native.c_str(), resolved)) return resolved;
  const size_t slash = native.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : native.substr(0, slash);
  const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  if (!::realpath(folder.c_str(), resolved)) return native;
  const std::string base = resolved;
  return (base == "/" ? "" : base) + "/" + name;
}

// The first line of what a program said: pkexec follows its reason with a blank line and
// "This incident has been reported.", which tells the user nothing more.
std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

struct Finished {
  int status = -1;  // the exit code, or -1 when the program did not end normally
  std::string output;
};

// Runs `argv` with `input` on its standard input (a socket, so that a program that stops
// reading early ends the write without a signal) and collects standard output and error.
bool Run(const std::vector<std::string>& argv, std::string_view input, Finished& finished, std::string& why) {
  int in[2], out[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in) != 0) {
    why = std::strerror(errno);
    return false;
  }
  if (::pipe2(out, O_CLOEXEC) != 0) {
    why = std::strerror(errno);
    ::close(in[0]);
    ::close(in[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, in[1], 0);
  ::posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  ::posix_spawn_file_actions_adddup2(&actions, out[1], 2);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(in[1]);
  ::close(out[1]);
  if (spawned != 0) {
    why = std::strerror(spawned);
    ::close(in[0]);
    ::close(out[0]);
    return false;
  }
  size_t sent = 0;
  bool writing = true;
  if (input.empty()) {
    ::shutdown(in[0], SHUT_WR);
    writing = false;
  }
  for (;;) {
    pollfd fds[2] = {{out[0], POLLIN, 0}, {in[0], short(writing ? POLLOUT : 0), 0}};
    if (::poll(fds, writing ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (writing && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = ::send(in[0], input.data() + sent, std::min<size_t>(input.size() - sent, 1 << 16),
                               MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) sent += size_t(n);
      if ((n < 0 && errno != EAGAIN && errno != EINTR) || sent == input.size()) {
        ::shutdown(in[0], SHUT_WR);
        writing = false;
      }
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      char buf[4096];
      const ssize_t n = ::read(out[0], buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      if (finished.output.size() < 65536) finished.output.append(buf, size_t(n));
    }
  }
  ::close(in[0]);
  ::close(out[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

}  // namespace

bool RunsElevated() { return ::geteuid() == 0; }

void SetElevationHandler(ElevationHandler handler) { g_handler = std::move(handler); }

void SetElevationPrograms(const std::string& pkexec, const std::string& helper, const std::string& root) {
  g_pkexec = pkexec;
  g_helper = helper;
  g_root = root;
}

ElevatedWrite WriteElevated(const std::string& path, std::string_view bytes) {
  const std::string target = AbsolutePath(path);
  if (g_handler) return g_handler(target, bytes);
  ElevatedWrite done;
  const WriteSurvey survey = SurveyWrite(target, g_root, bytes);
  if (survey.refusal != WriteRefusal::None) {
    done.why = survey.why;
    return done;
  }
  if (!Runnable(g_pkexec)) {
    done.why =
        "Veltrane asks the system for the permission through pkexec, which is not installed. "
        "An administrator can install it with: apt install pkexec";
    return done;
  }
  const std::string helper = Helper();
  if (!Runnable(helper)) {
    done.why = "the helper " + helper + " is missing; install Veltrane again";
    return done;
  }
  Finished finished;
  if (!Run({g_pkexec, helper, target}, bytes, finished, done.why)) {
    done.why = "pkexec could not be started: " + done.why;
    return done;
  }
  const std::string said = FirstLine(finished.output);
  switch (finished.status) {
    case 0: done.result = ElevatedWrite::Result::Done; break;
    case 126: done.result = ElevatedWrite::Result::Cancelled; break;
    case 127: done.why = "the system did not give the permission" + (said.empty() ? "" : " (" + said + ")"); break;
    case kHelperRefused:
    case kHelperWriteFailed: done.why = said; break;
    default: done.why = "pkexec ended with code " + std::to_string(finished.status) + (said.empty() ? "" : ": " + said);
  }
  return done;
}

int WriteAsElevatedSide(const std::string&, const std::string&) {
  std::cerr << "veltrane: --write-elevated is the Windows program's; on Linux the helper veltrane-write writes\n";
  return 2;
}

}  // namespace platform
