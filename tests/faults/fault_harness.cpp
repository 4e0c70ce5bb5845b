// veltrane-faults: proves that the program's saves survive faults. For every kind of save it
// prepares a program folder and runs the driver in it once without a fault; then, each time in
// a fresh copy, it kills the driver with SIGKILL at random moments of its saves, makes each of
// its open, write, fsync, rename and close calls fail in turn (through an LD_PRELOAD shim),
// and limits the size of the files it may write (a full disk). After every run, every file of
// the folder must hold its old content, its new one or one a finished save gave it, no record
// of the seven lists may be lost, and every failure must have been told to the user with the
// file and the reason. Prints a table and every fault with the command that shows it again;
// exits with 1 when there was a fault.
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include "tests/faults/harness.h"

namespace fs = std::filesystem;

namespace {

const char* kUsage =
    "usage: veltrane-faults --driver PATH --shim PATH [options]\n"
    "  --preload-first LIB   a library to preload before the shim (the sanitizer runtime)\n"
    "  --records N           records in the big list of each kind (default 1000000)\n"
    "  --config-kib N        size of the configuration written directly (default 102400)\n"
    "  --kills N             kills per kind (default 100)\n"
    "  --stride N            fail every N-th call of each kind of call (default 1; 0: none)\n"
    "  --limits N            file-size limits per kind (default 2; 0: none)\n"
    "  --kinds A,B           only these kinds of save (move, move-back, ban-list, correction,\n"
    "                        hosts-direct, kwf-direct, backups)\n"
    "  --case KIND/CASE      only this case, as the report names it (move/fail:write#3:ENOSPC)\n"
    "  --tear --expect-damage  the harness's self-check: every save writes over its file in place,\n"
    "                        and the run fails unless kills damage files\n"
    "  --jobs N              cases run at the same time (default 2)\n";

constexpr const char* kCallKinds[] = {"open", "write", "fsync", "rename", "close"};
constexpr std::pair<int, const char*> kErrnos[] = {{ENOSPC, "ENOSPC"}, {EIO, "EIO"}, {EACCES, "EACCES"}};

struct Options {
  std::string driver, shim, preload_first, only_case;
  int records = 1'000'000, config_kib = 100 << 10, kills = 100, stride = 1, limits = 2, jobs = 2;
  std::set<std::string> kinds;
  bool tear = false, expect_damage = false;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--tear" || a == "--expect-damage") {
      (a == "--tear" ? o.tear : o.expect_damage) = true;
      continue;
    }
    if (i + 1 == argc) return false;
    const std::string value = argv[++i];
    const std::map<std::string, int*> numbers{{"--records", &o.records}, {"--config-kib", &o.config_kib},
                                              {"--kills", &o.kills},     {"--stride", &o.stride},
                                              {"--limits", &o.limits},   {"--jobs", &o.jobs}};
    if (numbers.count(a))
      *numbers.at(a) = std::atoi(value.c_str());
    else if (a == "--driver")
      o.driver = fs::absolute(value).string();
    else if (a == "--shim")
      o.shim = fs::absolute(value).string();
    else if (a == "--preload-first")
      o.preload_first = value;
    else if (a == "--case")
      o.only_case = value;
    else if (a == "--kinds") {
      std::istringstream list(value);
      for (std::string kind; std::getline(list, kind, ',');) o.kinds.insert(kind);
    } else
      return false;
  }
  return !o.driver.empty() && !o.shim.empty() && o.jobs > 0;
}

// One faulted run. Its id (after "KIND/") names it in the report and on the command line:
// "kill@write#3+0.000250" (that many seconds after the program began the call),
// "fail:write#3:ENOSPC", "limit:65536".
struct FaultCase {
  enum class Type { Kill, Fail, Limit } type = Type::Kill;
  std::string kill_call{};
  double kill_delay = 0;
  FailedCall fail{};
  unsigned long long limit = 0;

  std::string Id() const {
    char delay[32];
    std::snprintf(delay, sizeof delay, "+%.6f", kill_delay);
    if (type == Type::Kill) return "kill@" + kill_call + delay;
    if (type == Type::Limit) return "limit:" + std::to_string(limit);
    const char* error = "?";
    for (const auto& [number, name] : kErrnos)
      if (number == fail.error) error = name;
    return "fail:" + fail.kind + "#" + std::to_string(fail.n) + ":" + error;
  }

