#include "tests/faults/known_faults.h"

#include <fnmatch.h>

#include <fstream>
#include <sstream>

bool KnownFaults::Load(const std::string& path, std::string* why) {
  std::ifstream in(path);
  if (!in) {
    if (why) *why = "cannot read " + path;
    return false;
  }
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    const std::string content = text.substr(0, text.find('#'));
    std::istringstream fields(content);
    Line line;
    if (!(fields >> line.kind)) continue;
    if (!(fields >> line.call >> line.file >> line.mode)) {
      if (why) *why = path + ":" + std::to_string(number) + ": wants KIND CALL FILE MODE";
      return false;
    }
    line.text = text;
    lines_.push_back(line);
  }
  return true;
}

int KnownFaults::Match(const std::string& kind, const CaseOutcome& outcome) const {
  const bool limit = outcome.fault.type == FaultCase::Type::Limit;
  // A kill may never do harm, and no fault excuses a damaged file, a crash or a hang.
  if (outcome.fault.type == FaultCase::Type::Kill || !outcome.folder.damaged.empty() || !outcome.trouble.empty())
    return -1;
  const std::string call = limit ? "limit" : outcome.fault.fail.kind;
  const std::string file = limit ? "*" : outcome.target;
  const std::string mode = outcome.reading ? "read" : "write";
  auto matches = [](const std::string& pattern, const std::string& text) {
    return ::fnmatch(pattern.c_str(), text.c_str(), 0) == 0;
  };
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (matches(l.kind, kind) && matches(l.call, call) && matches(l.file, file) && matches(l.mode, mode)) return int(i);
  }
  return -1;
}

std::vector<std::string> KnownFaults::Unseen(const std::vector<bool>& seen) const {
  std::vector<std::string> unseen;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (i >= seen.size() || !seen[i]) unseen.push_back(lines_[i].text);
  return unseen;
}
