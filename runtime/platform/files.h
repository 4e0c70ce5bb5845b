// The one file layer every element goes through. Paths arrive in the program's own
// form, with "\" as the folder separator; this layer turns them into native paths.
// Saves are atomic: a temporary file beside the target is renamed over it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The path as the system takes it: on Linux "\" becomes "/" and nothing else changes;
// on Windows the path stays as it is (its bytes are Windows-1251, see code_page.h).
std::string NativePath(const std::string& path);

bool IsFile(const std::string& path);
bool IsDirectory(const std::string& path);
// An existing file that nobody may write: no write permission bit on Linux (so the
// superuser is refused too), the read-only attribute on Windows.
bool IsReadOnlyFile(const std::string& path);
// The path with links and "." / ".." resolved as far as it exists, in native form;
// the native path itself when it cannot be resolved.
std::string RealPath(const std::string& path);

// What reading a whole file found. Only a regular file is ever opened for reading: a
// FIFO, device or socket is refused at once (reading one might never end), and so is a
// folder.
struct FileContent {
  enum class Result { Missing, Unreadable, Read };
  Result result = Result::Missing;
  std::string bytes;  // Read: every byte of the file
  std::string why;    // Unreadable: why, in the system's words ("Permission denied")
};
FileContent ReadWholeFile(const std::string& path);

// The whole content of an existing regular file, or nothing when it is missing or unreadable.
std::optional<std::string> ReadFile(const std::string& path);

// ReadWholeFile a piece at a time, for a file that need not be held whole: `take` gets its
// bytes in order and may stop the reading by returning false (Stopped). A file larger than
// `limit` bytes is refused (TooLarge) before a byte is read, or as soon as it has grown
// beyond it while it is read.
struct FilePieces {
  enum class Result { Missing, Unreadable, TooLarge, Read, Stopped };
  Result result = Result::Missing;
  std::string why;  // Unreadable: why, in the system's words ("Permission denied")
};
FilePieces ReadFilePieces(const std::string& path, uint64_t limit, const std::function<bool(std::string_view)>& take);

// The words for a path that names something other than a regular file or a folder.
inline constexpr const char* kNotRegularFile = "Not a regular file (a FIFO, device or socket)";

// Replaces the file's content by `bytes`: written to a temporary file in the same
// folder, flushed, then renamed over the target, and the folder flushed too, so that the
// new file survives a power cut. The new file keeps what the old one carries besides its
// bytes: its permission bits, and where the process may set them its owner and group and
// its extended attributes (access lists, a security label). On any failure the old file
// stays whole, false is returned and `why`, when given, says why in the system's words
// ("Permission denied", "No space left on device").
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* why = nullptr);

// WriteFileAtomic piece by piece, for contents too large to build in memory first: the
// pieces go to the temporary file as they come, and nothing changes until Commit puts it
// in place. A writer destroyed without a successful Commit removes its temporary file.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path);
  // For a copy: the new file takes its access from the file at `like` (its permission bits
  // and extended attributes; on Windows its hidden attribute), not from the file it
  // replaces, so that a copy is never open to more people than its source. Its owner may
  // always write it (no read-only bits or attribute), so that the next copy can replace it.
  AtomicFileWriter(const std::string& path, const std::string& like);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // False once anything has failed; later pieces are dropped.
  bool Write(const char* data, size_t size);
  // Gives the new file the old one's (or the source's) access, flushes it and renames it
  // over the target. False, with the system's reason in `why`, when the old file stays.
  bool Commit(std::string* why = nullptr);
  // Whether the system refused the write for want of permission (the file or its folder
  // may not be written by this user): the one failure the system's permission can mend.
  // Known as soon as the writer is made, so that a caller can keep the content it would
  // have streamed. A file made read-only is no such refusal: it stays as it is for anyone.
  bool PermissionRefused() const;

 private:
  struct State;  // the system's handles, different on each platform
  std::unique_ptr<State> state_;
};

// Reads an existing regular file a piece at a time, for files too large to hold at once.
class FileReader {
 public:
  enum class Result { Missing, Unreadable, Open };

  explicit FileReader(const std::string& path);
  ~FileReader();
  FileReader(FileReader&&) noexcept;
  FileReader& operator=(FileReader&&) noexcept;

  // Open; Missing for no file (or no folder) of that name; Unreadable for one that
  // cannot be read, or is no regular file (a folder, a device), with the reason in Why.
  Result State() const { return result_; }
  const std::string& Why() const { return why_; }
  // Up to `size` bytes into `data`: their number, 0 at the end of the file, -1 on an
  // error (Why says which; the reader then counts as Unreadable).
  long long Read(char* data, size_t size);

 private:
  struct Handle;  // the system's handle, different on each platform
  std::unique_ptr<Handle> handle_;
  Result result_ = Result::Missing;
  std::string why_;
};

// What tells one state of a file from another without reading it: every save, rename or
// replacement changes it. Two stamps taken around an untouched file are equal. A change
// made within the same tick of the file system's clock as the stamp may leave it equal:
// `Recent` says when that could be so, and the content must then be compared instead.
struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  int64_t modified_ns = 0, changed_ns = 0;  // since 1970, as the file system keeps them
  uint64_t device = 0, id = 0;              // which file: a replaced file has a new id
  int64_t taken_ns = 0;                     // when the stamp was taken

  bool SameFile(const FileStamp& other) const {
    return exists == other.exists && size == other.size && modified_ns == other.modified_ns &&
           changed_ns == other.changed_ns && device == other.device && id == other.id;
  }
  // Changed within two seconds before the stamp was taken: coarse file system clocks (FAT
  // keeps two seconds) may not show a later change of the same size.
  bool Recent() const { return exists && taken_ns - std::max(modified_ns, changed_ns) < 2'000'000'000; }
};
FileStamp StampOf(const std::string& path);

// Copies a regular file, replacing the destination; atomic like WriteFileAtomic. The copy
// has the source's permission bits (its owner may write it) and extended attributes.
bool CopyFileOver(const std::string& from, const std::string& to, std::string* why = nullptr);
// How many names (hard links) the file has; 0 when there is none.
uint64_t LinkCount(const std::string& path);
// What a save says of a file with other names, which a replaced file would no longer share.
inline constexpr const char* kHardLinkedFile =
    "The file has other names (hard links), which would keep its old content";

bool RemoveFile(const std::string& path);
bool MakeDirectory(const std::string& path);

// Removes the temporary files that saves killed before their end left in `folder` and, down
// to `levels` more levels, in its subfolders: only files of the program's own naming
// (".veltrane-XXXXXX"; on Windows "vltXXXX.tmp"), and only those no save is writing now (a
// save holds its temporary file locked, or open for itself alone, until it is renamed) and
// that have not changed for two seconds. Returns how many went.
size_t RemoveLeftoverTemporaries(const std::string& folder, int levels = 0);

struct DirEntry {
  std::string name;
  bool is_directory = false;
};
// Entries of a folder (without "." and ".."), sorted by name; empty when it cannot be read.
std::vector<DirEntry> ListDirectory(const std::string& path);
// The same, telling a folder that is there but cannot be read (false, with the system's
// reason in `why`) from a missing one (true, no entries).
bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries, std::string* why);

// The program folder, with a trailing separator ("/" on Linux, "\" on Windows). On
// Windows it is the executable's folder (portable use). On Linux it is the executable's
// folder when the program may write there (a build folder, a portable copy), and
// otherwise the user's data folder (see program_dir.h), created when missing. Tests and
// the driver point it elsewhere with SetProgramDir.
std::string ProgramDir();
void SetProgramDir(const std::string& dir);

}  // namespace platform
