// One run of the driver in a program folder, under the fault shim when asked: traced,
// with one call made to fail, with a limit on the size of the files it writes, or killed
// with SIGKILL after a delay.
#pragma once

#include <optional>
#include <string>

struct FailedCall {
  std::string kind;  // open, write, fsync, rename or close
  long n = 0;        // the how-many-th call of that kind on the folder's files
  int error = 0;     // the errno it fails with
};

struct DriverRun {
  std::string driver;
  std::string dir;            // the program folder, ending in "/"; the run's current folder
  std::string script;         // the script file (outside the folder)
  std::string time;           // the clock the program reads (--time)
  std::string output_base;    // the run's standard output and error go to this path + ".out" / ".err"
  std::string shim;           // the LD_PRELOAD library; empty for none
  std::string preload_first;  // a library that must come before the shim (a sanitizer's runtime)
  std::string trace;          // the shim's trace file; empty for none
  bool hash_versions = false;
  bool tear = false;  // saves torn: see VELTRANE_FAULT_TEAR in the shim
  std::optional<FailedCall> fail;
  std::optional<unsigned long long> file_size_limit;  // bytes, as `ulimit -f` sets it
  std::optional<double> kill_after;                   // seconds after the start
  // Or: seconds after the program began the call KIND#N on a file of the folder.
  std::optional<std::string> kill_at_call;
  double kill_delay = 0;
  double timeout = 120;  // seconds, then it counts as hanging

  // The same run as a shell command, for a report to reproduce it by hand.
  std::string Command() const;
};

struct RunResult {
  bool killed = false;  // by the harness, as asked
  bool hung = false;    // killed after the timeout
  bool ended_before_kill = false;
  int exit_code = -1;  // when it ended by itself
  int signal = 0;      // the signal that ended it, when not the harness's kill
  double seconds = 0;
  std::string output;  // standard output
  std::string errors;  // standard error
};

RunResult Run(const DriverRun& run);

// The monotonic clock, in nanoseconds (the shim's trace uses the same clock).
long long MonotonicNs();
