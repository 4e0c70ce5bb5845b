// What a write made with the system's permission may touch. The side that writes with that
// permission (the helper veltrane-write on Linux, the elevated veltrane.exe on Windows) runs
// these checks on what it found on disk before it writes a byte, so that the permission the
// user gave for one file cannot be bent to another: a link, a device, a file in a folder
// someone else could change under it, a file outside the system's configuration folder.
//
// The checks are pure: the caller looks at the path's folders and file and hands in what it
// saw; nothing here touches the disk, so that every case is a row of a table in the tests.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

// Why a write with the system's permission is refused; None lets it go ahead.
enum class WriteRefusal {
  None,
  NotAbsolute,    // a relative path means what the current folder makes of it
  NotNormal,      // "..", ".", doubled or trailing separators, a NUL: the path must say plainly which file
  OutsideRoot,    // only the system's configuration folder is written
  Link,           // a symbolic link (a reparse point) in the path could lead anywhere
  NotFolder,      // a step of the path that should be a folder is something else
  OpenFolder,     // a folder others than the administrator may change could swap the file under the write
  NotRegular,     // a folder, device, FIFO or socket is no file to replace
  HardLinked,     // replacing one name of a file with several names would split them apart
  ReadOnly,       // a file made read-only stays as it is, whoever asks
  Missing,        // only a first copy NAME.old, or a resolver file of the program's own, is made new
  NotACopy,       // that first copy holds anything but the file's own bytes
  TooLarge,       // more than kMaxElevatedWrite bytes is no configuration file
};

// The most a write with the system's permission takes: far above a hosts file of millions of
// names, far below what would fill a system disk by mistake.
inline constexpr uint64_t kMaxElevatedWrite = uint64_t(256) << 20;

// The folders, below the root, where a missing file may be made new when it is a file of the
// program's own (IsProgramFile): the folders from which DNS servers read whole files of
// names (dnsmasq's conf-dir, Unbound's include folder, BIND's and Knot Resolver's folders).
// Nothing else is ever made there: a program file is only comments and names to block.
inline constexpr std::string_view kNewFileFolders[] = {"dnsmasq.d", "unbound/unbound.conf.d", "bind",
                                                        "knot-resolver"};

// Content the program wrote as a whole file it owns: its first line is a comment ("#", ";"
// or "!") that says "Created with Veltrane: ".
bool IsProgramFile(std::string_view bytes);

// The words for a refusal, for the user.
const char* RefusalWords(WriteRefusal refusal);

// What one step of a path is, as the writing side saw it without following links.
struct PathStep {
  enum class Kind { Missing, Folder, File, Link, Other };
  Kind kind = Kind::Missing;
  uint32_t owner = 0;  // Linux: the owner's id (0: root)
  uint32_t group = 0;  // Linux: the group's id
  uint32_t mode = 0;   // Linux: the permission bits (07777); Windows: unused
  uint64_t links = 1;  // how many names the file has
  bool read_only = false;  // no write permission bit (Linux), the read-only attribute (Windows)
};

// Linux. `path` is the file to write, `root` the folder it must lie below ("/etc", a
// constant of the helper). `steps` describe the path's prefixes from the first folder below
// "/" down to the file itself ("/etc", "/etc/hosts"), and `top` the folder "/". When the
// file is missing, `sibling` describes NAME for a path NAME.old and `same_as_sibling` says
// whether the content is that file's own bytes.
struct PosixWrite {
  std::string_view path, root;
  PathStep top;
  std::vector<PathStep> steps;
  PathStep sibling;
  bool same_as_sibling = false;
  bool program_file = false;  // the content is a file of the program's own (IsProgramFile)
  uint64_t size = 0;
};
WriteRefusal CheckPosixWrite(const PosixWrite& write);

// Windows. `path` and `root` are full paths with a drive ("C:\Windows\System32\drivers\etc");
// `steps` describe every prefix below the drive's root down to the file.
struct WindowsWrite {
  std::string_view path, root;
  std::vector<PathStep> steps;
  PathStep sibling;
  bool same_as_sibling = false;
  uint64_t size = 0;
};
WriteRefusal CheckWindowsWrite(const WindowsWrite& write);

// The prefixes of a path whose form the checks accept, one per step: "/etc", "/etc/hosts"
// for "/etc/hosts"; "C:\Windows", ... for a Windows path. Empty for a path of another form.
std::vector<std::string_view> PosixSteps(std::string_view path);
std::vector<std::string_view> WindowsSteps(std::string_view path);

}  // namespace platform
