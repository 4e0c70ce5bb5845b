#include <windows.h>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "runtime/platform/windows_error.h"

namespace platform {
namespace {

// Windows locks byte ranges, and a locked range cannot be read by anyone else: the lock
// takes one byte far beyond what the holder writes at the start of the file.
constexpr DWORD kLockedOffsetHigh = 1;

}  // namespace

struct LockFile::Handle {
  HANDLE file = INVALID_HANDLE_VALUE;
  bool writable = false;
};

LockFile::LockFile(const std::string& path) : handle_(new Handle), path_(path) {
  const std::wstring wide = WideFromBytes(path);
  handle_->file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  handle_->writable = handle_->file != INVALID_HANDLE_VALUE;
  if (handle_->file == INVALID_HANDLE_VALUE)
    handle_->file = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_->file == INVALID_HANDLE_VALUE) why_ = WindowsErrorText(::GetLastError());
}

LockFile::~LockFile() {
  if (handle_->file != INVALID_HANDLE_VALUE) ::CloseHandle(handle_->file);
  delete handle_;
}

LockFile::Result LockFile::TryLock() {
  if (handle_->file == INVALID_HANDLE_VALUE) return Result::NoFile;
  OVERLAPPED at{};
  at.OffsetHigh = kLockedOffsetHigh;
  if (::LockFileEx(handle_->file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
    return Result::Held;
  const DWORD error = ::GetLastError();
  if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return Result::Busy;
  why_ = WindowsErrorText(error);
  return Result::NoFile;
}

void LockFile::Unlock() {
  if (handle_->file == INVALID_HANDLE_VALUE) return;
  // Whoever takes the lock next without saying who it is is not taken for the last holder.
  LARGE_INTEGER start{};
  if (handle_->writable && ::SetFilePointerEx(handle_->file, start, nullptr, FILE_BEGIN)) ::SetEndOfFile(handle_->file);
  OVERLAPPED at{};
  at.OffsetHigh = kLockedOffsetHigh;
  ::UnlockFileEx(handle_->file, 0, 1, 0, &at);
}

void LockFile::SetHolder(const std::string& holder) {
  if (!handle_->writable) return;
  const std::string line = holder + "\r\n";
  LARGE_INTEGER start{};
  if (!::SetFilePointerEx(handle_->file, start, nullptr, FILE_BEGIN) || !::SetEndOfFile(handle_->file)) return;
  DWORD written = 0;
  ::WriteFile(handle_->file, line.data(), DWORD(line.size()), &written, nullptr);
}

std::string LockFile::Holder() const {
  if (handle_->file == INVALID_HANDLE_VALUE) return "";
  char buf[256];
  DWORD got = 0;
  OVERLAPPED at{};
  if (!::ReadFile(handle_->file, buf, sizeof buf, &got, &at) || got == 0) return "";
  std::string text(buf, got);
  const size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.resize(end);
  return text;
}

uint64_t ProcessId() { return uint64_t(::GetCurrentProcessId()); }

}  // namespace platform