  bool Parse(const std::string& text) {
    char kind[16], error[16];
    if (std::sscanf(text.c_str(), "kill@%15[a-z#0-9]+%lf", kind, &kill_delay) == 2) {
      kill_call = kind;
      return true;
    }
    if (std::sscanf(text.c_str(), "limit:%llu", &limit) == 1) {
      type = Type::Limit;
      return true;
    }
    if (std::sscanf(text.c_str(), "fail:%15[a-z]#%ld:%15s", kind, &fail.n, error) != 3) return false;
    type = Type::Fail;
    fail.kind = kind;
    for (const auto& [number, name] : kErrnos)
      if (std::strcmp(name, error) == 0) fail.error = number;
    return fail.error != 0;
  }
};

struct Outcome {
  std::string id;
  FaultCase fault;
  bool killed = false;   // the kill came before the program had ended
  bool in_save = false;  // ... while a file opened for writing was neither renamed nor closed
  bool failure_made = false;
  bool reported = false;          // a new message box names the file and gives the system's reason
  bool nothing_at_stake = false;  // the close of a file only read, or a failure that changed nothing
  std::string target;             // the file the failed call was for
  std::vector<std::string> damaged;
  LostRecords lost;
  std::string trouble;                // a crash, a hang, an unexpected exit
  std::vector<std::string> messages;  // message boxes beyond those of the uninterrupted run

  bool Faulty() const {
    return !trouble.empty() || !damaged.empty() || lost.count > 0 || (failure_made && !reported && !nothing_at_stake);
  }
};

// The message boxes of `output` ("message ..." lines) that `clean` does not show as often.
std::vector<std::string> NewMessages(const std::string& output, const std::string& clean) {
  std::multiset<std::string> seen;
  std::istringstream in(clean);
  for (std::string line; std::getline(in, line);) seen.insert(line);
  std::vector<std::string> fresh;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("message ", 0) != 0) continue;
    const auto it = seen.find(line);
    if (it == seen.end())
      fresh.push_back(line);
    else
      seen.erase(it);
  }
  return fresh;
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

long Count(const CallTrace& trace, const std::string& kind) {
  return long(
      std::count_if(trace.calls.begin(), trace.calls.end(), [&](const TracedCall& c) { return c.kind == kind; }));
}

// The file a call works for: a temporary file stands for the file it is renamed over.
std::string TargetOf(const CallTrace& trace, const TracedCall& call) {
  for (const TracedCall* later = &call; later != trace.calls.data() + trace.calls.size(); ++later)
    if (later->kind == "rename" && (later == &call || later->extra == call.path)) return later->path;
  return call.path;
}

bool OnReadOnlyFile(const CallTrace& trace, const TracedCall& call) {
  if (call.kind == "open") return call.extra == "read";
  if (call.kind == "rename") return false;
  // The last open of that path before the call says how it was opened.
  const TracedCall* opened = nullptr;
  for (const TracedCall* earlier = trace.calls.data(); earlier != &call; ++earlier)
    if (earlier->kind == "open" && earlier->path == call.path) opened = earlier;
  return opened && opened->extra == "read";
}

// The cases of one kind of save: a folder prepared once as a template, an uninterrupted run
// that tells what the saves write, and the faulted runs, each in a fresh copy of the template.
struct KindCases {
  KindCases(const Options& o, SaveKind kind, std::string work) : o(o), kind(std::move(kind)), work(std::move(work)) {}

  const Options& o;
  SaveKind kind;
  std::string work;  // ends in "/"
  Snapshot before, after_clean;
  TListSet lists_before;
  CallTrace clean;
  std::string clean_output;
  double clean_seconds = 0;
  // The calls on files being written ("write#3"), each with the time to the next call: a
  // kill is aimed at a moment in between.
  std::vector<std::pair<std::string, double>> save_calls;

  std::string Template() const { return work + "template/" + kind.name + "/"; }

  DriverRun Driver(int worker) const {
    const std::string dir = work + "run" + std::to_string(worker) + "/" + kind.name + "/";
    fs::remove_all(dir);
    fs::create_directories(fs::path(dir).parent_path().parent_path());
    fs::copy(Template(), dir, fs::copy_options::recursive);
    return {.driver = o.driver,
            .shim = o.shim,
            .preload_first = o.preload_first,
            .dir = dir,
            .script = work + kind.name + ".drive",
            .output_base = work + "run" + std::to_string(worker) + "/last",
            .tear = o.tear,
            .timeout = std::max(60.0, clean_seconds * 30)};
  }

