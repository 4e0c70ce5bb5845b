#include "tests/faults/call_trace.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.push_back("");
  return fields;
}

}  // namespace

CallTrace ReadCallTrace(const std::string& file, const std::string& root) {
  CallTrace trace;
  auto relative = [&root](const std::string& path) {
    return path.compare(0, root.size(), root) == 0 ? path.substr(root.size()) : path;
  };
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> f = Fields(line);
    if (f.size() >= 2 && f[0] == "made") {
      // The temporary file the last open made: the open stands for it from now on.
      for (auto call = trace.calls.rbegin(); call != trace.calls.rend(); ++call) {
        if (call->kind != "open") continue;
        call->path = relative(f[1]);
        break;
      }
      continue;
    }
    if (f.size() >= 3 && f[0] == "version") {
      const std::string path = relative(f[1]);
      if (f[2] == "gone")
        trace.versions.gone.insert(path);
      else if (f.size() >= 4)
        trace.versions.contents[path].insert(
            {std::strtoull(f[2].c_str(), nullptr, 16), std::strtoull(f[3].c_str(), nullptr, 10)});
      continue;
    }
    if (f.size() < 5) continue;  // a line the kill cut short
    TracedCall call;
    call.kind = f[0];
    call.n = std::atol(f[1].c_str());
    call.ns = std::atoll(f[2].c_str());
    call.path = relative(f[3]);
    call.extra = call.kind == "rename" ? relative(f[4]) : f[4];
    call.failed = f.size() >= 6 && f[5] == "FAILED";
    trace.calls.push_back(std::move(call));
  }
  return trace;
}

long CallTrace::Count(const std::string& kind) const {
  long count = 0;
  for (const auto& call : calls)
    if (call.kind == kind) ++count;
  return count;
}

const TracedCall* CallTrace::Find(const std::string& kind, long n) const {
  for (const auto& call : calls)
    if (call.kind == kind && call.n == n) return &call;
  return nullptr;
}

std::string CallTrace::TargetOf(const TracedCall& call) const {
  if (call.kind == "rename") return call.path;
  // A file renamed over another later on was that one's temporary file.
  bool after = false;
  for (const auto& later : calls) {
    if (&later == &call) after = true;
    if (after && later.kind == "rename" && later.extra == call.path) return later.path;
  }
  return call.path;
}

bool CallTrace::OnReadOnlyFile(const TracedCall& call) const {
  if (call.kind == "open") return call.extra == "read";
  if (call.kind == "rename") return false;
  // The last open of that path before the call says how it was opened.
  const TracedCall* opened = nullptr;
  for (const auto& earlier : calls) {
    if (&earlier == &call) break;
    if (earlier.kind == "open" && earlier.path == call.path) opened = &earlier;
  }
  return opened && opened->extra == "read";
}

std::vector<std::pair<long long, long long>> CallTrace::SaveSpans() const {
  std::vector<std::pair<long long, long long>> spans;
  std::map<std::string, long long> open_since;
  for (const auto& call : calls) {
    if (call.kind == "open" && call.extra == "write") open_since[call.path] = call.ns;
    if (call.kind == "rename") {
      const auto it = open_since.find(call.extra);
      spans.push_back({it != open_since.end() ? it->second : call.ns, call.ns});
      if (it != open_since.end()) open_since.erase(it);
    }
  }
  // A file written in place ends its span at its close.
  for (const auto& call : calls) {
    if (call.kind != "close") continue;
    const auto it = open_since.find(call.path);
    if (it == open_since.end()) continue;
    spans.push_back({it->second, call.ns});
    open_since.erase(it);
  }
  return spans;
}
