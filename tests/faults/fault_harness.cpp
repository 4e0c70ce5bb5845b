// veltrane-faults: the program's saves under kills, failed calls and a full disk, as README.md
// ("Saves under faults") tells. Exits with 1 when a case is faulty.
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>
#include <unordered_set>

#include "lists/list_files.h"
#include "tests/faults/content_hash.h"
#include "tests/faults/harness.h"

namespace fs = std::filesystem;

namespace {

const char* kUsage =
    "usage: veltrane-faults --driver PATH --shim PATH [--preload-first LIB] [--records N] [--config-kib N]\n"
    "       [--kills N] [--stride N] [--limits N] [--kinds A,B] [--case KIND/CASE] [--tear --expect-damage]\n"
    "       [--jobs N]\n";

constexpr const char* kCallKinds[] = {"open", "write", "fsync", "rename", "close"};
constexpr int kErrnos[] = {ENOSPC, EIO, EACCES};

struct Options {
  std::string driver, shim, preload_first, only_case;
  // Per kind: kills, every `stride`-th call of each kind failing (0: none), file-size limits.
  int records = 1'000'000, config_kib = 100 << 10, kills = 100, stride = 1, limits = 2, jobs = 2;
  std::set<std::string> kinds;  // none: all
  // The self-check: saves written over their files in place, which kills must show as damage.
  bool tear = false, expect_damage = false;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  std::string kinds;
  const std::map<std::string, int*> numbers{{"--records", &o.records}, {"--config-kib", &o.config_kib},
                                            {"--kills", &o.kills},     {"--stride", &o.stride},
                                            {"--limits", &o.limits},   {"--jobs", &o.jobs}};
  const std::map<std::string, std::string*> texts{{"--driver", &o.driver},
                                                  {"--shim", &o.shim},
                                                  {"--case", &o.only_case},
                                                  {"--kinds", &kinds},
                                                  {"--preload-first", &o.preload_first}};
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--tear" || a == "--expect-damage") (a == "--tear" ? o.tear : o.expect_damage) = true;
    else if (numbers.count(a) && i + 1 < argc) *numbers.at(a) = std::atoi(argv[++i]);
    else if (texts.count(a) && i + 1 < argc) *texts.at(a) = argv[++i];
    else return false;
  }
  std::istringstream list(kinds);
  for (std::string kind; std::getline(list, kind, ',');) o.kinds.insert(kind);
  if (o.driver.empty() || o.shim.empty() || o.jobs < 1) return false;
  o.driver = fs::absolute(o.driver);  // the driver runs in the program folder
  o.shim = fs::absolute(o.shim);
  return true;
}

// A case's id (after "KIND/") names it in the report and on the command line:
// "kill@write#3+0.000250" (that many seconds after the program began the call),
// "fail:write#3:ENOSPC", "limit:65536".
std::string Id(const Fault& f) {
  char id[64];
  if (f.fail)
    std::snprintf(id, sizeof id, "fail:%s#%ld:%s", f.fail->kind.c_str(), f.fail->n, strerrorname_np(f.fail->error));
  else if (f.limit) std::snprintf(id, sizeof id, "limit:%llu", f.limit);
  else std::snprintf(id, sizeof id, "kill@%s+%.6f", f.kill_call.c_str(), f.kill_delay);
  return id;
}

bool ParseId(const std::string& id, Fault& f) {
  char call[16], error[16];
  long n = 0;
  if (std::sscanf(id.c_str(), "kill@%15[a-z#0-9]+%lf", call, &f.kill_delay) == 2) f.kill_call = call;
  if (std::sscanf(id.c_str(), "fail:%15[a-z]#%ld:%15s", call, &n, error) == 3)
    for (int e : kErrnos)
      if (std::strcmp(strerrorname_np(e), error) == 0) f.fail = FailedCall{call, n, e};
  std::sscanf(id.c_str(), "limit:%llu", &f.limit);
  return Id(f) == id;
}

// A program folder: every regular file by its path relative to the folder.
using Snapshot = std::map<std::string, Content>;

