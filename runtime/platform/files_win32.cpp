// The file layer on Windows. Paths keep the program's "\" and go to the wide API through
// the fixed Windows-1251 conversion (code_page.h). Saves write a temporary file beside
// the target and put it in place with ReplaceFileW (which keeps the old file's attributes
// and security) or, for a new file, MoveFileExW.
#include "runtime/platform/files.h"

#include <windows.h>

#include <algorithm>

#include "runtime/platform/code_page.h"
#include "runtime/platform/windows_error.h"

namespace platform {
namespace {

std::string g_program_dir;

std::wstring Wide(const std::string& path) { return WideFromBytes(NativePath(path)); }

DWORD Attributes(const std::string& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(Wide(path).c_str());
}

std::string FolderOf(const std::string& native) {
  const size_t sep = native.find_last_of("\\/");
  if (sep == std::string::npos) return ".";
  if (sep == 0 || (sep == 2 && native[1] == ':')) return native.substr(0, sep + 1);
  return native.substr(0, sep);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

std::string NativePath(const std::string& path) { return path; }

bool IsFile(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_READONLY);
}

std::string RealPath(const std::string& path) {
  const std::wstring wide = Wide(path);
  wchar_t buf[32768];
  const DWORD n = ::GetFullPathNameW(wide.c_str(), 32768, buf, nullptr);
  return n > 0 && n < 32768 ? BytesFromWide(std::wstring_view(buf, n)) : NativePath(path);
}

FileContent ReadWholeFile(const std::string& path) {
  FileContent content;
  if (path.empty()) return content;
  auto unreadable = [&content](std::string why) {
    content.result = FileContent::Result::Unreadable;
    content.why = std::move(why);
    return std::move(content);
  };
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return content;
    return unreadable(WindowsErrorText(error));
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return unreadable(WindowsErrorText(ERROR_DIRECTORY));
  HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return unreadable(WindowsErrorText(::GetLastError()));
  // A pipe or a device (CON, COM1) is no file to read, and reading one might never end.
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return unreadable(kNotRegularFile);
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    return unreadable(WindowsErrorText(error));
  }
  std::string& bytes = content.bytes;
  // One byte more than the file holds, so that the read which finds its end needs no room
  // of its own: growing the text for it would double its memory for nothing.
  bytes.resize(static_cast<size_t>(size.QuadPart) + 1);
  size_t got = 0;
  for (;;) {
    // A file that grows while it is read is read to its new end.
    if (got == bytes.size()) bytes.resize(std::max<size_t>(bytes.size() * 2, 4096));
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 30));
    DWORD n = 0;
    if (!::ReadFile(file, bytes.data() + got, chunk, &n, nullptr)) {
      const DWORD error = ::GetLastError();
      ::CloseHandle(file);
      bytes = std::string();
      return unreadable(WindowsErrorText(error));
    }
    if (n == 0) break;
    got += n;
  }
  ::CloseHandle(file);
  bytes.resize(got);
  content.result = FileContent::Result::Read;
  return content;
}

FilePieces ReadFilePieces(const std::string& path, uint64_t limit, const std::function<bool(std::string_view)>& take) {
  FilePieces read;
  if (path.empty()) return read;
  auto unreadable = [&read](DWORD error) {
    read.result = FilePieces::Result::Unreadable;
    read.why = WindowsErrorText(error);
    return read;
  };
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return read;
    return unreadable(error);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return unreadable(ERROR_DIRECTORY);
  HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return unreadable(::GetLastError());
  // A pipe or a device (CON, COM1) is no file to read, and reading one might never end.
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    read.result = FilePieces::Result::Unreadable;
    read.why = kNotRegularFile;
    return read;
  }
  LARGE_INTEGER size{};
  const bool sized = ::GetFileSizeEx(file, &size) && size.QuadPart >= 0;
  read.result = sized && uint64_t(size.QuadPart) > limit ? FilePieces::Result::TooLarge : FilePieces::Result::Read;
  std::vector<char> buffer(read.result == FilePieces::Result::TooLarge ? 0 : 1u << 20);
  for (uint64_t total = 0; read.result == FilePieces::Result::Read;) {
    DWORD n = 0;
    if (!::ReadFile(file, buffer.data(), DWORD(buffer.size()), &n, nullptr)) {
      const DWORD error = ::GetLastError();
      ::CloseHandle(file);
      return unreadable(error);
    }
    if (n == 0) break;
    if ((total += n) > limit) read.result = FilePieces::Result::TooLarge;
    else if (!take(std::string_view(buffer.data(), n))) read.result = FilePieces::Result::Stopped;
  }
  ::CloseHandle(file);
  return read;
}

std::optional<std::string> ReadFile(const std::string& path) {
  FileContent content = ReadWholeFile(path);
  if (content.result != FileContent::Result::Read) return std::nullopt;
  return std::move(content.bytes);
}

struct AtomicFileWriter::State {
  std::wstring target, temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD error = 0;
  bool exists = false;
  bool read_only = false;  // the read-only attribute refuses everyone
  std::wstring like;       // a copy's source: the new file's hidden attribute comes from it
};

