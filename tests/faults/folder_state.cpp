#include "tests/faults/folder_state.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <unordered_set>

#include "lists/list_files.h"
#include "tests/faults/content_hash.h"

namespace {

FileContent Fingerprint(const std::string& path, const struct stat& st) {
  FileContent content;
  content.inode = st.st_ino;
  content.changed_ns = int64_t(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
  content.modified_ns = int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  content_hash h;
  content_hash_start(&h);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    static thread_local std::string buffer(1 << 20, '\0');
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) content_hash_add(&h, buffer.data(), size_t(n));
    ::close(fd);
  }
  content.hash = content_hash_end(&h);
  content.size = h.length;
  return content;
}

bool SameIdentity(const FileContent& a, const struct stat& st) {
  return a.inode == st.st_ino && a.size == uint64_t(st.st_size) &&
         a.changed_ns == int64_t(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec &&
         a.modified_ns == int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

std::string Describe(const std::string& path, const char* what, uint64_t size) {
  return path + ": " + what + " (" + std::to_string(size) + " bytes)";
}

}  // namespace

Snapshot TakeSnapshot(const std::string& dir, const Snapshot* earlier) {
  namespace fs = std::filesystem;
  Snapshot snapshot;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(dir, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    struct stat st;
    const std::string full = it->path().string();
    if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const std::string relative = full.substr(dir.size());
    if (earlier) {
      const auto known = earlier->find(relative);
      if (known != earlier->end() && SameIdentity(known->second, st)) {
        snapshot[relative] = known->second;
        continue;
      }
    }
    snapshot[relative] = Fingerprint(full, st);
  }
  return snapshot;
}

Snapshot Restamped(const std::string& dir, const Snapshot& contents) {
  Snapshot snapshot;
  for (const auto& [path, content] : contents) {
    struct stat st;
    if (::lstat((dir + path).c_str(), &st) != 0) continue;
    FileContent copy = content;
    copy.inode = st.st_ino;
    copy.changed_ns = int64_t(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    copy.modified_ns = int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    snapshot[path] = copy;
  }
  return snapshot;
}

void Versions::Add(const Versions& other) {
  for (const auto& [path, set] : other.contents) contents[path].insert(set.begin(), set.end());
  gone.insert(other.gone.begin(), other.gone.end());
}

FolderVerdict JudgeFolder(const Snapshot& before, const Snapshot& after_clean, const Versions& clean,
                          const Versions& this_run, const Snapshot& now) {
  FolderVerdict verdict;
  auto given = [](const Versions& v, const std::string& path, const FileContent& c) {
    const auto it = v.contents.find(path);
    return it != v.contents.end() && it->second.count({c.hash, c.size}) > 0;
  };
  auto holds = [](const Snapshot& s, const std::string& path, const FileContent& c) {
    const auto it = s.find(path);
    return it != s.end() && it->second == c;
  };
  for (const auto& [path, content] : now) {
    if (holds(before, path, content))
      ++verdict.old_files;
    else if (holds(after_clean, path, content))
      ++verdict.new_files;
    else if (given(clean, path, content))
      ++verdict.between_files;
    else if (given(this_run, path, content)) {
      ++verdict.diverged_files;
      verdict.diverged.push_back(Describe(path, "whole, but a content of its own", content.size));
    } else if (!before.count(path) && !after_clean.count(path) && !clean.Has(path) && !this_run.Has(path)) {
      ++verdict.temporary_files;
    } else {
      verdict.damaged.push_back(
          Describe(path, "neither its old content, nor its new one, nor one a save gave it", content.size));
    }
  }
  // A file that is gone must have been deleted on purpose (or never have been there).
  for (const auto& [path, content] : before) {
    if (now.count(path)) continue;
    if (!after_clean.count(path) || clean.gone.count(path) || this_run.gone.count(path)) continue;
    verdict.damaged.push_back(Describe(path, "gone, though nothing deleted it", 0));
  }
  return verdict;
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

namespace {
std::string Folded(std::string_view record) {
  std::string folded(record);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return folded;
}
}  // namespace

LostRecords FindLostRecords(const TListSet& before, const std::string& dir, bool fold_case) {
  const TListSet after = ReadLists(dir);
  std::unordered_set<std::string> kept;
  for (const auto& list : after)
    for (const auto& record : list) kept.insert(fold_case ? Folded(record) : record);
  LostRecords lost;
  for (size_t i = 0; i < kListCount; ++i) {
    for (const auto& record : before[i]) {
      if (kept.count(fold_case ? Folded(record) : record)) continue;
      if (++lost.count <= 3) lost.first.push_back(record + " (was in " + kLists[i].name + ")");
    }
  }
  return lost;
}
