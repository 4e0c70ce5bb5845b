// The kinds of save the fault harness interrupts: for each, the files a program folder
// starts with and the driver script that makes the program save them. Every path in a
// folder is relative to it (the driver runs with the folder as its current folder), so a
// prepared folder can be copied anywhere.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct Scale {
  size_t records = 1'000'000;        // records in the big list of a kind (Unsorted, mostly)
  size_t config_bytes = 100u << 20;  // the configuration file written directly
};

struct SaveKind {
  std::string name;
  std::string about;       // what is saved, for the report
  std::string script;      // the driver's script
  bool fold_case = false;  // records count as kept when kept lower-cased (the correction lower-cases)
  // Writes the folder's files below `dir`, which ends in "/".
  std::function<void(const std::string& dir)> prepare;
};

// The clock every run reads, so that dated backups have the same names in every run.
inline constexpr const char* kDriveTime = "05.12.2026-09:53:12";

std::vector<SaveKind> SaveKinds(const Scale& scale);

// Distinct host names in a fixed order: each number gives its own name.
std::string HostName(size_t number);
