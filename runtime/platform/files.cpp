#include "runtime/platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "runtime/platform/program_dir.h"

namespace platform {
namespace {

std::string g_program_dir;

// The name every temporary file of a save starts with, followed by six random characters.
constexpr const char* kTemporaryPrefix = ".veltrane-";

// The writer's error for a target that is a FIFO, device or socket (no errno says that).
constexpr int kNotRegularError = -1;

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

namespace {

// Opens an existing regular file for reading, never waiting on it: the path is looked at
// before it is opened, and opened without blocking in case it became a FIFO in between.
// -1 with `error` set (0 for a missing file) or with `*not_regular` set otherwise.
int OpenRegular(const std::string& native, int& error, bool& not_regular) {
  error = 0;
  not_regular = false;
  struct stat st;
  if (::stat(native.c_str(), &st) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) error = errno;
    return -1;
  }
  if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    not_regular = true;
    return -1;
  }
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = errno == ENOENT ? 0 : errno;
    return -1;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    not_regular = true;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace

FileContent ReadWholeFile(const std::string& path) {
  FileContent content;
  if (path.empty()) return content;
  int error = 0;
  bool not_regular = false;
  const int fd = OpenRegular(NativePath(path), error, not_regular);
  if (fd < 0) {
    if (not_regular || error != 0) {
      content.result = FileContent::Result::Unreadable;
      content.why = not_regular ? kNotRegularFile : std::strerror(error);
    }
    return content;
  }
  struct stat st;
  std::string& bytes = content.bytes;
  // One byte more than the file holds, so that the read which finds its end needs no room
  // of its own: growing the text for it would double its memory for nothing.
  if (::fstat(fd, &st) == 0) bytes.resize(size_t(st.st_size) + 1);
  size_t got = 0;
  for (;;) {
    // A file that grows while it is read is read to its new end.
    if (got == bytes.size()) bytes.resize(std::max<size_t>(bytes.size() * 2, 4096));
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      content.result = FileContent::Result::Unreadable;
      content.why = std::strerror(errno);
      ::close(fd);
      bytes = std::string();
      return content;
    }
    if (n == 0) break;
    got += size_t(n);
  }
  ::close(fd);
  bytes.resize(got);
  content.result = FileContent::Result::Read;
  return content;
}

std::optional<std::string> ReadFile(const std::string& path) {
  FileContent content = ReadWholeFile(path);
  if (content.result != FileContent::Result::Read) return std::nullopt;
  return std::move(content.bytes);
}

FilePieces ReadFilePieces(const std::string& path, uint64_t limit, const std::function<bool(std::string_view)>& take) {
  FilePieces read;
  if (path.empty()) return read;
  int error = 0;
  bool not_regular = false;
  const int fd = OpenRegular(NativePath(path), error, not_regular);
  if (fd < 0) {
    if (not_regular || error != 0) {
      read.result = FilePieces::Result::Unreadable;
      read.why = not_regular ? kNotRegularFile : std::strerror(error);
    }
    return read;
  }
  struct stat st;
  uint64_t total = ::fstat(fd, &st) == 0 ? uint64_t(st.st_size) : 0;
  read.result = total > limit ? FilePieces::Result::TooLarge : FilePieces::Result::Read;
  std::vector<char> buffer(total > limit ? 0 : 1u << 20);
  for (total = 0; read.result == FilePieces::Result::Read;) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      read.result = FilePieces::Result::Unreadable;
      read.why = std::strerror(errno);
    } else if (n == 0) {
      break;
    } else if ((total += uint64_t(n)) > limit) {
      read.result = FilePieces::Result::TooLarge;
    } else if (!take(std::string_view(buffer.data(), size_t(n)))) {
      read.result = FilePieces::Result::Stopped;
    }
  }
  ::close(fd);
  return read;
}