AtomicFileWriter::AtomicFileWriter(const std::string& path) : state_(std::make_unique<State>()) {
  State& s = *state_;
  if (path.empty()) {
    s.error = ERROR_PATH_NOT_FOUND;
    return;
  }
  s.target = Wide(path);
  const DWORD attributes = ::GetFileAttributesW(s.target.c_str());
  s.exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (s.exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    s.error = ERROR_DIRECTORY;
    return;
  }
  // The read-only attribute refuses the save, whoever asks.
  if (s.exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
    s.error = ERROR_ACCESS_DENIED;
    s.read_only = true;
    return;
  }
  // A save killed earlier in this folder left its temporary file behind.
  RemoveLeftoverTemporaries(FolderOf(path));
  wchar_t temp[MAX_PATH + 1];
  if (!::GetTempFileNameW(WideFromBytes(FolderOf(path)).c_str(), L"vlt", 0, temp)) {
    s.error = ::GetLastError();
    return;
  }
  s.temp = temp;
  s.file = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (s.file == INVALID_HANDLE_VALUE) s.error = ::GetLastError();
}

AtomicFileWriter::AtomicFileWriter(const std::string& path, const std::string& like) : AtomicFileWriter(path) {
  state_->like = Wide(like);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (state_->file != INVALID_HANDLE_VALUE) ::CloseHandle(state_->file);
  if (!state_->temp.empty()) ::DeleteFileW(state_->temp.c_str());
}

bool AtomicFileWriter::Write(const char* data, size_t size) {
  State& s = *state_;
  if (s.error != 0 || s.file == INVALID_HANDLE_VALUE) return false;
  if (!WriteAll(s.file, std::string_view(data, size)))
    s.error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
  return s.error == 0;
}

bool AtomicFileWriter::Commit(std::string* why) {
  State& s = *state_;
  if (s.error == 0 && s.file != INVALID_HANDLE_VALUE) {
    if (!::FlushFileBuffers(s.file)) s.error = ::GetLastError();
    ::CloseHandle(s.file);
    s.file = INVALID_HANDLE_VALUE;
    if (s.error == 0 && s.exists) {
      // ReplaceFileW keeps the old file's attributes, owner and access rules on the new one.
      if (!::ReplaceFileW(s.target.c_str(), s.temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                          nullptr)) {
        s.error = ::GetLastError();
        // File systems without replace support: a plain move over the old file, which is kept
        // in the temporary's place when the move fails.
        if (::MoveFileExW(s.temp.c_str(), s.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
          s.error = 0;
      }
    } else if (s.error == 0 &&
               !::MoveFileExW(s.temp.c_str(), s.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      s.error = ::GetLastError();
    }
    if (s.error == 0) s.temp.clear();
    // ReplaceFileW gave a copy the attributes of the copy it replaced; a copy takes the
    // source's hidden attribute instead, and is never read-only, so that the next copy can
    // replace it. A new file takes its folder's access rules, as any file made there does.
    if (s.error == 0 && !s.like.empty()) {
      const DWORD source = ::GetFileAttributesW(s.like.c_str());
      const DWORD now = ::GetFileAttributesW(s.target.c_str());
      if (source != INVALID_FILE_ATTRIBUTES && now != INVALID_FILE_ATTRIBUTES) {
        const DWORD wanted =
            (now & ~(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)) | (source & FILE_ATTRIBUTE_HIDDEN);
        if (wanted != now) ::SetFileAttributesW(s.target.c_str(), wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted);
      }
    }
  }
  if (s.error == 0) return true;
  if (why) *why = WindowsErrorText(s.error);
  return false;
}

bool AtomicFileWriter::PermissionRefused() const {
  return (state_->error == ERROR_ACCESS_DENIED || state_->error == ERROR_PRIVILEGE_NOT_HELD) && !state_->read_only;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* why) {
  AtomicFileWriter writer(path);
  writer.Write(bytes.data(), bytes.size());
  return writer.Commit(why);
}

struct FileReader::Handle {
  HANDLE file = INVALID_HANDLE_VALUE;
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
};

FileReader::FileReader(const std::string& path) {
  if (path.empty()) return;
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      result_ = Result::Unreadable;
      why_ = WindowsErrorText(error);
    }
    return;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    // A folder is no file to read.
    result_ = Result::Unreadable;
    why_ = WindowsErrorText(ERROR_DIRECTORY);
    return;
  }
  HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    result_ = Result::Unreadable;
    why_ = WindowsErrorText(::GetLastError());
    return;
  }
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    result_ = Result::Unreadable;
    why_ = kNotRegularFile;
    return;
  }
  handle_ = std::make_unique<Handle>();
  handle_->file = file;
  result_ = Result::Open;
}

FileReader::~FileReader() = default;
FileReader::FileReader(FileReader&&) noexcept = default;
FileReader& FileReader::operator=(FileReader&&) noexcept = default;

