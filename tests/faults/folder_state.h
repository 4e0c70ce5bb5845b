// What a program folder holds, file by file, and the judgement of a folder after a run
// that was killed or saw a call fail: every file must hold a content it had or was given
// whole (its old content, the new one of an uninterrupted run, or one that a finished
// save put there), and no record of the seven lists may be lost.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lists/list_catalog.h"

struct FileContent {
  uint64_t hash = 0;
  uint64_t size = 0;
  // The file's identity, so that a file nobody touched need not be read again.
  uint64_t inode = 0;
  int64_t changed_ns = 0;
  int64_t modified_ns = 0;
  bool operator==(const FileContent& o) const { return hash == o.hash && size == o.size; }
};

// Every regular file below the folder, by its path relative to it ("Lists/Porno.txt").
using Snapshot = std::map<std::string, FileContent>;

// Reads every file below `dir`; a file whose identity is the same as in `earlier` keeps
// its fingerprint from there without being read.
Snapshot TakeSnapshot(const std::string& dir, const Snapshot* earlier = nullptr);

// A copy of a folder whose contents are `contents`: the copy's own identities, so that a
// later snapshot need only read what changed, without reading the copy now.
Snapshot Restamped(const std::string& dir, const Snapshot& contents);

// The contents a path was given whole during a run, as (hash, size) pairs; a file
// deleted counts as the content "gone".
struct Versions {
  std::map<std::string, std::set<std::pair<uint64_t, uint64_t>>> contents;
  std::set<std::string> gone;
  void Add(const Versions& other);
  bool Has(const std::string& path) const { return contents.count(path) || gone.count(path); }
};

struct FolderVerdict {
  int old_files = 0;        // as before the run
  int new_files = 0;        // as after an uninterrupted run
  int between_files = 0;    // a content a finished save gave it, neither the first nor the last
  int diverged_files = 0;   // given whole by a save of this run, but a content the uninterrupted run never made
  int temporary_files = 0;  // left behind by a save that did not finish (no damage)
  std::vector<std::string> damaged;  // "Lists/Porno.txt: ..." for every file none of the above
  std::vector<std::string> diverged;
};

// `this_run` holds what the saves of the judged run gave (empty when it was not traced).
FolderVerdict JudgeFolder(const Snapshot& before, const Snapshot& after_clean, const Versions& clean,
                          const Versions& this_run, const Snapshot& now);

// The records of the seven lists below `dir` (missing files are empty lists).
TListSet ReadLists(const std::string& dir);

// Records of `before` that no list of `dir` holds (compared lower-cased when `fold_case`):
// how many, and the first few of them.
struct LostRecords {
  size_t count = 0;
  std::vector<std::string> first;
};
LostRecords FindLostRecords(const TListSet& before, const std::string& dir, bool fold_case);
