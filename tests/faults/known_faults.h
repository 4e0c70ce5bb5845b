// The ledger of faults the harness finds in the program as it is and that are still to be
// mended: a faulted case that matches a line counts as known and does not fail the run, so
// that every other fault does. A line is removed once its fault is mended.
//
// A line: KIND CALL FILE MODE, each a pattern ("*" for anything; FILE relative to the
// program folder); CALL is open, write, fsync, rename, close or limit; MODE is read or
// write (how the file was opened). Text after "#" is a comment.
#pragma once

#include <string>
#include <vector>

#include "tests/faults/fault_cases.h"

class KnownFaults {
 public:
  // False, with the reason in `why`, when the file cannot be read or a line is malformed.
  bool Load(const std::string& path, std::string* why);
  // The ledger line the faulty outcome matches, or -1.
  int Match(const std::string& kind, const CaseOutcome& outcome) const;
  // The lines no outcome matched, for the report.
  std::vector<std::string> Unseen(const std::vector<bool>& seen) const;
  size_t Size() const { return lines_.size(); }

 private:
  struct Line {
    std::string kind, call, file, mode, text;
  };
  std::vector<Line> lines_;
};
