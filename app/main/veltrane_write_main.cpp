// veltrane-write: the one thing Veltrane does as root. pkexec runs it under the polkit action
// the package installs, once an administrator has said yes in the system's own prompt. It
// takes the path of one file as its only argument and the file's new content on standard
// input, checks the path, the file and the content by the rules of write_rules.h (the hosts
// file, its first copy, the program's own resolver files and only what the program writes
// into them; no link, a regular file that is no program, every folder up from it closed to
// everyone but root) and replaces the file atomically, keeping its mode, owner, group and
// extended attributes. After the hosts file it empties the resolver's cache where a caching
// resolver runs.
//
// pkexec gives it a cleared environment, and it reads none: the folder it may write and the
// programs it calls are constants of the build, called by their absolute paths. Nor does it
// keep what else its caller hands down through pkexec: a file size limit, signals ignored or
// timers that fire later. It lifts the one, and blocks every signal while it writes, so that
// the file holds the old content or the new, and no temporary file is left in the folder.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/random.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/platform/elevation.h"
#include "runtime/platform/write_rules.h"
#include "runtime/platform/write_survey.h"

#ifndef VELTRANE_WRITE_ROOT
#define VELTRANE_WRITE_ROOT "/etc"
#endif
#ifndef VELTRANE_RESOLVECTL
#define VELTRANE_RESOLVECTL "/usr/bin/resolvectl"
#endif
#ifndef VELTRANE_RESOLVED_SOCKET
#define VELTRANE_RESOLVED_SOCKET "/run/systemd/resolve/io.systemd.Resolve"
#endif
#ifndef VELTRANE_NSCD
#define VELTRANE_NSCD "/usr/sbin/nscd"
#endif
#ifndef VELTRANE_NSCD_SOCKET
#define VELTRANE_NSCD_SOCKET "/run/nscd/socket"
#endif

