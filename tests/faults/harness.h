// The parts of the fault harness: the kinds of save it interrupts, a run of the driver under
// the fault shim with the shim's trace, and what a program folder holds after a run.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lists/list_catalog.h"

// The kinds of save (save_kinds.cpp): for each, the files a program folder starts with and
// the driver script that makes the program save them. Every path in a folder is relative to
// it (the driver runs in it), so a prepared folder can be copied anywhere.
struct SaveKind {
  std::string name;
  std::string about;  // what is saved, for the report
  std::string script;
  bool fold_case = false;  // records count as kept when kept lower-cased (the correction lower-cases)
  std::function<void(const std::string& dir)> prepare;  // writes the files below `dir` (ending in "/")
};

// `records` in the big list of a kind (Unsorted, mostly), a configuration of `config_bytes` written directly.
std::vector<SaveKind> SaveKinds(size_t records, size_t config_bytes);

// A run of the driver (driver_run.cpp).
struct FailedCall {
  std::string kind;  // open, write, fsync, rename or close
  long n = 0;        // the how-many-th call of that kind on the folder's files
  int error = 0;     // the errno it fails with
};

struct DriverRun {
  std::string driver, shim;
  std::string preload_first;  // a library that must come before the shim (a sanitizer's runtime)
  std::string dir;            // the program folder, ending in "/"; the run's current folder
  std::string script;
  std::string output_base;     // standard output, error and the shim's trace: this + ".out", ".err", ".trace"
  bool hash_versions = false;  // the shim fingerprints what each rename and deletion leaves
  bool tear = false;           // saves written in place: see VELTRANE_FAULT_TEAR in the shim
  std::optional<FailedCall> fail{};
  unsigned long long file_size_limit = 0;  // bytes, as `ulimit -f` sets it; 0: none
  std::string kill_at_call{};              // KIND#N: SIGKILL `kill_delay` s after the program began it
  double kill_delay = 0;
  double timeout = 120;  // seconds, then it counts as hanging
};

// A file's content as the shim and the snapshots fingerprint it: (hash, size).
using Content = std::pair<uint64_t, uint64_t>;

struct TracedCall {
  std::string kind;   // open, write, fsync, rename or close
  long n = 0;         // the how-many-th call of its kind
  long long ns = 0;   // steady clock
  std::string path;   // relative to the folder; for a rename, the new name
  std::string extra;  // "read" or "write" for an open, the old name for a rename
  bool failed = false;
};

// The contents the renames of a run gave each path whole, and the paths it deleted.
struct Versions {
  std::map<std::string, std::set<Content>> contents;
  std::set<std::string> gone;
};

struct CallTrace {
  std::vector<TracedCall> calls;
  Versions versions;
};

struct RunResult {
  bool killed = false;  // by the harness as asked, before the program had ended
  bool hung = false;    // killed after the timeout
  int exit_code = -1;   // when it ended by itself
  int signal = 0;       // the signal that ended it, when not the harness's kill
  long long start_ns = 0, end_ns = 0;
  std::string output, errors;
  CallTrace trace;
};

RunResult Run(const DriverRun& run);

// A program folder (folder_state.cpp): every regular file by its path relative to the folder.
using Snapshot = std::map<std::string, Content>;

Snapshot TakeSnapshot(const std::string& dir);

// The files of `now` that hold neither their old content, nor their new one, nor one that a
// save of either run gave them whole, and the files gone though nothing deleted them; a file
// that none of these knows is a temporary file left behind, which is no damage.
std::vector<std::string> DamagedFiles(const Snapshot& before, const Snapshot& after_clean, const Versions& clean,
                                      const Versions& this_run, const Snapshot& now);

TListSet ReadLists(const std::string& dir);

struct LostRecords {
  size_t count = 0;
  std::vector<std::string> first;  // the first few
};

// Records of `before` that no list of `dir` holds (compared lower-cased when `fold_case`).
LostRecords FindLostRecords(const TListSet& before, const std::string& dir, bool fold_case);