Snapshot TakeSnapshot(const std::string& dir) {
  Snapshot snapshot;
  static thread_local std::string buffer(1 << 20, '\0');
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    // The program folder's lock file holds who holds the lock, no data.
    if (!entry.is_regular_file() || entry.path().filename() == "veltrane.lock") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    content_hash h;
    content_hash_start(&h);
    while (in.read(buffer.data(), std::streamsize(buffer.size())) || in.gcount() > 0)
      content_hash_add(&h, buffer.data(), size_t(in.gcount()));
    snapshot[entry.path().string().substr(dir.size())] = {content_hash_end(&h), h.length};
  }
  return snapshot;
}

// The files of `now` that hold neither their old content, nor their new one, nor one that a
// save of either run gave them whole, and the files gone though nothing deleted them. A file
// none of these knows is a temporary file left behind, which is no damage.
std::vector<std::string> DamagedFiles(const Snapshot& before, const Snapshot& after_clean, const Versions& clean,
                                      const Versions& this_run, const Snapshot& now) {
  std::map<std::string, std::set<Content>> allowed;
  for (const Versions* run : {&clean, &this_run}) {
    for (const auto& [path, contents] : run->contents) allowed[path].insert(contents.begin(), contents.end());
    for (const auto& path : run->gone) allowed.try_emplace(path);
  }
  for (const Snapshot* snapshot : {&before, &after_clean})
    for (const auto& [path, content] : *snapshot) allowed[path].insert(content);
  std::vector<std::string> damaged;
  for (const auto& [path, content] : now)
    if (allowed.count(path) && !allowed[path].count(content))
      damaged.push_back(path + ": neither its old content, nor its new one, nor one a save gave it (" +
                        std::to_string(content.second) + " bytes)");
  for (const auto& [path, content] : before)
    if (!now.count(path) && after_clean.count(path) && !clean.gone.count(path) && !this_run.gone.count(path))
      damaged.push_back(path + ": gone, though nothing deleted it");
  return damaged;
}

TListSet ReadLists(const std::string& dir) {
  TListSet lists;
  for (size_t i = 0; i < kListCount; ++i) lists[i] = LoadRecords(dir + "Lists/" + kLists[i].file_name);
  return lists;
}

