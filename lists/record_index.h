// RecordIndex: numbers the distinct records of one or more lists and answers "is this
// record known?" in constant time, for the existence checks and doubles searches that
// run over millions of records. Records are equal when their bytes are equal. The
// index refers to the texts it was given and copies none of them: they must outlive it,
// unchanged (a list that grows may move its texts).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class RecordIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  explicit RecordIndex(size_t expected = 0);
  explicit RecordIndex(const std::vector<std::string>& records) : RecordIndex(records.size()) { AddAll(records); }

  // The record's number, given in the order records are first added; `added` tells whether it was new.
  uint32_t Add(std::string_view record, bool* added = nullptr);
  void AddAll(const std::vector<std::string>& records);

  uint32_t Find(std::string_view record) const;
  bool Contains(std::string_view record) const { return Find(record) != kNone; }

  size_t Size() const { return keys_.size(); }
  std::string_view Record(uint32_t number) const { return keys_[number]; }

 private:
  static uint64_t Hash(std::string_view record);
  void Grow();

  std::vector<std::string_view> keys_;
  // Open addressing: each slot holds the upper half of the hash and the record's number + 1 (0 = free).
  std::vector<uint64_t> slots_;
  uint64_t mask_ = 0;
};

// `list` without every element that equals a record of `unwanted`; the rest keeps its order.
void RemoveKnown(std::vector<std::string>& list, const RecordIndex& unwanted);