  // Empty, or why the kind cannot be run: the run failed, or the shim saw none of its saves.
  std::string Calibrate() {
    fs::create_directories(Template());
    kind.prepare(Template());
    std::ofstream(work + kind.name + ".drive", std::ios::binary) << kind.script;
    before = TakeSnapshot(Template());
    lists_before = ReadLists(Template());
    DriverRun run = Driver(0);
    run.hash_versions = true;
    run.timeout = 600;
    const RunResult result = Run(run);
    if (result.exit_code != 0)
      return "the uninterrupted run ended with exit code " + std::to_string(result.exit_code) + ", signal " +
             std::to_string(result.signal) + ": " + result.errors + result.output;
    clean = result.trace;
    clean_output = result.output;
    clean_seconds = double(result.end_ns - result.start_ns) / 1e9;
    after_clean = TakeSnapshot(run.dir);
    if (Count(clean, "rename") == 0 || Count(clean, "write") == 0)
      return "the shim saw no save of the folder's files (is it loaded?)";
    for (size_t i = 0; i < clean.calls.size(); ++i) {
      const TracedCall& call = clean.calls[i];
      if (OnReadOnlyFile(clean, call)) continue;
      const long long next = i + 1 < clean.calls.size() ? clean.calls[i + 1].ns : result.end_ns;
      save_calls.push_back({call.kind + "#" + std::to_string(call.n), std::clamp((next - call.ns) / 1e9, 5e-5, 0.5)});
    }
    return "";
  }

  std::vector<FaultCase> Plan() const {
    std::vector<FaultCase> cases;
    std::mt19937_64 random(std::hash<std::string>{}(kind.name));
    // Four kills in five are aimed at any one of the calls alike; the fifth at a moment of
    // the saves, so that long calls are hit as often as they take time.
    std::vector<double> gaps;
    for (const auto& save_call : save_calls) gaps.push_back(save_call.second);
    std::discrete_distribution<size_t> by_time(gaps.begin(), gaps.end());
    for (int i = 0; i < o.kills; ++i) {
      const auto& [call, gap] = save_calls[random() % 5 ? random() % save_calls.size() : by_time(random)];
      cases.push_back({.kill_call = call, .kill_delay = std::uniform_real_distribution<double>(0, gap)(random)});
    }
    for (size_t k = 0; k < std::size(kCallKinds) && o.stride > 0; ++k) {
      const long count = Count(clean, kCallKinds[k]);
      for (long n = 1 + long(random() % uint64_t(o.stride)); n <= count; n += o.stride)
        cases.push_back(
            {.type = FaultCase::Type::Fail, .fail = {kCallKinds[k], n, kErrnos[(size_t(n) + k) % 3].first}});
    }
    // Limits below the largest file a save writes, none so small that the shim's trace could not be written.
    uint64_t largest = 0;
    for (const auto& [path, content] : after_clean)
      if (!before.count(path) || before.at(path) != content) largest = std::max(largest, content.second);
    const uint64_t floor = 1 << 16;
    for (int i = 1; i <= o.limits && largest > floor; ++i)
      cases.push_back({.type = FaultCase::Type::Limit, .limit = std::max(floor, largest * i / uint64_t(o.limits + 1))});
    return cases;
  }

