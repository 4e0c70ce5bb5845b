// The trace the fault shim writes: the program's calls on the files of its folder, in
// order, and the contents its renames and deletions left behind.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tests/faults/folder_state.h"

// The kinds of call the shim counts and can fail, in its order.
inline constexpr std::array<const char*, 5> kCallKinds{"open", "write", "fsync", "rename", "close"};

struct TracedCall {
  std::string kind;   // one of kCallKinds
  long n = 0;         // the how-many-th call of its kind
  long long ns = 0;   // monotonic clock
  std::string path;   // relative to the folder; for a rename, the new name
  std::string extra;  // "read" or "write" for an open, the old name for a rename
  bool failed = false;
};

struct CallTrace {
  std::vector<TracedCall> calls;
  Versions versions;

  long Count(const std::string& kind) const;
  // The call `n` of `kind`, if there was one.
  const TracedCall* Find(const std::string& kind, long n) const;
  // The file a call works for: a temporary file stands for the file it was renamed over.
  std::string TargetOf(const TracedCall& call) const;
  // Whether the call was made on a file opened only for reading (nothing to lose).
  bool OnReadOnlyFile(const TracedCall& call) const;
  // The spans of time in which a file of the folder was being written: from the open of a
  // file for writing to its rename or close.
  std::vector<std::pair<long long, long long>> SaveSpans() const;
};

// Reads the trace; paths below `root` (which ends in "/") become relative to it.
CallTrace ReadCallTrace(const std::string& file, const std::string& root);