namespace {

// An attribute the process may not give a file, or one its file system does not keep: a
// security label only an administrator may set, a name space the system reserves.
bool MayNotSet(int error) {
  return error == EPERM || error == EACCES || error == ENOTSUP || error == EOPNOTSUPP || error == EINVAL;
}

// Reads one list or value of the extended attributes into `bytes`, growing it while the
// attribute grows in between; 0 or the error.
template <class Get>
int ReadAttributeBytes(std::vector<char>& bytes, Get get) {
  for (;;) {
    ssize_t n = get(nullptr, 0);
    if (n < 0) return errno;
    bytes.resize(size_t(n));
    n = get(bytes.data(), bytes.size());
    if (n >= 0) {
      bytes.resize(size_t(n));
      return 0;
    }
    if (errno != ERANGE) return errno;
  }
}

// Gives the open file `fd` every extended attribute of the file at `from` (user
// attributes, the access list, the security label). What the process may not set is left
// out, since the file is still whole without it; any other failure is the save's.
int CopyExtendedAttributes(const std::string& from, int fd) {
  std::vector<char> names, value;
  const int listed =
      ReadAttributeBytes(names, [&from](char* list, size_t size) { return ::listxattr(from.c_str(), list, size); });
  if (listed != 0) return MayNotSet(listed) || listed == ENOENT ? 0 : listed;
  for (size_t at = 0; at < names.size();) {
    const char* name = names.data() + at;
    at += std::strlen(name) + 1;
    const int read = ReadAttributeBytes(
        value, [&from, name](char* data, size_t size) { return ::getxattr(from.c_str(), name, data, size); });
    if (read == ENODATA) continue;  // removed since it was listed
    if (read != 0) {
      if (MayNotSet(read)) continue;
      return read;
    }
    if (::fsetxattr(fd, name, value.data(), value.size(), 0) != 0 && !MayNotSet(errno)) return errno;
  }
  return 0;
}

}  // namespace

struct AtomicFileWriter::State {
  std::string target, temp;
  int fd = -1;
  int error = 0;
  bool exists = false;
  bool read_only = false;  // the file's permission bits let nobody write it
  mode_t mode = 0;
  uid_t uid = 0;
  gid_t gid = 0;
  std::string like;  // a copy's source: the new file's access comes from it
};

AtomicFileWriter::AtomicFileWriter(const std::string& path) : state_(std::make_unique<State>()) {
  State& s = *state_;
  if (path.empty()) {
    s.error = ENOENT;
    return;
  }
  s.target = NativePath(path);
  // Saving through a symbolic link replaces the file it points to, never the link itself.
  char resolved[PATH_MAX];
  struct stat lst;
  if (::lstat(s.target.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode) && ::realpath(s.target.c_str(), resolved))
    s.target = resolved;
  struct stat st;
  s.exists = ::stat(s.target.c_str(), &st) == 0;
  if (s.exists) {
    s.mode = st.st_mode & 07777;
    s.uid = st.st_uid;
    s.gid = st.st_gid;
    if (!S_ISREG(st.st_mode)) {
      s.error = S_ISDIR(st.st_mode) ? EISDIR : kNotRegularError;
      return;
    }
    // A file the user made read-only stays untouched, as it would on the original platform;
    // the permission bits decide, so that this holds for root as well.
    if ((st.st_mode & 0222) == 0) {
      s.error = EACCES;
      s.read_only = true;
      return;
    }
    if (::access(s.target.c_str(), W_OK) != 0) {
      s.error = errno;
      return;
    }
  }
  // A save killed earlier in this folder left its temporary file behind.
  RemoveLeftoverTemporaries(FolderOf(s.target));
  s.temp = FolderOf(s.target) + "/" + kTemporaryPrefix + "XXXXXX";
  s.fd = ::mkostemp(s.temp.data(), O_CLOEXEC);
  if (s.fd < 0) {
    s.error = errno;
    s.temp.clear();
    return;
  }
  // Locked while it lives, so that no other process takes it for a leftover.
  ::flock(s.fd, LOCK_EX | LOCK_NB);
}

