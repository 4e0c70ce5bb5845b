#include "tests/faults/fault_cases.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr std::pair<int, const char*> kErrnos[] = {{ENOSPC, "ENOSPC"}, {EIO, "EIO"},     {EACCES, "EACCES"},
                                                   {EFBIG, "EFBIG"},   {EROFS, "EROFS"}, {EDQUOT, "EDQUOT"}};

// The message boxes of a driver's output, one line each as the driver prints them.
std::vector<std::string> MessageLines(const std::string& output) {
  std::vector<std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);)
    if (line.compare(0, 8, "message ") == 0) lines.push_back(line);
  return lines;
}

// The lines of `output` that `clean` does not have as often.
std::vector<std::string> NewMessages(const std::string& output, const std::string& clean) {
  std::multiset<std::string> seen;
  for (auto& line : MessageLines(clean)) seen.insert(line);
  std::vector<std::string> fresh;
  for (auto& line : MessageLines(output)) {
    const auto it = seen.find(line);
    if (it != seen.end())
      seen.erase(it);
    else
      fresh.push_back(line);
  }
  return fresh;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

std::string ErrnoName(int error) {
  for (const auto& [number, name] : kErrnos)
    if (number == error) return name;
  return std::to_string(error);
}

int ErrnoByName(const std::string& name) {
  for (const auto& [number, known] : kErrnos)
    if (name == known) return number;
  return std::atoi(name.c_str());
}

std::string FaultCase::Id(const std::string& kind) const {
  std::ostringstream id;
  id << kind << "/";
  switch (type) {
    case Type::Kill:
      id.precision(6);
      id << std::fixed << "kill@" << (kill_call.empty() ? "" : kill_call + "+") << kill_after;
      break;
    case Type::Fail: id << "fail:" << fail.kind << "#" << fail.n << ":" << ErrnoName(fail.error); break;
    case Type::Limit: id << "limit:" << limit; break;
  }
  return id.str();
}

bool ParseFaultCase(const std::string& text, FaultCase& out) {
  if (text.rfind("kill@", 0) == 0) {
    out.type = FaultCase::Type::Kill;
    const size_t plus = text.find('+');
    if (plus != std::string::npos) out.kill_call = text.substr(5, plus - 5);
    out.kill_after = std::atof(text.c_str() + (plus == std::string::npos ? 5 : plus + 1));
    return true;
  }
  if (text.rfind("limit:", 0) == 0) {
    out.type = FaultCase::Type::Limit;
    out.limit = std::strtoull(text.c_str() + 6, nullptr, 10);
    return true;
  }
  const size_t hash = text.find('#'), colon = text.rfind(':');
  if (text.rfind("fail:", 0) != 0 || hash == std::string::npos || colon == std::string::npos || colon < hash)
    return false;
  out.type = FaultCase::Type::Fail;
  out.fail.kind = text.substr(5, hash - 5);
  out.fail.n = std::atol(text.substr(hash + 1, colon - hash - 1).c_str());
  out.fail.error = ErrnoByName(text.substr(colon + 1));
  return std::find(kCallKinds.begin(), kCallKinds.end(), out.fail.kind) != kCallKinds.end() && out.fail.n > 0;
}

bool CaseOutcome::Faulty() const {
  if (!trouble.empty() || !folder.damaged.empty() || lost.count > 0) return true;
  if (fault.type == FaultCase::Type::Kill) return false;
  return failure_happened && report != Report::Full && !nothing_at_stake;
}

KindCases::KindCases(const HarnessSetup& setup, SaveKind kind) : setup_(setup), kind_(std::move(kind)) {
  template_dir_ = setup_.work + "templates/" + kind_.name + "/";
  script_ = setup_.work + "scripts/" + kind_.name + ".drive";
}

std::string KindCases::Folder(int worker) const {
  return setup_.work + "run" + std::to_string(worker) + "/" + kind_.name + "/";
}

void KindCases::CopyTemplate(const std::string& to) const {
  fs::remove_all(to);
  fs::create_directories(fs::path(to).parent_path().parent_path());
  fs::copy(template_dir_, to, fs::copy_options::recursive);
}

DriverRun KindCases::Driver(const std::string& dir, const std::string& output_base) const {
  DriverRun run;
  run.driver = setup_.driver;
  run.dir = dir;
  run.script = script_;
  run.time = kDriveTime;
  run.output_base = output_base;
  run.shim = setup_.shim;
  run.preload_first = setup_.preload_first;
  run.tear = setup_.tear;
  run.timeout = std::max(60.0, clean_seconds_ * 30);
  return run;
}

LostRecords KindCases::Lost(const std::string& dir, const Snapshot& now) const {
  std::vector<std::pair<uint64_t, uint64_t>> lists;
  for (const auto& list : kLists) {
    std::string path = list.file;
    std::replace(path.begin(), path.end(), '\\', '/');
    const auto it = now.find(path);
    // A missing file reads as an empty list, as an empty file does.
    lists.push_back(it == now.end() ? std::pair<uint64_t, uint64_t>{0, 0}
                                    : std::pair{it->second.hash, it->second.size});
  }
  {
    std::lock_guard<std::mutex> lock(lost_mutex_);
    if (const auto it = lost_by_lists_.find(lists); it != lost_by_lists_.end()) return it->second;
  }
  LostRecords lost = FindLostRecords(lists_before_, dir, kind_.fold_case);
  std::lock_guard<std::mutex> lock(lost_mutex_);
  lost_by_lists_[lists] = lost;
  return lost;
}

bool KindCases::Calibrate() {
  fs::remove_all(template_dir_);
  fs::create_directories(template_dir_);
  fs::create_directories(fs::path(script_).parent_path());
  kind_.prepare(template_dir_);
  std::ofstream(script_, std::ios::binary) << kind_.script;
  before_ = TakeSnapshot(template_dir_);
  lists_before_ = ReadLists(template_dir_);

  // The uninterrupted run, traced with the contents every save leaves.
  const std::string dir = Folder(0);
  CopyTemplate(dir);
  DriverRun clean = Driver(dir, setup_.work + "clean-" + kind_.name);
  clean.trace = setup_.work + "clean-" + kind_.name + ".trace";
  clean.hash_versions = true;
  clean.timeout = 600;
  const RunResult result = Run(clean);
  if (result.exit_code != 0) {
    problem_ =
        "the uninterrupted run ended with " +
        (result.signal ? "signal " + std::to_string(result.signal) : "exit code " + std::to_string(result.exit_code)) +
        ": " + result.errors + result.output;
    return false;
  }
  clean_output_ = result.output;
  clean_trace_ = ReadCallTrace(clean.trace, dir);
  after_clean_ = TakeSnapshot(dir);
  if (clean_trace_.Count("rename") == 0 || clean_trace_.Count("write") == 0) {
    problem_ = "the shim saw no save of the folder's files (is it loaded?)";
    return false;
  }

  // A second run, traced without reading the files back, times the saves as the faulted runs make them.
  CopyTemplate(dir);
  DriverRun timed = Driver(dir, setup_.work + "timed-" + kind_.name);
  timed.trace = setup_.work + "timed-" + kind_.name + ".trace";
  timed.timeout = 600;
  const long long start = MonotonicNs();
  const RunResult timing = Run(timed);
  clean_seconds_ = timing.seconds;
  const CallTrace timed_trace = ReadCallTrace(timed.trace, dir);
  for (size_t i = 0; i < timed_trace.calls.size(); ++i) {
    const TracedCall& call = timed_trace.calls[i];
    if (timed_trace.OnReadOnlyFile(call)) continue;
    const long long next =
        i + 1 < timed_trace.calls.size() ? timed_trace.calls[i + 1].ns : start + (long long)(clean_seconds_ * 1e9);
    save_calls_.push_back(
        {call.kind + "#" + std::to_string(call.n), std::clamp(double(next - call.ns) / 1e9, 5e-5, 0.5)});
  }
  return true;
}

std::vector<FaultCase> KindCases::Plan(int kills, int stride, int limits, uint64_t seed) const {
  std::vector<FaultCase> cases;
  std::mt19937_64 random(seed ^ std::hash<std::string>{}(kind_.name));
  for (int i = 0; i < kills; ++i) {
    FaultCase fault;
    fault.type = FaultCase::Type::Kill;
    // Four kills in five land in a save: at a moment between one of its calls and the next;
    // the rest anywhere in the run.
    if (!save_calls_.empty() && random() % 5 != 0) {
      const auto& [call, gap] = save_calls_[random() % save_calls_.size()];
      fault.kill_call = call;
      fault.kill_after = std::uniform_real_distribution<double>(0, gap)(random);
    } else {
      fault.kill_after = std::uniform_real_distribution<double>(0, clean_seconds_)(random);
    }
    cases.push_back(fault);
  }
  if (stride > 0) {
    const int errors[] = {ENOSPC, EIO, EACCES};
    for (size_t k = 0; k < kCallKinds.size(); ++k) {
      const long count = clean_trace_.Count(kCallKinds[k]);
      for (long n = 1 + long(random() % uint64_t(stride)); n <= count; n += stride) {
        FaultCase fault;
        fault.type = FaultCase::Type::Fail;
        fault.fail = {kCallKinds[k], n, errors[(size_t(n) + k) % 3]};
        cases.push_back(fault);
      }
    }
  }
  // Limits below the largest file a save writes, and none so small that the shim's own trace could not be written.
  uint64_t largest = 0;
  for (const auto& [path, content] : after_clean_)
    if (!before_.count(path) || !(before_.at(path) == content)) largest = std::max(largest, content.size);
  const uint64_t floor = 1 << 16;
  for (int i = 1; i <= limits && largest > floor; ++i) {
    FaultCase fault;
    fault.type = FaultCase::Type::Limit;
    fault.limit = std::max<uint64_t>(floor, largest * uint64_t(i) / uint64_t(limits + 1));
    cases.push_back(fault);
  }
  return cases;
}

CaseOutcome KindCases::RunCase(const FaultCase& fault, int worker) const {
  CaseOutcome outcome;
  outcome.id = fault.Id(kind_.name);
  outcome.fault = fault;
  const std::string dir = Folder(worker);
  CopyTemplate(dir);
  const Snapshot copied = Restamped(dir, before_);
  const std::string base = setup_.work + "run" + std::to_string(worker) + "/last";
  DriverRun run = Driver(dir, base);
  run.trace = base + ".trace";
  switch (fault.type) {
    case FaultCase::Type::Kill:
      if (fault.kill_call.empty()) {
        run.kill_after = fault.kill_after;
      } else {
        run.kill_at_call = fault.kill_call;
        run.kill_delay = fault.kill_after;
      }
      break;
    case FaultCase::Type::Fail:
      run.fail = fault.fail;
      run.hash_versions = true;
      break;
    case FaultCase::Type::Limit:
      run.file_size_limit = fault.limit;
      run.hash_versions = true;
      break;
  }
  outcome.command = run.Command();
  const RunResult result = Run(run);
  const CallTrace trace = ReadCallTrace(run.trace, dir);

  if (result.hung)
    outcome.trouble = "hung (killed after " + std::to_string(int(run.timeout)) + " s)";
  else if (result.signal)
    outcome.trouble = "ended by signal " + std::to_string(result.signal) + " (" + strsignal(result.signal) + ")";
  else if (!result.killed && result.exit_code != 0 && result.exit_code != 1)
    outcome.trouble = "ended with exit code " + std::to_string(result.exit_code) + ": " + result.errors;

  if (fault.type == FaultCase::Type::Kill) {
    // Killed inside a save when a file opened for writing was neither renamed nor closed yet.
    std::set<std::string> writing;
    for (const auto& call : trace.calls) {
      if (call.kind == "open" && call.extra == "write") writing.insert(call.path);
      if (call.kind == "rename") writing.erase(call.extra);
      if (call.kind == "close") writing.erase(call.path);
    }
    outcome.killed = result.killed;
    outcome.landed_in_save = result.killed && !writing.empty();
  }

  const std::vector<std::string> fresh = NewMessages(result.output, clean_output_);
  outcome.messages = Joined(fresh);
  if (fault.type != FaultCase::Type::Kill) {
    // Which file the failure concerns, and the words the system has for the reason.
    std::vector<std::string> files;
    std::string reason;
    if (fault.type == FaultCase::Type::Fail) {
      const TracedCall* failed = nullptr;
      for (const auto& call : trace.calls)
        if (call.failed) failed = &call;
      outcome.failure_happened = failed != nullptr;
      // The uninterrupted run made the same calls up to this one, and shows which file a temporary one was for.
      if (const TracedCall* same = clean_trace_.Find(fault.fail.kind, fault.fail.n)) {
        outcome.target = clean_trace_.TargetOf(*same);
        outcome.reading = clean_trace_.OnReadOnlyFile(*same);
        files.push_back(BaseName(outcome.target));
        outcome.nothing_at_stake = same->kind == "close" && clean_trace_.OnReadOnlyFile(*same);
      }
      reason = std::strerror(fault.fail.error);
    } else {
      // Every file the uninterrupted run wrote beyond the limit.
      for (const auto& [path, content] : after_clean_)
        if (content.size > fault.limit && !(before_.count(path) && before_.at(path) == content))
          files.push_back(BaseName(path));
      outcome.failure_happened = !files.empty();
      reason = std::strerror(EFBIG);
    }
    bool named = false, explained = false;
    for (const auto& line : fresh) {
      const bool names = std::any_of(files.begin(), files.end(),
                                     [&line](const std::string& f) { return line.find(f) != std::string::npos; });
      const bool says = line.find(reason) != std::string::npos;
      if (names && says) {
        outcome.report = CaseOutcome::Report::Full;
        break;
      }
      named |= names;
      explained |= says;
    }
    if (outcome.report != CaseOutcome::Report::Full && (named || explained))
      outcome.report = named ? CaseOutcome::Report::NoReason : CaseOutcome::Report::NoFile;
  }

  const Snapshot now = TakeSnapshot(dir, &copied);
  outcome.folder = JudgeFolder(before_, after_clean_, clean_trace_.versions, trace.versions, now);
  // A failure that changed nothing (every file as the uninterrupted run leaves it, and no
  // word more than it says) had nothing to tell: the flush of a folder after a rename that
  // stands, a read retried by a later step.
  if (fault.type == FaultCase::Type::Fail && fresh.empty() && now == after_clean_)
    outcome.nothing_at_stake = true;
  outcome.lost = Lost(dir, now);
  return outcome;
}
