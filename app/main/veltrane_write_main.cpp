// veltrane-write: the one thing Veltrane does as root. pkexec runs it under the polkit action
// the package installs, once an administrator has said yes in the system's own prompt. It
// takes the path of one file as its only argument and the file's new content on standard
// input, checks the file by the rules of write_rules.h (under the system's configuration
// folder, no link, a regular file, every folder up from it closed to everyone but root) and
// replaces it atomically, keeping its mode, owner, group and extended attributes. After the
// hosts file it empties the resolver's cache where a caching resolver runs.
//
// pkexec gives it a cleared environment, and it reads none: the folder it may write and the
// programs it calls are constants of the build, called by their absolute paths.
#include <fcntl.h>
#include <spawn.h>
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
// attributes). A file system that keeps none is no failure; anything else is.
bool CopyAttributes(int from, int to) {
  std::vector<char> names(1 << 16), value;
  ssize_t listed = ::flistxattr(from, names.data(), names.size());
  if (listed < 0) return errno == ENOTSUP || errno == EOPNOTSUPP;
  for (size_t at = 0; at < size_t(listed);) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
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

// Replaces (or, for a first copy, makes) `path` with `bytes`: a temporary file in the same
// folder takes the owner, group, extended attributes and mode of the file the survey looked
// at (the file itself, or the file a first copy copies), is flushed and renamed over the
// path, and the folder is flushed. A copy takes no set-user or set-group bit. A resolver
// file made new is root's, 0644, and takes the name only while nothing else has it. On
// failure nothing is left behind and the old file is whole.
bool Replace(const std::string& path, const std::string& bytes, const platform::WriteSurvey& survey) {
  const int source = survey.new_file ? -1 : platform::OpenSurveyed(survey);
  if (source < 0 && !survey.new_file) return false;
  std::string temp = FolderOf(path) + "/.veltrane-write-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (source >= 0) ::close(source);
    errno = error;
    return false;
  }
  // The owner first, since giving a file away drops attributes tied to its owner; the bits
  // last, so that an access list set in between cannot widen them.
  bool ok = WriteAll(fd, bytes);
  if (survey.new_file) {
    ok = ok && ::fchown(fd, 0, 0) == 0 && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
  } else {
    ok = ok && ::fchown(fd, survey.owner, survey.group) == 0 && CopyAttributes(source, fd) &&
         ::fchmod(fd, survey.new_copy ? survey.mode & 0777 : survey.mode) == 0 && ::fsync(fd) == 0;
  }
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (source >= 0) ::close(source);
  // A new file never replaces one that appeared since the survey: link() refuses an
  // existing name where rename() would replace it.
  if (ok && survey.new_file) {
    if (::link(temp.c_str(), path.c_str()) != 0) {
      ok = false;
      error = errno;
    }
    ::unlink(temp.c_str());
    if (!ok) {
      errno = error;
      return false;
    }
  } else if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = error;
    return false;
  }
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    [[maybe_unused]] const int flushed = ::fsync(folder);
    ::close(folder);
  }
  return true;
}

// Runs a tool by its absolute path with a fixed environment, its output dropped; its
// absence or failure changes nothing.
void RunQuietly(std::vector<const char*> argv) {
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  argv.push_back(nullptr);
  char* env[] = {const_cast<char*>("PATH=/usr/sbin:/usr/bin:/sbin:/bin"), nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv.data()), env) == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
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

int Refuse(const std::string& path, WriteRefusal refusal) {
  std::fprintf(stderr, "veltrane-write refused %s: %s\n", path.c_str(), platform::RefusalWords(refusal));
  return platform::kHelperRefused;
}

}  // namespace

int main(int argc, char** argv) {
  ::umask(077);
  if (argc != 2) {
    std::fprintf(stderr, "usage: veltrane-write PATH < CONTENT (writes one file below %s)\n", kRoot);
    return platform::kHelperUsage;
  }
  const std::string path = argv[1];
  std::string bytes;
  if (!ReadAll(0, bytes, platform::kMaxElevatedWrite)) {
    std::fprintf(stderr, "veltrane-write could not read the new content: %s\n", std::strerror(errno));
    return platform::kHelperWriteFailed;
  }

  const platform::WriteSurvey survey = platform::SurveyWrite(path, kRoot, bytes);
  if (survey.refusal != WriteRefusal::None) return Refuse(path, survey.refusal);
  if (!Replace(path, bytes, survey)) {
    std::fprintf(stderr, "veltrane-write could not write %s: %s\n", path.c_str(), std::strerror(errno));
    return platform::kHelperWriteFailed;
  }
  if (path == std::string(kRoot) + "/hosts") FlushResolverCaches();
  return 0;
}