AtomicFileWriter::AtomicFileWriter(const std::string& path, const std::string& like) : AtomicFileWriter(path) {
  State& s = *state_;
  s.like = NativePath(like);
  struct stat st;
  // Set-user and set-group bits never pass to a copy; a source that went away in between
  // leaves a copy for its owner only.
  s.mode = (::stat(s.like.c_str(), &st) == 0 ? st.st_mode & 0777 : 0600) | S_IWUSR;
}

AtomicFileWriter::~AtomicFileWriter() {
  if (state_->fd >= 0) ::close(state_->fd);
  if (!state_->temp.empty()) ::unlink(state_->temp.c_str());
}

bool AtomicFileWriter::Write(const char* data, size_t size) {
  State& s = *state_;
  if (s.error != 0 || s.fd < 0) return false;
  errno = 0;
  if (!WriteAll(s.fd, data, size)) s.error = errno ? errno : EIO;
  return s.error == 0;
}

bool AtomicFileWriter::Commit(std::string* why) {
  State& s = *state_;
  auto check = [&s](bool done) {
    if (!done && s.error == 0) s.error = errno ? errno : EIO;
    return done;
  };
  if (s.error == 0 && s.fd >= 0) {
    errno = 0;
    const bool copy = !s.like.empty();
    // Owner and group follow the old file where the process may give them away (as root);
    // otherwise the new file is the process's own, like any file it creates. A copy is the
    // process's own. The owner goes first: changing it drops attributes tied to it.
    if (!copy && s.exists && (s.uid != ::geteuid() || s.gid != ::getegid())) {
      [[maybe_unused]] const int given = ::fchown(s.fd, s.uid, s.gid);
    }
    if (copy || s.exists) {
      const int error = CopyExtendedAttributes(copy ? s.like : s.target, s.fd);
      if (error != 0) s.error = error;
    }
    // The bits last: an access list set above must not widen them.
    if (s.error == 0) check(::fchmod(s.fd, copy || s.exists ? s.mode : 0644) == 0);
    if (s.error == 0) check(::fsync(s.fd) == 0);
    check(::close(s.fd) == 0);
    s.fd = -1;
    if (s.error == 0 && check(::rename(s.temp.c_str(), s.target.c_str()) == 0)) {
      s.temp.clear();
      // The rename lives in the folder. The file is in place whatever this gives: a folder
      // that cannot be flushed (some file systems refuse) is no reason to call the save failed.
      const int folder = ::open(FolderOf(s.target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (folder >= 0) {
        [[maybe_unused]] const int flushed = ::fsync(folder);
        ::close(folder);
      }
    }
  }
  if (s.error == 0) return true;
  if (why) *why = s.error == kNotRegularError ? kNotRegularFile : std::strerror(s.error);
  return false;
}

bool AtomicFileWriter::PermissionRefused() const {
  return (state_->error == EACCES || state_->error == EPERM) && !state_->read_only;
}

struct FileReader::Handle {
  int fd = -1;
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (fd >= 0) ::close(fd);
  }
};

FileReader::FileReader(const std::string& path) {
  if (path.empty()) return;
  int error = 0;
  bool not_regular = false;
  const int fd = OpenRegular(NativePath(path), error, not_regular);
  if (fd < 0) {
    // A folder, a FIFO or a device is no file to read, and reading one might never end.
    if (not_regular || error != 0) {
      result_ = Result::Unreadable;
      why_ = not_regular ? kNotRegularFile : std::strerror(error);
    }
    return;
  }
  handle_ = std::make_unique<Handle>();
  handle_->fd = fd;
  result_ = Result::Open;
}

FileReader::~FileReader() = default;

FileReader::FileReader(FileReader&&) noexcept = default;
FileReader& FileReader::operator=(FileReader&&) noexcept = default;

long long FileReader::Read(char* data, size_t size) {
  if (!handle_ || handle_->fd < 0) return 0;
  ssize_t n;
  do n = ::read(handle_->fd, data, size);
  while (n < 0 && errno == EINTR);
  if (n < 0) {
    result_ = Result::Unreadable;
    why_ = std::strerror(errno);
    return -1;
  }
  return n;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* why) {
  AtomicFileWriter writer(path);
  writer.Write(bytes.data(), bytes.size());
  return writer.Commit(why);
}

bool CopyFileOver(const std::string& from, const std::string& to, std::string* why) {
  FileContent content = ReadWholeFile(from);
  if (content.result != FileContent::Result::Read) {
    if (why) *why = content.result == FileContent::Result::Missing ? std::strerror(ENOENT) : content.why;
    return false;
  }
  AtomicFileWriter writer(to, from);
  writer.Write(content.bytes.data(), content.bytes.size());
  return writer.Commit(why);
}

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  stamp.taken_ns = int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
  struct stat st;
  if (path.empty() || ::stat(NativePath(path).c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.size = uint64_t(st.st_size);
  stamp.modified_ns = int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  stamp.changed_ns = int64_t(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
  stamp.device = uint64_t(st.st_dev);
  stamp.id = uint64_t(st.st_ino);
  return stamp;
}

uint64_t LinkCount(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(NativePath(path).c_str(), &st) == 0 ? uint64_t(st.st_nlink) : 0;
}

bool RemoveFile(const std::string& path) {
  if (!IsFile(path)) return false;
  return ::unlink(NativePath(path).c_str()) == 0;
}

size_t RemoveLeftoverTemporaries(const std::string& folder, int levels) {
  const std::string native = NativePath(folder);
  DIR* dir = ::opendir(native.empty() ? "." : native.c_str());
  if (!dir) return 0;
  const std::string base = native.empty() || native.ends_with('/') ? native : native + "/";
  std::vector<std::string> temporaries, subfolders;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    if (name.size() == std::strlen(kTemporaryPrefix) + 6 && name.starts_with(kTemporaryPrefix))
      temporaries.emplace_back(name);
    else if (levels > 0 && (e->d_type == DT_DIR || e->d_type == DT_UNKNOWN)) subfolders.emplace_back(name);
  }
  ::closedir(dir);
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  size_t removed = 0;
  for (const std::string& name : temporaries) {
    const std::string path = base + name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st, again;
    // A save writing it holds its lock; one just made may not have taken it yet.
    const bool leftover = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now.tv_sec - st.st_mtim.tv_sec >= 2 &&
                          ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    // The name must still be that file when it goes.
    if (leftover && ::lstat(path.c_str(), &again) == 0 && again.st_ino == st.st_ino && again.st_dev == st.st_dev &&
        ::unlink(path.c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  for (const std::string& name : subfolders) {
    struct stat st;
    if (::lstat((base + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
      removed += RemoveLeftoverTemporaries(base + name, levels - 1);
  }
  return removed;
}

bool MakeDirectory(const std::string& path) {
  if (path.empty()) return false;
  return ::mkdir(NativePath(path).c_str(), 0755) == 0;
}

std::vector<DirEntry> ListDirectory(const std::string& path) {
  std::vector<DirEntry> entries;
  ListDirectory(path, entries, nullptr);
  return entries;
}

bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries, std::string* why) {
  entries.clear();
  const std::string native = NativePath(path);
  DIR* dir = ::opendir(native.c_str());
  if (!dir) {
    if (errno == ENOENT || errno == ENOTDIR) return true;
    if (why) *why = std::strerror(errno);
    return false;
  }
  errno = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    DirEntry entry{name, false};
    struct stat st;
    const std::string full = native + (native.ends_with('/') ? "" : "/") + name;
    if (::stat(full.c_str(), &st) == 0) entry.is_directory = S_ISDIR(st.st_mode);
    entries.push_back(std::move(entry));
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) {
    entries.clear();
    if (why) *why = std::strerror(error);
    return false;
  }
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return true;
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
