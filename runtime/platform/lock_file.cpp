#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"

namespace platform {

struct LockFile::Handle {
  int fd = -1;
  bool writable = false;
};

LockFile::LockFile(const std::string& path) : handle_(new Handle), path_(NativePath(path)) {
  // Made readable for everyone who may read the folder, so that any of its users can see who
  // holds it; a file that cannot be written is still locked through a descriptor opened for
  // reading.
  handle_->fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0644);
  handle_->writable = handle_->fd >= 0;
  if (handle_->fd < 0) handle_->fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
  if (handle_->fd < 0) why_ = std::strerror(errno);
}

LockFile::~LockFile() {
  if (handle_->fd >= 0) ::close(handle_->fd);
  delete handle_;
}

LockFile::Result LockFile::TryLock() {
  if (handle_->fd < 0) return Result::NoFile;
  for (;;) {
    if (::flock(handle_->fd, LOCK_EX | LOCK_NB) == 0) return Result::Held;
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return Result::Busy;
    why_ = std::strerror(errno);
    return Result::NoFile;
  }
}

void LockFile::Unlock() {
  if (handle_->fd < 0) return;
  // Whoever takes the lock next without saying who it is (a tool, an older program) is not
  // taken for the last holder.
  if (handle_->writable) [[maybe_unused]]
    const int emptied = ::ftruncate(handle_->fd, 0);
  ::flock(handle_->fd, LOCK_UN);
}

void LockFile::SetHolder(const std::string& holder) {
  if (!handle_->writable) return;
  const std::string line = holder + "\n";
  if (::ftruncate(handle_->fd, 0) != 0) return;
  [[maybe_unused]] const ssize_t written = ::pwrite(handle_->fd, line.data(), line.size(), 0);
}

std::string LockFile::Holder() const {
  if (handle_->fd < 0) return "";
  char buf[256];
  const ssize_t n = ::pread(handle_->fd, buf, sizeof buf, 0);
  if (n <= 0) return "";
  std::string text(buf, size_t(n));
  const size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.resize(end);
  return text;
}

uint64_t ProcessId() { return uint64_t(::getpid()); }

}  // namespace platform
