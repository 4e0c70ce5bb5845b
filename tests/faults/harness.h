// The parts of the fault harness: the kinds of save it interrupts, and a run of the driver
// under the fault shim (fault_shim.c tells what it reads and traces).
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

// A kind of save (save_kinds.cpp): `prepare` writes the files a program folder starts with
// below `dir` (ending in "/"), all relative to it; `script` makes the driver save them.
struct SaveKind {
  std::string name;
  std::string script;
  bool fold_case = false;  // records count as kept when kept lower-cased (the correction lower-cases)
  std::function<void(const std::string& dir)> prepare;
};

// `records` in the big list of a kind, a configuration of `config_bytes` written directly.
std::vector<SaveKind> SaveKinds(size_t records, size_t config_bytes);

struct FailedCall {
  std::string kind;  // open, write, fsync, rename or close
  long n = 0;        // the how-many-th call of that kind on the folder's files
  int error = 0;
};

// The fault of a run; none: an uninterrupted run.
struct Fault {
  std::string kill_call{};  // KIND#N: SIGKILL `kill_delay` s after the program began that call
  double kill_delay = 0;
  std::optional<FailedCall> fail{};
  unsigned long long limit = 0;  // bytes a file may grow to, as `ulimit -f` sets it
};

struct DriverRun {
  std::string driver, shim;
  std::string preload_first;  // a library that must come before the shim (a sanitizer's runtime)
  std::string dir;            // the program folder, ending in "/"; the run's current folder
  std::string script;
  bool hash_versions = false;  // the shim fingerprints what each rename and deletion leaves
  bool tear = false;           // saves written in place: see VELTRANE_FAULT_TEAR in the shim
  Fault fault{};
  double timeout = 120;  // seconds, then it counts as hanging
};

// A file's content as the shim and the snapshots fingerprint it: (hash, size).
using Content = std::pair<uint64_t, uint64_t>;

struct TracedCall {
  std::string kind;
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

struct RunResult {
  bool killed = false;  // by the harness as asked, before the program had ended
  bool hung = false;    // killed after the timeout
  int exit_code = -1;   // when it ended by itself
  int signal = 0;       // the signal that ended it, when not the harness's kill
  long long start_ns = 0, end_ns = 0;
  std::string output;  // standard output and error
  std::vector<TracedCall> calls;
  Versions versions;
};

RunResult Run(const DriverRun& run);
