// What a program folder holds after a run: its files' contents and the records of its lists.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unordered_set>

#include "lists/list_files.h"
#include "tests/faults/content_hash.h"
#include "tests/faults/harness.h"

Snapshot TakeSnapshot(const std::string& dir) {
  Snapshot snapshot;
  static thread_local std::string buffer(1 << 20, '\0');
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    content_hash h;
    content_hash_start(&h);
    while (in.read(buffer.data(), std::streamsize(buffer.size())) || in.gcount() > 0)
      content_hash_add(&h, buffer.data(), size_t(in.gcount()));
    snapshot[entry.path().string().substr(dir.size())] = {content_hash_end(&h), h.length};
  }
  return snapshot;
}

std::vector<std::string> DamagedFiles(const Snapshot& before, const Snapshot& after_clean, const Versions& clean,
                                      const Versions& this_run, const Snapshot& now) {
  auto holds = [](const Snapshot& s, const std::string& path, const Content& c) {
    const auto it = s.find(path);
    return it != s.end() && it->second == c;
  };
  auto given = [](const Versions& v, const std::string& path, const Content& c) {
    const auto it = v.contents.find(path);
    return it != v.contents.end() && it->second.count(c) > 0;
  };
  auto touched = [](const Versions& v, const std::string& path) {
    return v.contents.count(path) || v.gone.count(path);
  };
  std::vector<std::string> damaged;
  for (const auto& [path, content] : now) {
    if (holds(before, path, content) || holds(after_clean, path, content) || given(clean, path, content) ||
        given(this_run, path, content))
      continue;
    if (!before.count(path) && !after_clean.count(path) && !touched(clean, path) && !touched(this_run, path))
      continue;  // a temporary file
    damaged.push_back(path + ": neither its old content, nor its new one, nor one a save gave it (" +
                      std::to_string(content.second) + " bytes)");
  }
  for (const auto& [path, content] : before)
    if (!now.count(path) && after_clean.count(path) && !clean.gone.count(path) && !this_run.gone.count(path))
      damaged.push_back(path + ": gone, though nothing deleted it");
  return damaged;
}

TListSet ReadLists(const std::string& dir) {
  TListSet lists;
  for (size_t i = 0; i < kListCount; ++i) {
    std::string path = dir + kLists[i].file;
    std::replace(path.begin(), path.end(), '\\', '/');
    lists[i] = LoadRecords(path);
  }
  return lists;
}

LostRecords FindLostRecords(const TListSet& before, const std::string& dir, bool fold_case) {
  auto key = [fold_case](std::string record) {
    for (char& c : record)
      if (fold_case && c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return record;
  };
  std::unordered_set<std::string> kept;
  for (const auto& list : ReadLists(dir))
    for (const auto& record : list) kept.insert(key(record));
  LostRecords lost;
  for (size_t i = 0; i < kListCount; ++i) {
    for (const auto& record : before[i]) {
      if (kept.count(key(record))) continue;
      if (++lost.count <= 3) lost.first.push_back(record + " (was in " + kLists[i].name + ")");
    }
  }
  return lost;
}