  Outcome RunCase(const FaultCase& fault, int worker) const {
    Outcome out;
    out.id = kind.name + "/" + fault.Id();
    out.fault = fault;
    DriverRun run = Driver(worker);
    run.kill_at_call = fault.kill_call;
    run.kill_delay = fault.kill_delay;
    if (fault.type == FaultCase::Type::Fail) run.fail = fault.fail;
    run.file_size_limit = fault.limit;
    run.hash_versions = fault.type != FaultCase::Type::Kill;
    const RunResult result = Run(run);

    if (result.hung)
      out.trouble = "hung (killed after " + std::to_string(int(run.timeout)) + " s)";
    else if (result.signal)
      out.trouble = "ended by signal " + std::to_string(result.signal) + " (" + strsignal(result.signal) + ")";
    else if (!result.killed && result.exit_code != 0 && result.exit_code != 1)
      out.trouble = "ended with exit code " + std::to_string(result.exit_code) + ": " + result.errors;
    if (result.killed) {
      std::set<std::string> writing;
      for (const auto& call : result.trace.calls) {
        if (call.kind == "open" && call.extra == "write") writing.insert(call.path);
        if (call.kind == "rename") writing.erase(call.extra);
        if (call.kind == "close") writing.erase(call.path);
      }
      out.killed = true;
      out.in_save = !writing.empty();
    }

    const std::vector<std::string>& fresh = out.messages = NewMessages(result.output, clean_output);
    if (fault.type != FaultCase::Type::Kill) {
      // Which files the failure concerns, and the words the system has for the reason.
      std::vector<std::string> files;
      std::string reason = std::strerror(EFBIG);
      if (fault.type == FaultCase::Type::Fail) {
        out.failure_made = std::any_of(result.trace.calls.begin(), result.trace.calls.end(),
                                       [](const TracedCall& call) { return call.failed; });
        // The uninterrupted run made the same calls up to this one, and shows which file a temporary one was for.
        const auto same = std::find_if(clean.calls.begin(), clean.calls.end(), [&](const TracedCall& c) {
          return c.kind == fault.fail.kind && c.n == fault.fail.n;
        });
        if (same != clean.calls.end()) {
          out.target = TargetOf(clean, *same);
          files.push_back(BaseName(out.target));
          out.nothing_at_stake = same->kind == "close" && OnReadOnlyFile(clean, *same);
        }
        reason = std::strerror(fault.fail.error);
      } else {
        // Every file the uninterrupted run wrote beyond the limit.
        for (const auto& [path, content] : after_clean)
          if (content.second > fault.limit && !(before.count(path) && before.at(path) == content))
            files.push_back(BaseName(path));
        out.failure_made = !files.empty();
      }
      for (const auto& line : fresh)
        for (const auto& file : files)
          out.reported |= line.find(file) != std::string::npos && line.find(reason) != std::string::npos;
    }

    const Snapshot now = TakeSnapshot(run.dir);
    out.damaged = DamagedFiles(before, after_clean, clean.versions, result.trace.versions, now);
    // A failure that changed nothing (every file as the uninterrupted run leaves it, and no word
    // more than it says) had nothing to tell: the flush of a folder after a rename that stands,
    // a read retried by a later step.
    if (fault.type == FaultCase::Type::Fail && fresh.empty() && now == after_clean) out.nothing_at_stake = true;
    out.lost = FindLostRecords(lists_before, run.dir, kind.fold_case);
    return out;
  }
};

struct Tally {
  int kills = 0, in_save = 0, failures = 0, reported = 0, harmless = 0, limits = 0;
  int damaged = 0, lost = 0, crashes = 0, faulty = 0;

  void Add(const Outcome& o) {
    kills += o.killed;
    in_save += o.in_save;
    failures += o.failure_made;
    reported += o.failure_made && o.reported;
    harmless += o.failure_made && !o.reported && o.nothing_at_stake;
    limits += o.fault.type == FaultCase::Type::Limit;
    damaged += int(o.damaged.size());
    lost += int(o.lost.count);
    crashes += !o.trouble.empty();
    faulty += o.Faulty();
  }

  void Print(const std::string& name) const {
    std::printf("%-13s %6d %8d %9d %9d %9d %7d %8d %7d %8d %7d\n", name.c_str(), kills, in_save, failures, reported,
                harmless, limits, damaged, lost, crashes, faulty);
  }
};

