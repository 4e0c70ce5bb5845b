// The cases of the fault harness for one kind of save: a folder prepared once, an
// uninterrupted run that tells what the saves write, and then the faulted runs (killed,
// one call failing, a limit on the file size), each judged on its own folder.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "tests/faults/call_trace.h"
#include "tests/faults/driver_run.h"
#include "tests/faults/folder_state.h"
#include "tests/faults/save_kinds.h"

struct HarnessSetup {
  std::string driver, shim, preload_first;
  std::string work;   // scratch folder, ending in "/"
  bool tear = false;  // every save through the shim writes in place (the harness's own check)
  bool verbose = false;
};

// One faulted run. Its id names it on the command line (--case) and in the report:
// "move/kill@0.412" (seconds after the start), "move/kill@write#3+0.000250" (seconds after
// the program began that call), "move/fail:write#3:ENOSPC", "move/limit:65536".
struct FaultCase {
  enum class Type { Kill, Fail, Limit } type = Type::Kill;
  double kill_after = 0;
  std::string kill_call;  // KIND#N, or empty for a kill at a time from the start
  FailedCall fail;
  unsigned long long limit = 0;
  std::string Id(const std::string& kind) const;
};
// Parses the part of an id after "KIND/"; false when it is none.
bool ParseFaultCase(const std::string& text, FaultCase& out);

struct CaseOutcome {
  std::string id;
  FaultCase fault;
  bool killed = false;            // the kill came before the program had ended
  bool landed_in_save = false;    // a kill while a file of the folder was being written
  bool failure_happened = false;  // the chosen call was made (and failed)
  enum class Report { None, Full, NoReason, NoFile } report = Report::None;
  bool nothing_at_stake = false;  // the close of a file only read, or a failure that changed nothing
  std::string target;             // the file the failed call was for (a temporary file's target)
  bool reading = false;           // the call was made to read that file
  FolderVerdict folder;
  LostRecords lost;
  std::string trouble;   // a crash, a hang, an unexpected exit
  std::string command;   // the driver run as a shell command
  std::string messages;  // message boxes the run showed beyond those of the uninterrupted run
  bool Faulty() const;
};

class KindCases {
 public:
  KindCases(const HarnessSetup& setup, SaveKind kind);

  // Prepares the folder and makes the uninterrupted runs; false (with `Problem`) when the
  // kind cannot be run as it is: the run failed, or the shim saw none of its saves.
  bool Calibrate();
  const std::string& Problem() const { return problem_; }
  const SaveKind& Kind() const { return kind_; }

  // The faulted runs to make: `kills` kills, every `stride`-th call failing (0: none),
  // `limits` file-size limits; `seed` picks the kill moments and the first call.
  std::vector<FaultCase> Plan(int kills, int stride, int limits, uint64_t seed) const;
  // Runs one case in the worker's own folder.
  CaseOutcome RunCase(const FaultCase& fault, int worker) const;

  double CleanSeconds() const { return clean_seconds_; }
  long CallCount(const std::string& kind) const { return clean_trace_.Count(kind); }

 private:
  std::string Folder(int worker) const;
  // The records lost in `dir`, whose files `now` fingerprints; a set of list contents met
  // before (the old lists, the new ones, those between two saves) is not read again.
  LostRecords Lost(const std::string& dir, const Snapshot& now) const;
  void CopyTemplate(const std::string& to) const;
  DriverRun Driver(const std::string& dir, const std::string& output_base) const;

  HarnessSetup setup_;
  SaveKind kind_;
  std::string template_dir_, script_;
  Snapshot before_, after_clean_;
  TListSet lists_before_;
  CallTrace clean_trace_;
  std::string clean_output_;
  double clean_seconds_ = 0;
  // The calls that write the folder's files ("write#3"), each with the time to the next
  // call of the timed run: a kill is aimed at a moment in between.
  std::vector<std::pair<std::string, double>> save_calls_;
  std::string problem_;
  mutable std::mutex lost_mutex_;
  mutable std::map<std::vector<std::pair<uint64_t, uint64_t>>, LostRecords> lost_by_lists_;
};

std::string ErrnoName(int error);
int ErrnoByName(const std::string& name);