// Records of `before` that no list of `dir` holds (compared lower-cased when `fold_case`).
std::vector<std::string> LostRecords(const TListSet& before, const std::string& dir, bool fold_case) {
  auto key = [fold_case](std::string_view view) {
    std::string record(view);
    for (char& c : record)
      if (fold_case && c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return record;
  };
  std::unordered_set<std::string> kept;
  for (const auto& list : ReadLists(dir))
    for (const auto& record : list) kept.insert(key(record));
  std::vector<std::string> lost;
  for (size_t i = 0; i < kListCount; ++i)
    for (const auto& record : before[i])
      if (!kept.count(key(record))) lost.push_back(std::string(record) + " (was in " + kLists[i].name + ")");
  return lost;
}

struct Outcome {
  Fault fault;
  std::string id;
  bool killed = false;   // the kill came before the program had ended
  bool in_save = false;  // ... while a file opened for writing was neither renamed nor closed
  bool failure_made = false;
  bool reported = false;          // a new message box names the file and gives the system's reason
  bool nothing_at_stake = false;  // the close of a file only read, or a failure that changed nothing
  std::string target{};           // the file the failed call was for
  std::vector<std::string> damaged{}, lost{};
  std::string trouble{};                // a crash, a hang, an unexpected exit
  std::vector<std::string> messages{};  // message boxes beyond those of the uninterrupted run

  bool Faulty() const {
    return !trouble.empty() || !damaged.empty() || !lost.empty() || (failure_made && !reported && !nothing_at_stake);
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
    const auto it = seen.find(line);
    if (it != seen.end()) seen.erase(it);
    else if (line.rfind("message ", 0) == 0) fresh.push_back(line);
  }
  return fresh;
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

long Count(const std::vector<TracedCall>& calls, const std::string& kind) {
  return long(std::count_if(calls.begin(), calls.end(), [&](const TracedCall& c) { return c.kind == kind; }));
}

// The file a call works for: a temporary file stands for the file it is renamed over.
std::string TargetOf(const std::vector<TracedCall>& calls, const TracedCall& call) {
  for (const TracedCall* later = &call; later != calls.data() + calls.size(); ++later)
    if (later->kind == "rename" && (later == &call || later->extra == call.path)) return later->path;
  return call.path;
}

bool OnReadOnlyFile(const std::vector<TracedCall>& calls, const TracedCall& call) {
  if (call.kind == "open") return call.extra == "read";
  if (call.kind == "rename") return false;
  // The last open of that path before the call says how it was opened.
  const TracedCall* opened = nullptr;
  for (const TracedCall* earlier = calls.data(); earlier != &call; ++earlier)
    if (earlier->kind == "open" && earlier->path == call.path) opened = earlier;
  return opened && opened->extra == "read";
}

// The cases of one kind of save: a folder prepared once as a template, an uninterrupted run
// that tells what the saves write, and the faulted runs, each in a fresh copy of the template.
struct KindCases {
  const Options& o;
  SaveKind kind;
  std::string work;  // ends in "/"
  Snapshot before{}, after_clean{};
  TListSet lists_before{};
  RunResult clean{};
  // The calls on files being written ("write#3"), and the time from each to the next: a kill
  // is aimed at a moment in between.
  std::vector<std::string> save_calls{};
  std::vector<double> gaps{};

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
            .tear = o.tear,
            .timeout = std::max(60.0, double(clean.end_ns - clean.start_ns) / 1e9 * 30)};
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
    clean = Run(run);
    if (clean.exit_code != 0)
      return "the uninterrupted run ended with exit code " + std::to_string(clean.exit_code) + ", signal " +
             std::to_string(clean.signal) + ": " + clean.output;
    after_clean = TakeSnapshot(run.dir);
    if (Count(clean.calls, "rename") == 0 || Count(clean.calls, "write") == 0)
      return "the shim saw no save of the folder's files (is it loaded?)";
    for (size_t i = 0; i < clean.calls.size(); ++i) {
      const TracedCall& call = clean.calls[i];
      if (OnReadOnlyFile(clean.calls, call)) continue;
      const long long next = i + 1 < clean.calls.size() ? clean.calls[i + 1].ns : clean.end_ns;
      save_calls.push_back(call.kind + "#" + std::to_string(call.n));
      gaps.push_back(std::clamp((next - call.ns) / 1e9, 5e-5, 0.5));
    }
    return "";
  }

  std::vector<Fault> Plan() const {
    std::vector<Fault> cases;
    std::mt19937_64 random(std::hash<std::string>{}(kind.name));
    // Four kills in five are aimed at any one of the calls alike; the fifth at a moment of
    // the saves, so that long calls are hit as often as they take time.
    std::discrete_distribution<size_t> by_time(gaps.begin(), gaps.end());
    for (int i = 0; i < o.kills; ++i) {
      const size_t call = random() % 5 ? random() % save_calls.size() : by_time(random);
      cases.push_back(
          {.kill_call = save_calls[call], .kill_delay = std::uniform_real_distribution(0.0, gaps[call])(random)});
    }
    for (size_t k = 0; k < std::size(kCallKinds) && o.stride > 0; ++k) {
      const long count = Count(clean.calls, kCallKinds[k]);
      for (long n = 1 + long(random() % uint64_t(o.stride)); n <= count; n += o.stride)
        cases.push_back({.fail = FailedCall{kCallKinds[k], n, kErrnos[(size_t(n) + k) % 3]}});
    }
    // Limits below the largest file a save writes, none so small that the shim's trace could not be written.
    uint64_t largest = 0;
    for (const auto& [path, content] : after_clean)
      if (!before.count(path) || before.at(path) != content) largest = std::max(largest, content.second);
    const uint64_t floor = 1 << 16;
    for (int i = 1; i <= o.limits && largest > floor; ++i)
      cases.push_back({.limit = std::max(floor, largest * i / uint64_t(o.limits + 1))});
    return cases;
  }

  Outcome RunCase(const Fault& fault, int worker) const {
    Outcome out{.fault = fault, .id = kind.name + "/" + Id(fault)};
    DriverRun run = Driver(worker);
    run.fault = fault;
    run.hash_versions = fault.kill_call.empty();
    const RunResult result = Run(run);

    if (result.hung) out.trouble = "hung (killed after " + std::to_string(int(run.timeout)) + " s)";
    else if (result.signal)
      out.trouble = "ended by signal " + std::to_string(result.signal) + " (" + strsignal(result.signal) + ")";
    else if (!result.killed && result.exit_code != 0 && result.exit_code != 1)
      out.trouble = "ended with exit code " + std::to_string(result.exit_code) + ": " + result.output;
    std::set<std::string> writing;
    for (const auto& call : result.calls) {
      if (call.kind == "open" && call.extra == "write") writing.insert(call.path);
      if (call.kind == "rename") writing.erase(call.extra);
      if (call.kind == "close") writing.erase(call.path);
    }
    out.killed = result.killed;
    out.in_save = result.killed && !writing.empty();

    // The files a failure concerns, and the system's words for the reason.
    std::vector<std::string> files;
    std::string reason = std::strerror(EFBIG);
    if (fault.fail) {
      out.failure_made = std::any_of(result.calls.begin(), result.calls.end(), [](auto& call) { return call.failed; });
      // The uninterrupted run made the same calls up to this one, and shows which file a temporary one was for.
      const auto same = std::find_if(clean.calls.begin(), clean.calls.end(), [&](const TracedCall& c) {
        return c.kind == fault.fail->kind && c.n == fault.fail->n;
      });
      if (same != clean.calls.end()) {
        out.target = TargetOf(clean.calls, *same);
        files.push_back(BaseName(out.target));
        out.nothing_at_stake = same->kind == "close" && OnReadOnlyFile(clean.calls, *same);
      }
      reason = std::strerror(fault.fail->error);
    } else if (fault.limit) {
      // Every file the uninterrupted run wrote beyond the limit.
      for (const auto& [path, content] : after_clean)
        if (content.second > fault.limit && !(before.count(path) && before.at(path) == content))
          files.push_back(BaseName(path));
      out.failure_made = !files.empty();
    }
    out.messages = NewMessages(result.output, clean.output);
    for (const auto& line : out.messages)
      for (const auto& file : files)
        out.reported |= line.find(file) != std::string::npos && line.find(reason) != std::string::npos;

    const Snapshot now = TakeSnapshot(run.dir);
    out.damaged = DamagedFiles(before, after_clean, clean.versions, result.versions, now);
    // A failure that changed nothing (every file as the uninterrupted run leaves it, and no word
    // more than it says) had nothing to tell: the flush of a folder after a rename that stands,
    // a read retried by a later step.
    if (fault.fail && out.messages.empty() && now == after_clean) out.nothing_at_stake = true;
    out.lost = LostRecords(lists_before, run.dir, kind.fold_case);
    return out;
  }
};