void PrintOutcome(const Outcome& o, const std::string& again) {
  std::ostringstream out;
  out << (o.Faulty() ? "FAULT " : "ok    ") << o.id;
  if (o.fault.type != FaultCase::Type::Kill)
    out << (o.target.empty() ? "" : " on " + o.target) << ": "
        << (!o.failure_made ? "call not made"
            : o.reported    ? "reported"
                            : "NOT REPORTED with the file and the reason");
  out << "\n";
  if (!o.trouble.empty()) out << "      trouble: " << o.trouble << "\n";
  for (const auto& d : o.damaged) out << "      damaged: " << d << "\n";
  if (o.lost.count) out << "      " << o.lost.count << " records lost\n";
  for (const auto& r : o.lost.first) out << "      lost: " << r << "\n";
  for (const auto& line : o.messages) out << "      shown: " << line << "\n";
  out << "      again: " << again << o.id << "\n";
  std::cout << out.str() << std::flush;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  FaultCase single;
  if (!ParseOptions(argc, argv, o)) {
    std::cerr << kUsage;
    return 2;
  }
  if (!o.only_case.empty()) {
    const size_t slash = o.only_case.find('/');
    if (slash == std::string::npos || !single.Parse(o.only_case.substr(slash + 1))) {
      std::cerr << "veltrane-faults: no such case: " << o.only_case << "\n";
      return 2;
    }
    o.kinds = {o.only_case.substr(0, slash)};
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string work = std::string(tmp && *tmp ? tmp : "/tmp") + "/veltrane-faults-XXXXXX";
  if (!::mkdtemp(work.data())) {
    std::perror("veltrane-faults: mkdtemp");
    return 2;
  }
  work += "/";
  std::printf(
      "veltrane-faults: %d records, configuration %d KiB, %d kills per kind, every %d. call failing, "
      "%d size limits, %d jobs\n",
      o.records, o.config_kib, o.kills, o.stride, o.limits, o.jobs);
  std::fflush(stdout);

  const std::string again = std::string(argv[0]) + " --driver " + o.driver + " --shim " + o.shim +
                            (o.preload_first.empty() ? "" : " --preload-first " + o.preload_first) + " --records " +
                            std::to_string(o.records) + " --config-kib " + std::to_string(o.config_kib) +
                            (o.tear ? " --tear" : "") + " --case ";
  std::vector<std::pair<std::string, Tally>> tallies;
  Tally total;
  int problems = 0;
  for (SaveKind& kind : SaveKinds(size_t(o.records), size_t(o.config_kib) << 10)) {
    if (!o.kinds.empty() && !o.kinds.count(kind.name)) continue;
    KindCases cases(o, kind, work);
    if (const std::string problem = cases.Calibrate(); !problem.empty()) {
      std::printf("PROBLEM %s: %s\n", kind.name.c_str(), problem.c_str());
      ++problems;
      continue;
    }
    const std::vector<FaultCase> plan = o.only_case.empty() ? cases.Plan() : std::vector<FaultCase>{single};
    std::printf("%s: %s; uninterrupted %.3f s, %zu calls; %zu cases\n", kind.name.c_str(), kind.about.c_str(),
                cases.clean_seconds, cases.clean.calls.size(), plan.size());
    std::fflush(stdout);

    std::vector<Outcome> outcomes(plan.size());
    std::atomic<size_t> next{0};
    std::mutex print;
    auto worker = [&](int id) {
      for (size_t i; (i = next++) < plan.size();) {
        outcomes[i] = cases.RunCase(plan[i], id);
        std::lock_guard<std::mutex> lock(print);
        if (outcomes[i].Faulty() || !o.only_case.empty()) PrintOutcome(outcomes[i], again);
      }
    };
    std::vector<std::thread> workers;
    for (int j = 0; j < o.jobs; ++j) workers.emplace_back(worker, j);
    for (auto& w : workers) w.join();
    tallies.push_back({kind.name, {}});
    for (const Outcome& outcome : outcomes) {
      tallies.back().second.Add(outcome);
      total.Add(outcome);
    }
  }

  std::printf("\n%-13s %6s %8s %9s %9s %9s %7s %8s %7s %8s %7s\n", "kind", "kills", "in-save", "failures", "reported",
              "harmless", "limits", "damaged", "lost", "crashes", "faulty");
  for (const auto& [name, tally] : tallies) tally.Print(name);
  total.Print("total");
  std::printf(
      "(kills: before the program ended; in-save: while a file was open for writing; failures: calls\n"
      " made to fail and size limits reached; harmless: failures not told where nothing was at stake;\n"
      " lost: records in no list afterwards; crashes: crashes, hangs and unexpected exits)\n"
      "%d kinds that could not run\n",
      problems);
  fs::remove_all(work);
  if (o.expect_damage) {
    // The self-check: saves torn on purpose must show as damaged files.
    std::printf("%s\n", total.damaged > 0 ? "damage found, as it must be" : "NO DAMAGE FOUND in saves torn on purpose");
    return total.damaged > 0 && problems == 0 ? 0 : 1;
  }
  return total.faulty > 0 || problems > 0 ? 1 : 0;
}
