#include "runtime/platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#include "runtime/platform/program_dir.h"

namespace platform {
namespace {

std::string g_program_dir;

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

std::string FolderOf(const std::string& native) {
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

}  // namespace

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

bool IsFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(NativePath(path).c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

std::string RealPath(const std::string& path) {
  const std::string native = NativePath(path);
  char resolved[PATH_MAX];
  return ::realpath(native.c_str(), resolved) ? std::string(resolved) : native;
}

std::optional<std::string> ReadFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  bytes.resize(size_t(st.st_size));
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += size_t(n);
  }
  ::close(fd);
  bytes.resize(got);
  return bytes;
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) {
  if (path.empty()) {
    error_ = ENOENT;
    return;
  }
  target_ = NativePath(path);
  // Saving through a symbolic link replaces the file it points to, never the link itself.
  char resolved[PATH_MAX];
  struct stat lst;
  if (::lstat(target_.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode) && ::realpath(target_.c_str(), resolved))
    target_ = resolved;
  struct stat st;
  exists_ = ::stat(target_.c_str(), &st) == 0;
  if (exists_) {
    mode_ = st.st_mode & 07777;
    uid_ = st.st_uid;
    gid_ = st.st_gid;
    if (!S_ISREG(st.st_mode)) {
      error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
      return;
    }
    // A file the user made read-only stays untouched, as it would on the original platform;
    // the permission bits decide, so that this holds for root as well.
    if ((st.st_mode & 0222) == 0) {
      error_ = EACCES;
      return;
    }
    if (::access(target_.c_str(), W_OK) != 0) {
      error_ = errno;
      return;
    }
  }
  temp_ = FolderOf(target_) + "/.veltrane-XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) {
    error_ = errno;
    temp_.clear();
  }
}

AtomicFileWriter::~AtomicFileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool AtomicFileWriter::Write(const char* data, size_t size) {
  if (error_ != 0 || fd_ < 0) return false;
  errno = 0;
  if (!WriteAll(fd_, data, size)) error_ = errno ? errno : EIO;
  return error_ == 0;
}

bool AtomicFileWriter::Commit(std::string* why) {
  auto check = [this](bool done) {
    if (!done && error_ == 0) error_ = errno ? errno : EIO;
    return done;
  };
  if (error_ == 0 && fd_ >= 0) {
    errno = 0;
    check(::fsync(fd_) == 0);
    if (error_ == 0) check(::fchmod(fd_, exists_ ? mode_ : 0644) == 0);
    // Owner and group follow the old file where the process may give them away (as root);
    // otherwise the new file is the process's own, like any file it creates.
    if (error_ == 0 && exists_ && (uid_ != ::geteuid() || gid_ != ::getegid())) {
      if (::fchown(fd_, uid_, gid_) == 0) check(::fchmod(fd_, mode_) == 0);
    }
    check(::close(fd_) == 0);
    fd_ = -1;
    if (error_ == 0 && check(::rename(temp_.c_str(), target_.c_str()) == 0)) temp_.clear();
  }
  if (error_ == 0) return true;
  if (why) *why = std::strerror(error_);
  return false;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* why) {
  AtomicFileWriter writer(path);
  writer.Write(bytes.data(), bytes.size());
  return writer.Commit(why);
}

bool CopyFileOver(const std::string& from, const std::string& to, std::string* why) {
  const auto bytes = ReadFile(from);
  if (!bytes) {
    if (why) *why = std::strerror(IsFile(from) ? EACCES : ENOENT);
    return false;
  }
  return WriteFileAtomic(to, *bytes, why);
}

bool RemoveFile(const std::string& path) {
  if (!IsFile(path)) return false;
  return ::unlink(NativePath(path).c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
  if (path.empty()) return false;
  return ::mkdir(NativePath(path).c_str(), 0755) == 0;
}

std::vector<DirEntry> ListDirectory(const std::string& path) {
  std::vector<DirEntry> entries;
  const std::string native = NativePath(path);
  DIR* dir = ::opendir(native.c_str());
  if (!dir) return entries;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    DirEntry entry{name, false};
    struct stat st;
    const std::string full = native + (native.ends_with('/') ? "" : "/") + name;
    if (::stat(full.c_str(), &st) == 0) entry.is_directory = S_ISDIR(st.st_mode);
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return entries;
}

namespace {

// Creates the folder with every missing parent; true when it exists afterwards.
bool MakeFolders(const std::string& dir) {
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = dir.find_last_of('/', dir.size() > 1 ? dir.size() - 2 : 0);
  if (slash != std::string::npos && slash > 0 && !MakeFolders(dir.substr(0, slash))) return false;
  return ::mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

std::string ProgramDir() {
  if (g_program_dir.empty()) {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe = n > 0 ? std::string(buf, size_t(n)) : std::string("./");
    const std::string exe_dir = exe.substr(0, exe.rfind('/') + 1);
    const std::string chosen = ChooseProgramDir(exe_dir, ::access(exe_dir.c_str(), W_OK) == 0,
                                                std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    // A data folder that cannot be made leaves the executable's folder: saves there fail
    // as they would in any read-only program folder, and nothing else breaks.
    g_program_dir = chosen == exe_dir || MakeFolders(chosen.substr(0, chosen.size() - 1)) ? chosen : exe_dir;
  }
  return g_program_dir;
}

void SetProgramDir(const std::string& dir) {
  g_program_dir = NativePath(dir);
  if (g_program_dir.empty() || g_program_dir.back() != '/') g_program_dir += '/';
}

}  // namespace platform