long long FileReader::Read(char* data, size_t size) {
  if (!handle_) return 0;
  DWORD n = 0;
  if (!::ReadFile(handle_->file, data, static_cast<DWORD>(std::min<size_t>(size, 1u << 30)), &n, nullptr)) {
    result_ = Result::Unreadable;
    why_ = WindowsErrorText(::GetLastError());
    return -1;
  }
  return n;
}

bool CopyFileOver(const std::string& from, const std::string& to, std::string* why) {
  FileContent content = ReadWholeFile(from);
  if (content.result != FileContent::Result::Read) {
    if (why)
      *why = content.result == FileContent::Result::Missing ? WindowsErrorText(ERROR_FILE_NOT_FOUND) : content.why;
    return false;
  }
  AtomicFileWriter writer(to, from);
  writer.Write(content.bytes.data(), content.bytes.size());
  return writer.Commit(why);
}

namespace {
// FILETIME counts 100 ns from 1601; the stamp counts nanoseconds from 1970.
int64_t UnixNanoseconds(const FILETIME& time) {
  const int64_t ticks = int64_t((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  return (ticks - 116444736000000000LL) * 100;
}
}  // namespace

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  stamp.taken_ns = UnixNanoseconds(now);
  if (path.empty()) return stamp;
  // No access is asked for: the file's information can be read even while another
  // program holds it open without sharing.
  HANDLE file = ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return stamp;
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileInformationByHandle(file, &info)) {
    stamp.exists = true;
    stamp.size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modified_ns = UnixNanoseconds(info.ftLastWriteTime);
    stamp.changed_ns = stamp.modified_ns;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.id = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  ::CloseHandle(file);
  return stamp;
}

uint64_t LinkCount(const std::string& path) {
  if (path.empty()) return 0;
  HANDLE file = ::CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool got = ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  return got ? info.nNumberOfLinks : 0;
}

bool RemoveFile(const std::string& path) { return IsFile(path) && ::DeleteFileW(Wide(path).c_str()); }

namespace {

// "vltXXXX.tmp", with one to four hexadecimal digits: GetTempFileNameW's names for the prefix "vlt".
bool IsTemporaryName(std::wstring_view name) {
  if (name.size() < 8 || name.size() > 11) return false;
  if (name.substr(0, 3) != L"vlt" && name.substr(0, 3) != L"VLT") return false;
  const std::wstring_view tail = name.substr(name.size() - 4);
  if (tail != L".tmp" && tail != L".TMP") return false;
  for (wchar_t c : name.substr(3, name.size() - 7))
    if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'))) return false;
  return true;
}

}  // namespace

size_t RemoveLeftoverTemporaries(const std::string& folder, int levels) {
  std::wstring base = Wide(folder.empty() ? "." : folder);
  if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((base + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  FILETIME now_time;
  ::GetSystemTimeAsFileTime(&now_time);
  const ULONGLONG now = (ULONGLONG(now_time.dwHighDateTime) << 32) | now_time.dwLowDateTime;
  std::vector<std::wstring> subfolders;
  size_t removed = 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (levels > 0 && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.push_back(name);
      continue;
    }
    if (!IsTemporaryName(name) || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const ULONGLONG written =
        (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
    // A save holds its temporary file open for itself alone, so deleting it fails while it
    // writes; one just made may not be open yet: two seconds, in 100-nanosecond steps.
    if (written + 20'000'000ull > now) continue;
    if (::DeleteFileW((base + name).c_str())) ++removed;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  for (const std::wstring& name : subfolders)
    removed += RemoveLeftoverTemporaries(BytesFromWide(base + name), levels - 1);
  return removed;
}

bool MakeDirectory(const std::string& path) { return !path.empty() && ::CreateDirectoryW(Wide(path).c_str(), nullptr); }

std::vector<DirEntry> ListDirectory(const std::string& path) {
  std::vector<DirEntry> entries;
  ListDirectory(path, entries, nullptr);
  return entries;
}

bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries, std::string* why) {
  entries.clear();
  if (path.empty()) return true;
  std::string pattern = NativePath(path);
  if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(WideFromBytes(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) return true;
    if (why) *why = WindowsErrorText(error);
    return false;
  }
  do {
    const std::string name = BytesFromWide(found.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileW(search, &found));
  const DWORD error = ::GetLastError();
  ::FindClose(search);
  if (error != ERROR_NO_MORE_FILES) {
    entries.clear();
    if (why) *why = WindowsErrorText(error);
    return false;
  }
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return true;
}

std::string ProgramDir() {
  if (g_program_dir.empty()) {
    // The executable's folder, as specified for a portable program.
    std::wstring exe(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()));
    exe.resize(n);
    const std::string name = BytesFromWide(exe);
    g_program_dir = name.substr(0, name.find_last_of("\\/") + 1);
    if (g_program_dir.empty()) g_program_dir = ".\\";
  }
  return g_program_dir;
}

void SetProgramDir(const std::string& dir) {
  std::string full = dir.empty() ? std::string(".") : dir;
  std::replace(full.begin(), full.end(), '/', '\\');
  full = RealPath(full);
  if (full.empty() || full.back() != '\\') full += '\\';
  g_program_dir = full;
}

}  // namespace platform
