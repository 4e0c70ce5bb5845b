#include "elements/strlist/record_list.h"

#include <algorithm>
#include <cstring>

#include "elements/strlist/records.h"

RecordList::RecordList(const RecordList& other) : entries_(other.entries_) {
  text_.reserve(std::max(other.text_.size(), kOnHeap));
  text_ = other.text_;
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
  list.text_ = std::move(text);
  list.OnHeap();
  std::vector<size_t> long_lines;  // rare: moved behind the rest once the entries are made
  const std::string_view all(list.text_);
  EachLineOf(all.substr(std::min(from, all.size())), breaks, [&](size_t at, size_t size) {
    at += std::min(from, all.size());
    if (size >= kLong) {
      long_lines.push_back(list.entries_.size());
      list.entries_.push_back(at << 24 | 0);
      list.entries_.push_back(size);  // the size, until the line is moved
      return;
    }
    list.entries_.push_back(EntryOf(at, size));
  });
  if (!long_lines.empty()) {
    // Each long line takes two places above; its text is copied behind the buffer with its size.
    std::vector<uint64_t> entries;
    entries.reserve(list.entries_.size() - long_lines.size());
    size_t next_long = 0;
    for (size_t i = 0; i < list.entries_.size(); ++i) {
      if (next_long < long_lines.size() && long_lines[next_long] == i) {
        const size_t at = size_t(list.entries_[i] >> 24), size = size_t(list.entries_[i + 1]);
        const std::string line = list.text_.substr(at, size);
        entries.push_back(list.Put(line));
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
  std::memcpy(&size, text_.data() + at, sizeof size);
  return std::string_view(text_.data() + at + sizeof size, size_t(size));
}

uint64_t RecordList::Put(std::string_view record) {
  OnHeap();
  const size_t at = text_.size();
  if (record.size() < kLong) {
    text_.append(record);
    return EntryOf(at, record.size());
  }
  const uint64_t size = record.size();
  text_.append(reinterpret_cast<const char*>(&size), sizeof size);
  text_.append(record);
  return EntryOf(at, kLong);
}

void RecordList::push_back(std::string_view record) {
  // A view into this very buffer stays valid while the buffer grows only when copied first.
  if (!text_.empty() && record.data() >= text_.data() && record.data() < text_.data() + text_.size()) {
    const std::string copy(record);
    entries_.push_back(Put(copy));
    return;
  }
  entries_.push_back(Put(record));
}

void RecordList::reserve(size_t records, size_t bytes) {
  entries_.reserve(entries_.size() + records);
  if (bytes > 0) text_.reserve(text_.size() + bytes);
}

void RecordList::clear() {
  text_.clear();
  entries_.clear();
}

void RecordList::Append(const RecordList& other) {
  if (&other == this) {
    const RecordList copy = other;
    Append(copy);
    return;
  }
  reserve(other.size(), other.text_.size());
  for (std::string_view record : other) entries_.push_back(Put(record));
}

void RecordList::Replace(size_t i, std::string_view record) {
  const std::string_view old = (*this)[i];
  if (record.size() <= old.size() && (entries_[i] & kLong) != kLong && record.size() < kLong) {
    char* at = text_.data() + (entries_[i] >> 24);
    if (record.data() != at) std::memmove(at, record.data(), record.size());
    entries_[i] = EntryOf(size_t(entries_[i] >> 24), record.size());
    return;
  }
  const std::string copy(record);
  entries_[i] = Put(copy);
}

void RecordList::Substitute(size_t i, std::string_view record) {
  const std::string copy(record);
  entries_[i] = Put(copy);
}

void RecordList::Reorder(const std::vector<uint32_t>& order) {
  std::vector<uint64_t> entries;
  entries.reserve(order.size());
  for (uint32_t i : order) entries.push_back(entries_[i]);
  entries_.swap(entries);
}

void RecordList::Compact() {
  size_t bytes = 0;
  for (std::string_view record : *this) bytes += record.size();
  RecordList compact;
  compact.reserve(size(), bytes);
  for (std::string_view record : *this) compact.entries_.push_back(compact.Put(record));
  swap(compact);
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

void SortFolded(RecordList& list) {
  std::vector<uint32_t> order;
  {
    std::vector<std::string_view> views(list.begin(), list.end());
    order = FoldedOrder(views);
  }
  list.Reorder(order);
}

bool operator==(const RecordList& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}