struct Tally {
  size_t kills = 0, in_save = 0, failures = 0, reported = 0, harmless = 0, limits = 0, damaged = 0, lost = 0,
         crashes = 0, faulty = 0;

  void Add(const Outcome& o) {
    kills += o.killed;
    in_save += o.in_save;
    failures += o.failure_made;
    reported += o.failure_made && o.reported;
    harmless += o.failure_made && !o.reported && o.nothing_at_stake;
    limits += o.fault.limit > 0;
    damaged += o.damaged.size();
    lost += o.lost.size();
    crashes += !o.trouble.empty();
    faulty += o.Faulty();
  }

  void Print(const std::string& name) const {
    std::printf("%-13s %6zu %8zu %9zu %9zu %9zu %7zu %8zu %7zu %8zu %7zu\n", name.c_str(), kills, in_save, failures,
                reported, harmless, limits, damaged, lost, crashes, faulty);
  }
};

void PrintOutcome(const Outcome& o, const std::string& again) {
  std::ostringstream out;
  out << (o.Faulty() ? "FAULT " : "ok    ") << o.id << (o.target.empty() ? "" : " on " + o.target);
  if (o.failure_made) out << (o.reported ? ": reported" : ": NOT REPORTED with the file and the reason");
  out << "\n";
  if (!o.trouble.empty()) out << "      trouble: " << o.trouble << "\n";
  for (const auto& d : o.damaged) out << "      damaged: " << d << "\n";
  if (!o.lost.empty()) out << "      " << o.lost.size() << " records lost, as " << o.lost[0] << "\n";
  for (const auto& line : o.messages) out << "      shown: " << line << "\n";
  out << "      again: " << again << o.id << "\n";
  std::cout << out.str() << std::flush;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  Fault single;
  if (!ParseOptions(argc, argv, o)) {
    std::cerr << kUsage;
    return 2;
  }
  if (!o.only_case.empty()) {
    const size_t slash = o.only_case.find('/');
    if (slash == std::string::npos || !ParseId(o.only_case.substr(slash + 1), single)) {
      std::cerr << "veltrane-faults: no such case: " << o.only_case << "\n";
      return 2;
    }
    o.kinds = {o.only_case.substr(0, slash)};
  }
  std::string work = fs::temp_directory_path() / "veltrane-faults-XXXXXX";
  if (!::mkdtemp(work.data())) {
    std::perror("veltrane-faults: mkdtemp");
    return 2;
  }
  work += "/";
  const std::string again = std::string(argv[0]) + " --driver " + o.driver + " --shim " + o.shim +
                            (o.preload_first.empty() ? "" : " --preload-first " + o.preload_first) + " --records " +
                            std::to_string(o.records) + " --config-kib " + std::to_string(o.config_kib) +
                            (o.tear ? " --tear" : "") + " --case ";
  std::vector<std::pair<std::string, Tally>> tallies;
  Tally total;
  int problems = 0;
  for (SaveKind& kind : SaveKinds(size_t(o.records), size_t(o.config_kib) << 10)) {
    if (!o.kinds.empty() && !o.kinds.count(kind.name)) continue;
    KindCases cases{o, kind, work};
    if (const std::string problem = cases.Calibrate(); !problem.empty()) {
      std::printf("PROBLEM %s: %s\n", kind.name.c_str(), problem.c_str());
      ++problems;
      continue;
    }
    const std::vector<Fault> plan = o.only_case.empty() ? cases.Plan() : std::vector<Fault>{single};
    std::printf("%s: %zu calls uninterrupted; %zu cases\n", kind.name.c_str(), cases.clean.calls.size(), plan.size());
    std::fflush(stdout);

    Tally& tally = tallies.emplace_back(kind.name, Tally{}).second;
    std::atomic<size_t> next{0};
    std::mutex lock;
    auto worker = [&](int id) {
      for (size_t i; (i = next++) < plan.size();) {
        const Outcome outcome = cases.RunCase(plan[i], id);
        std::lock_guard<std::mutex> hold(lock);
        tally.Add(outcome);
        total.Add(outcome);
        if (outcome.Faulty() || !o.only_case.empty()) PrintOutcome(outcome, again);
      }
    };
    std::vector<std::thread> workers;
    for (int j = 0; j < o.jobs; ++j) workers.emplace_back(worker, j);
    for (auto& w : workers) w.join();
  }
  fs::remove_all(work);

  std::printf("\n%-13s %6s %8s %9s %9s %9s %7s %8s %7s %8s %7s\n", "kind", "kills", "in-save", "failures", "reported",
              "harmless", "limits", "damaged", "lost", "crashes", "faulty");
  for (const auto& [name, tally] : tallies) tally.Print(name);
  total.Print("total");
  if (o.expect_damage) {
    std::printf("%s\n", total.damaged ? "damage found, as it must be" : "NO DAMAGE FOUND in saves written in place");
    return total.damaged > 0 && problems == 0 ? 0 : 1;
  }
  return total.faulty > 0 || problems > 0 ? 1 : 0;
}
