#include "runtime/record_list.h"

#include <algorithm>
#include <cstring>

namespace {

// Above any string's inner buffer: a file's bytes always lie on the heap, so that views into
// them stay where they are when the list is moved.
constexpr size_t kOnHeap = 32;

}  // namespace

RecordList::RecordList(const RecordList& other) : added_(other.added_), entries_(other.entries_) {
  file_.reserve(std::max(other.file_.size(), kOnHeap));
  file_ = other.file_;
}

RecordList& RecordList::operator=(const RecordList& other) {
  if (this != &other) *this = RecordList(other);
  return *this;
}

RecordList::RecordList(std::initializer_list<std::string_view> records) {
  for (std::string_view record : records) push_back(record);
}

RecordList::RecordList(const std::vector<std::string>& records) {
  size_t bytes = 0;
  for (const std::string& record : records) bytes += record.size();
  reserve(records.size(), bytes);
  for (const std::string& record : records) push_back(record);
}

RecordList RecordList::OfLines(std::string&& text, size_t from, LineBreaks breaks) {
  RecordList list;
  list.file_ = std::move(text);
  if (list.file_.capacity() < kOnHeap) list.file_.reserve(kOnHeap);
  const std::string_view all(list.file_);
  from = std::min(from, all.size());
  std::vector<size_t> long_lines;  // rare: each takes two entries until it is copied behind
  EachLineOf(all.substr(from), breaks, [&](size_t at, size_t size) {
    at += from;
    if (size >= kLong) {
      long_lines.push_back(list.entries_.size());
      list.entries_.push_back(at);
      list.entries_.push_back(size);
      return;
    }
    list.entries_.push_back(EntryOf(at, size));
  });
  if (!long_lines.empty()) {
    GrowBuffer<uint64_t> entries;
    entries.reserve(list.entries_.size() - long_lines.size());
    size_t next_long = 0;
    for (size_t i = 0; i < list.entries_.size(); ++i) {
      if (next_long < long_lines.size() && long_lines[next_long] == i) {
        const std::string_view line = all.substr(size_t(list.entries_[i]), size_t(list.entries_[i + 1]));
        entries.push_back(list.Put(line));  // from the file, which never moves
        ++i;
        ++next_long;
        continue;
      }
      entries.push_back(list.entries_[i]);
    }
    list.entries_.swap(entries);
  }
  list.entries_.shrink_to_fit();
  return list;
}

std::string_view RecordList::LongView(size_t at) const {
  uint64_t size;
  std::memcpy(&size, Bytes(at), sizeof size);
  return std::string_view(Bytes(at) + sizeof size, size_t(size));
}

uint64_t RecordList::Put(std::string_view record) {
  const size_t at = file_.size() + added_.size();
  if (record.size() < kLong) {
    added_.Append(record.data(), record.size());
    return EntryOf(at, record.size());
  }
  const uint64_t size = record.size();
  added_.Append(reinterpret_cast<const char*>(&size), sizeof size);
  added_.Append(record.data(), record.size());
  return EntryOf(at, kLong);
}

void RecordList::push_back(std::string_view record) {
  if (InAdded(record)) {
    const std::string copy(record);  // the buffer may move as it grows
    entries_.push_back(Put(copy));
    return;
  }
  entries_.push_back(Put(record));
}

void RecordList::reserve(size_t records, size_t bytes) {
  entries_.reserve(entries_.size() + records);
  if (bytes > 0) added_.reserve(added_.size() + bytes);
}

void RecordList::clear() {
  file_.clear();
  added_.clear();
  entries_.clear();
}

void RecordList::Append(const RecordList& other) {
  if (&other == this) {
    const RecordList copy = other;
    Append(copy);
    return;
  }
  reserve(other.size(), other.TextBytes());
  for (std::string_view record : other) entries_.push_back(Put(record));
}

void RecordList::Replace(size_t i, std::string_view record) {
  const uint64_t entry = entries_[i];
  const size_t old_size = size_t(entry & kLong);
  if (old_size != kLong && record.size() <= old_size) {
    char* at = Bytes(size_t(entry >> 24));
    if (record.data() != at) std::memmove(at, record.data(), record.size());
    entries_[i] = EntryOf(size_t(entry >> 24), record.size());
    return;
  }
  Substitute(i, record);
}

void RecordList::Substitute(size_t i, std::string_view record) {
  if (InAdded(record)) {
    const std::string copy(record);
    entries_[i] = Put(copy);
    return;
  }
  entries_[i] = Put(record);
}

void RecordList::Reorder(const std::vector<uint32_t>& order) {
  GrowBuffer<uint64_t> entries;
  entries.reserve(order.size());
  for (uint32_t i : order) entries.push_back(entries_[i]);
  entries_.swap(entries);
}

std::vector<std::string> RecordList::Strings() const {
  std::vector<std::string> strings;
  strings.reserve(size());
  for (std::string_view record : *this) strings.emplace_back(record);
  return strings;
}

bool operator==(const RecordList& a, const RecordList& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

bool operator==(const RecordList& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

std::string JoinLines(const RecordList& records) {
  size_t size = 0;
  for (std::string_view record : records) size += record.size() + 2;
  std::string text;
  text.reserve(size);
  for (std::string_view record : records) {
    text += record;
    text += "\r\n";
  }
  return text;
}
