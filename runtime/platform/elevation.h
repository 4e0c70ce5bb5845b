// Writing one file with the system's permission, asked through the system's own prompt:
// on Linux pkexec runs the helper veltrane-write (polkit asks an administrator), on Windows
// a second veltrane.exe is started with "runas" (the UAC prompt) in its write-only mode.
// The program never asks for, sees or stores a password, and never changes a file's
// permissions: the file keeps its mode, owner, group and extended attributes.
//
// Callers ask only after a normal write was refused for want of permission
// (AtomicFileWriter::PermissionRefused) and never when the process already has the
// system's full rights (RunsElevated): then a refusal is final and nobody is asked.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

struct ElevatedWrite {
  enum class Result {
    Done,       // the file holds the bytes
    Cancelled,  // the user dismissed the system's prompt
    Failed,     // the system refused, or the write failed: `why` says which
  };
  Result result = Result::Failed;
  std::string why;  // Failed: the reason, or what to do so that the program may ask
};

// Whether the process runs as root (Linux) or as an elevated administrator (Windows).
bool RunsElevated();

// Writes `bytes` over the file at `path` (the program's form) with the system's permission.
// The path is made absolute with its links resolved before the other side sees it, and
// checked by the other side's rules first: a file it would refuse is refused at once,
// without a prompt. Blocks until the prompt is answered and the write is done.
ElevatedWrite WriteElevated(const std::string& path, std::string_view bytes);

// The elevated side on Windows (the hidden option --write-elevated PATH CONTENT-FILE): loads
// libraries from System32 only, judges PATH by the rules of write_rules.h before anything
// else, takes the content file only as the asking side made it (a plain file of one name on
// a drive, the asking user's own, in that user's temporary folder, at most 256 MiB, opened
// once without following reparse points and shared for reading alone), writes the content
// over PATH and flushes the resolver's cache after the hosts file. Its exit code tells the
// first side what happened (0: written). Elsewhere it refuses, since the helper does this work.
int WriteAsElevatedSide(const std::string& path, const std::string& content_file);

#ifdef _WIN32
// What an exit code of the elevated side says, for the user: why it refused the file or the
// content file, or why the write failed.
std::string ElevatedSideWords(int exit_code);
#endif

// For tests and the driver: takes the place of the system in WriteElevated (the native path,
// the bytes); an empty function gives the system back.
using ElevationHandler = std::function<ElevatedWrite(const std::string& path, std::string_view bytes)>;
void SetElevationHandler(ElevationHandler handler);

// For tests on Linux: the programs WriteElevated runs in place of /usr/bin/pkexec and of the
// helper (the installed /usr/libexec/veltrane/veltrane-write; in a build made with
// VELTRANE_HELPER_BESIDE the one beside the program, when there is one), and the folder that
// helper writes below in place of /etc. An empty helper is the one the build runs. On
// Windows only `root` counts: the folder both sides take for System32\drivers\etc (empty:
// that one). Set in code only: the installed program takes none of them from its
// environment or command line.
void SetElevationPrograms(const std::string& pkexec, const std::string& helper, const std::string& root);

// The Linux helper's exit codes besides 0; pkexec itself ends with 126 when the user
// dismissed its prompt and 127 when the permission was not given.
inline constexpr int kHelperRefused = 3;      // the checks refused the file (reason on standard error)
inline constexpr int kHelperWriteFailed = 4;  // the checks passed, the write failed
inline constexpr int kHelperUsage = 5;        // not exactly one argument

}  // namespace platform
