// Realistic domain lists for the benchmarks, from the generator in the shared data folder
// beside the repository (or, without awk, domains of the same shape from a fixed sequence).
#pragma once

#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace bench {

inline const char* kGenerator = VELTRANE_DATA_DIR "/gen_synth_domains.awk";

// The generator's first n lines, LF line ends; about 5% repeat earlier ones, often in another case.
inline std::string GenerateDomains(int n) {
  std::string text;
  const std::string command = "awk -v N=" + std::to_string(n) + " -f " + kGenerator + " 2>/dev/null";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buf[1 << 16];
    size_t got;
    while ((got = fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, got);
    pclose(pipe);
  }
  if (!text.empty()) return text;
  static const char* const kParts[] = {"www.", "ads.", "cdn.", "track.", "", "", "", ""};
  static const char* const kTlds[] = {"com", "com", "net", "org", "ru", "de", "info", "co.uk"};
  uint32_t s = 20240601;
  for (int i = 0; i < n; ++i) {
    s = s * 1103515245u + 12345u;
    std::string core;
    for (int k = 0; k < 8; ++k)
      core += char("bcdfghklmnprstvz"[(s >> (k * 4)) & 15]), core += char("aeio"[(s >> k) & 3]);
    std::string line = kParts[(s >> 28) & 7] + core + "." + kTlds[(s >> 24) & 7];
    if ((s >> 8) % 100 < 8) std::transform(line.begin(), line.end(), line.begin(), ::toupper);
    text += line + "\n";
  }
  return text;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// n distinct lower-case records in the generator's order.
inline std::vector<std::string> DistinctRecords(int n) {
  const std::vector<std::string> all = Lines(GenerateDomains(n + n / 8 + 1000));
  std::vector<std::string> records;
  std::unordered_set<std::string> seen;
  for (std::string r : all) {
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (seen.insert(r).second) records.push_back(std::move(r));
    if (int(records.size()) == n) break;
  }
  return records;
}

// The largest resident size since the last ResetPeak (or the start), in MiB.
inline double PeakMiB() {
  if (FILE* status = fopen("/proc/self/status", "r")) {
    char line[256];
    long kib = -1;
    while (fgets(line, sizeof line, status))
      if (sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    fclose(status);
    if (kib >= 0) return double(kib) / 1024.0;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

// Starts measuring the peak afresh from the present resident size.
inline void ResetPeak() {
  if (FILE* clear = fopen("/proc/self/clear_refs", "w")) {
    fputs("5", clear);
    fclose(clear);
  }
}

// Runs `make` in a child process, so that the memory it takes to make test data never
// counts towards the peak of what is measured afterwards.
template <class Make>
inline bool InChildProcess(Make make) {
  const pid_t child = fork();
  if (child == 0) {
    make();
    _exit(0);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace bench