namespace {

using platform::WriteRefusal;

constexpr const char* kRoot = VELTRANE_WRITE_ROOT;

bool ReadAll(int fd, std::string& bytes, uint64_t limit) {
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buf, size_t(n));
    if (bytes.size() > limit) return true;
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

// Gives `to` every extended attribute of `from` (the access list, the security label, user
// attributes) but a file capability, which the checks refuse anyway: new content never runs
// with the rights the old one had. A file system that keeps none is no failure; anything
// else is.
bool CopyAttributes(int from, int to) {
  std::vector<char> names(1 << 16), value;
  ssize_t listed = ::flistxattr(from, names.data(), names.size());
  if (listed < 0) return errno == ENOTSUP || errno == EOPNOTSUPP;
  for (size_t at = 0; at < size_t(listed);) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
    if (std::strcmp(name, "security.capability") == 0) continue;
    const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
    if (size < 0) return false;
    value.resize(size_t(size));
    const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
    if (got < 0 || ::fsetxattr(to, name, value.data(), size_t(got), 0) != 0) return false;
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// A name for the new file beside the target until it is renamed over it.
std::string TemporaryName() {
  unsigned char random[8] = {};
  while (::getrandom(random, sizeof random, 0) < 0 && errno == EINTR) {
  }
  std::string name = ".veltrane-write-";
  for (unsigned char byte : random) name += "0123456789abcdef"[byte % 16];
  return name;
}

// Gives the unnamed file `fd` the name `name` in `folder`; false when the name is taken.
bool LinkUnnamed(int fd, int folder, const std::string& name) {
  if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) return true;
  if (errno != ENOENT && errno != EPERM) return false;
  // Without the right to link a descriptor, its entry in /proc leads to the same file.
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// The new file, written unnamed where the file system allows it (O_TMPFILE): whatever stops
// the helper, nothing of it is left in the folder. Elsewhere it is made under a temporary
// name, removed on every failure the helper sees.
struct NewFile {
  int fd = -1;
  std::string name;  // empty while unnamed
};

NewFile MakeNewFile(int folder) {
  NewFile file;
  file.fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (file.fd >= 0) return file;
  for (int tries = 0; tries < 16 && file.fd < 0; ++tries) {
    file.name = TemporaryName();
    file.fd = ::openat(folder, file.name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file.fd < 0 && errno != EEXIST) break;
  }
  if (file.fd < 0) file.name.clear();
  return file;
}

// Replaces (or, for a first copy or a new resolver file, makes) `path` with `bytes`: the new
// file takes the owner, group, extended attributes and mode of the file the survey opened
// (the file itself, or the hosts file a first copy copies), is flushed and renamed over the
// path, and the folder is flushed. A copy takes no set-user or set-group bit. A resolver
// file made new is root's, 0644, and takes the name only while nothing else has it. On
// failure nothing is left behind and the old file is whole.
bool Replace(const std::string& path, const std::string& bytes, const platform::WriteSurvey& survey) {
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder < 0) return false;
  NewFile file = MakeNewFile(folder);
  if (file.fd < 0) {
    const int error = errno;
    ::close(folder);
    errno = error;
    return false;
  }
  // The owner first, since giving a file away drops attributes tied to its owner; the bits
  // last, so that an access list set in between cannot widen them.
  const int source = survey.file.get();
  bool ok = WriteAll(file.fd, bytes);
  if (survey.new_file) {
    ok = ok && ::fchown(file.fd, 0, 0) == 0 && ::fchmod(file.fd, 0644) == 0 && ::fsync(file.fd) == 0;
  } else {
    ok = ok && ::fchown(file.fd, survey.owner, survey.group) == 0 && CopyAttributes(source, file.fd) &&
         ::fchmod(file.fd, survey.new_copy ? survey.mode & 0777 : survey.mode) == 0 && ::fsync(file.fd) == 0;
  }
  const std::string name = NameOf(path);
  if (ok && survey.new_file) {
    // A new file never replaces one that appeared since the survey: a link refuses an
    // existing name where a rename would replace it.
    ok = file.name.empty() ? LinkUnnamed(file.fd, folder, name)
                           : ::linkat(folder, file.name.c_str(), folder, name.c_str(), 0) == 0;
  } else if (ok) {
    // A rename needs a name to rename from: the unnamed file gets one just before.
    for (int tries = 0; tries < 16 && ok && file.name.empty(); ++tries) {
      const std::string temp = TemporaryName();
      if (LinkUnnamed(file.fd, folder, temp)) file.name = temp;
      else ok = errno == EEXIST;
    }
    ok = ok && !file.name.empty() && ::renameat(folder, file.name.c_str(), folder, name.c_str()) == 0;
    if (ok) file.name.clear();
  }
  int error = errno;
  if (::close(file.fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!file.name.empty()) ::unlinkat(folder, file.name.c_str(), 0);
  if (ok) {
    [[maybe_unused]] const int flushed = ::fsync(folder);
  }
  ::close(folder);
  errno = error;
  return ok;
}

// Runs a tool by its absolute path with a fixed environment, its output dropped; its
// absence or failure changes nothing.
void RunQuietly(std::vector<const char*> argv) {
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // The tool starts with no signal blocked or ignored, whatever the helper keeps for itself.
  posix_spawnattr_t attributes;
  ::posix_spawnattr_init(&attributes);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  ::posix_spawnattr_setsigmask(&attributes, &none);
  ::posix_spawnattr_setsigdefault(&attributes, &all);
  ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  argv.push_back(nullptr);
  char* env[] = {const_cast<char*>("PATH=/usr/sbin:/usr/bin:/sbin:/bin"), nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, argv[0], &actions, &attributes, const_cast<char* const*>(argv.data()), env) == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  ::posix_spawnattr_destroy(&attributes);
  ::posix_spawn_file_actions_destroy(&actions);
}

bool Exists(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0;
}

// A caching resolver keeps the names it has looked up: after the hosts file changed, it
// must forget them, or blocked names go on resolving until their entries expire.
void FlushResolverCaches() {
  if (Exists(VELTRANE_RESOLVED_SOCKET) && ::access(VELTRANE_RESOLVECTL, X_OK) == 0)
    RunQuietly({VELTRANE_RESOLVECTL, "flush-caches"});
  if (Exists(VELTRANE_NSCD_SOCKET) && ::access(VELTRANE_NSCD, X_OK) == 0) RunQuietly({VELTRANE_NSCD, "-i", "hosts"});
}

int Refuse(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "veltrane-write refused %s: %s\n", path.c_str(), why.c_str());
  return platform::kHelperRefused;
}

// What the caller hands down through pkexec and could stop a write halfway: a file size limit
// (the write would end with SIGXFSZ, or with a short file), ignored or default signals, a
// CPU limit. Limits are lifted as far as root may; what cannot be lifted makes the write
// fail as any failed write does.
void TakeNothingFromTheCaller() {
  for (int resource : {RLIMIT_FSIZE, RLIMIT_CPU}) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0) continue;
    const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
    if (::setrlimit(resource, &none) != 0) {
      limit.rlim_cur = limit.rlim_max;
      ::setrlimit(resource, &limit);
    }
  }
  // A write past a limit then fails with EFBIG, and a closed standard error with EPIPE.
  ::signal(SIGXFSZ, SIG_IGN);
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGCHLD, SIG_DFL);
}

// From here on no signal ends the helper (SIGKILL aside, which only root may send it):
// neither the terminal's (Ctrl-C, a hangup) nor a timer set before pkexec ran it. They stay
// pending and go with the process after it has written.
void HoldSignals() {
  sigset_t all;
  sigfillset(&all);
  ::sigprocmask(SIG_BLOCK, &all, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  ::umask(077);
  TakeNothingFromTheCaller();
  if (argc != 2) {
    std::fprintf(stderr, "usage: veltrane-write PATH < CONTENT (writes one file below %s)\n", kRoot);
    return platform::kHelperUsage;
  }
  const std::string path = argv[1];
  // The path alone is judged before anything else happens, the content read included.
  const WriteRefusal by_path = platform::CheckPosixPath(path, kRoot);
  if (by_path != WriteRefusal::None) return Refuse(path, platform::RefusalWords(by_path));
  std::string bytes;
  if (!ReadAll(0, bytes, platform::kMaxElevatedWrite)) {
    std::fprintf(stderr, "veltrane-write could not read the new content: %s\n", std::strerror(errno));
    return platform::kHelperWriteFailed;
  }

  const platform::WriteSurvey survey = platform::SurveyWrite(path, kRoot, bytes);
  if (survey.refusal != WriteRefusal::None) return Refuse(path, survey.why);
  if (survey.unread) {
    std::fprintf(stderr, "veltrane-write could not open %s to check it\n", path.c_str());
    return platform::kHelperWriteFailed;
  }
  HoldSignals();
  if (!Replace(path, bytes, survey)) {
    std::fprintf(stderr, "veltrane-write could not write %s: %s\n", path.c_str(), std::strerror(errno));
    return platform::kHelperWriteFailed;
  }
  if (path == std::string(kRoot) + "/hosts") FlushResolverCaches();
  return 0;
}
