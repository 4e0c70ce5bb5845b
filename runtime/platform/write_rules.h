// What a write made with the system's permission may touch. The side that writes with that
// permission (the helper veltrane-write on Linux, the elevated veltrane.exe on Windows) runs
// these checks on what it found on disk before it writes a byte, so that the permission the
// user gave for one file cannot be bent to another: only the files the program writes (the
// hosts file, its first copy, the program's own resolver files in a DNS server's folder),
// only with what the program writes into them, never through a link, a device, a file in a
// folder someone else could change under it, or a file the system would run.
//
// The checks are pure: the caller looks at the path's folders and file and hands in what it
// saw; nothing here touches the disk, so that every case is a row of a table in the tests.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/platform/resolver_file_grammar.h"

namespace platform {

// Why a write with the system's permission is refused; None lets it go ahead.
enum class WriteRefusal {
  None,
  NotAbsolute,      // a relative path means what the current folder makes of it
  NotNormal,        // "..", ".", doubled or trailing separators, a NUL: the path must say plainly which file
  OutsideRoot,      // only the system's configuration folder is written
  NotProgramPath,   // below it, only the files the program writes there
  Link,             // a symbolic link (a reparse point) in the path could lead anywhere
  NotFolder,        // a step of the path that should be a folder is something else
  OpenFolder,       // a folder others than the administrator may change could swap the file under the write
  NotRegular,       // a folder, device, FIFO or socket is no file to replace
  HardLinked,       // replacing one name of a file with several names would split them apart
  ReadOnly,         // a file made read-only stays as it is, whoever asks
  Executable,       // a set-user-id or set-group-id bit, an execute bit or a file capability: a program
  Missing,          // only the first copy hosts.old, or a resolver file of the program's own, is made new
  CopyExists,       // the first copy is made once and never replaced
  NotACopy,         // that first copy holds anything but the hosts file's own bytes
  NotProgramFile,   // a file in a server's folder whose first line lacks the program's mark is the administrator's
  NotResolverFile,  // a resolver file holds a line the program never writes (resolver_file_grammar.h)
  NotText,          // a hosts file with a NUL byte is no text
  TooLarge,         // more than kMaxElevatedWrite bytes is no configuration file
};
inline constexpr WriteRefusal kLastRefusal = WriteRefusal::TooLarge;

// The most a write with the system's permission takes: far above a hosts file of millions of
// names, far below what would fill a system disk by mistake.
inline constexpr uint64_t kMaxElevatedWrite = uint64_t(256) << 20;

// The folders below the root ("/etc") where the program's resolver files lie, directly, and
// the format the DNS server that reads the folder takes (dnsmasq's conf-dir, Unbound's include
// folder, BIND's and Knot Resolver's folders, which load response policy zones). The folder
// decides the format, never what the caller says the file is.
struct ResolverFolder {
  std::string_view folder;
  ResolverGrammar format;
};
inline constexpr ResolverFolder kResolverFolders[] = {{"dnsmasq.d", ResolverGrammar::Dnsmasq},
                                                      {"unbound/unbound.conf.d", ResolverGrammar::Unbound},
                                                      {"bind", ResolverGrammar::Rpz},
                                                      {"knot-resolver", ResolverGrammar::Rpz}};

// What a plain path below the root is to the program.
struct ProgramPath {
  enum class Kind { None, Hosts, HostsCopy, ResolverFile };
  Kind kind = Kind::None;
  ResolverGrammar format = ResolverGrammar::Dnsmasq;  // ResolverFile: its folder's format
};
ProgramPath PosixProgramPath(std::string_view path, std::string_view root);
ProgramPath WindowsProgramPath(std::string_view path, std::string_view root);

// Content the program wrote as a whole file it owns: its first line is a comment ("#", ";"
// or "!") that says "Created with Veltrane: ".
bool IsProgramFile(std::string_view bytes);

// The words for a refusal, for the user.
const char* RefusalWords(WriteRefusal refusal);

// What one step of a path is, as the writing side saw it without following links.
struct PathStep {
  enum class Kind { Missing, Folder, File, Link, Other };
  Kind kind = Kind::Missing;
  uint32_t owner = 0;       // Linux: the owner's id (0: root)
  uint32_t group = 0;       // Linux: the group's id
  uint32_t mode = 0;        // Linux: the permission bits (07777); Windows: unused
  uint64_t links = 1;       // how many names the file has
  bool read_only = false;   // no write permission bit (Linux), the read-only attribute (Windows)
  bool capability = false;  // Linux: a file capability (the attribute security.capability)
  bool open = false;        // Windows: a folder whose access rules let others than administrators change it
};

// Linux. `path` is the file to write, `root` the folder it must lie below ("/etc", a
// constant of the helper). `steps` describe the path's prefixes from the first folder below
// "/" down to the file itself ("/etc", "/etc/hosts"), and `top` the folder "/". For a missing
// first copy hosts.old, `sibling` describes the hosts file and `same_as_sibling` says whether
// the content is its bytes. `marked`: the existing file's own first line carries the
// program's mark (IsProgramFile). `size` is the content's size as read, which may be larger
// than `content` when the reading stopped beyond the limit.
struct PosixWrite {
  std::string_view path, root;
  PathStep top;
  std::vector<PathStep> steps;
  PathStep sibling;
  bool same_as_sibling = false;
  bool marked = false;
  std::string_view content;
  uint64_t size = 0;
};
// The path alone, before anything on disk is looked at.
WriteRefusal CheckPosixPath(std::string_view path, std::string_view root);
WriteRefusal CheckPosixWrite(const PosixWrite& write);

// Windows. `path` and `root` are full paths with a drive ("C:\Windows\System32\drivers\etc");
// `top` describes the drive's root folder and `steps` every prefix below it down to the file.
struct WindowsWrite {
  std::string_view path, root;
  PathStep top;
  std::vector<PathStep> steps;
  PathStep sibling;
  bool same_as_sibling = false;
  std::string_view content;
  uint64_t size = 0;
};
WriteRefusal CheckWindowsPath(std::string_view path, std::string_view root);
WriteRefusal CheckWindowsWrite(const WindowsWrite& write);

// The prefixes of a path whose form the checks accept, one per step: "/etc", "/etc/hosts"
// for "/etc/hosts"; "C:\Windows", ... for a Windows path. Empty for a path of another form.
std::vector<std::string_view> PosixSteps(std::string_view path);
std::vector<std::string_view> WindowsSteps(std::string_view path);

}  // namespace platform
