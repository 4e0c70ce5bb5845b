// RecordIndex: numbers the distinct records of one or more lists and answers "is this
// record known?" in constant time, for the existence checks and doubles searches that
// run over millions of records. Records are equal when their bytes are equal. The
// index refers to the texts it was given and copies none of them: they must outlive it,
// unchanged (a list that grows may move its texts).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/record_list.h"

class RecordIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  explicit RecordIndex(size_t expected = 0);
  explicit RecordIndex(const std::vector<std::string>& records) : RecordIndex(records.size()) { AddAll(records); }
  explicit RecordIndex(const RecordList& records) : RecordIndex(records.size()) { AddEach(records); }

  // The record's number, given in the order records are first added; `added` tells whether it was new.
  uint32_t Add(std::string_view record, bool* added = nullptr) { return AddHashed(record, Hash(record), added); }
  void AddAll(const std::vector<std::string>& records) { AddEach(records); }
  void AddAll(const RecordList& records) { AddEach(records); }
  // Add for every record in turn, much faster than one at a time on large lists (the
  // memory each step needs is fetched ahead); the records' numbers.
  std::vector<uint32_t> AddEach(const std::vector<std::string>& records);
  std::vector<uint32_t> AddEach(const std::vector<std::string_view>& records);
  std::vector<uint32_t> AddEach(const RecordList& records);

  uint32_t Find(std::string_view record) const;
  // Find for every record of `records` at once, the memory fetched ahead (and a large list
  // looked up on two cores): their numbers, kNone for those not known.
  std::vector<uint32_t> FindEach(const std::vector<std::string_view>& records) const;
  std::vector<uint32_t> FindEach(const std::vector<std::string>& records) const;
  std::vector<uint32_t> FindEach(const RecordList& records) const;
  bool Contains(std::string_view record) const { return Find(record) != kNone; }
  // Contains for every record of `records` at once, much faster than one at a time on
  // large lists: the memory each lookup needs is fetched ahead.
  std::vector<bool> ContainsEach(const std::vector<std::string>& records) const;
  std::vector<bool> ContainsEach(const std::vector<std::string_view>& records) const;
  std::vector<bool> ContainsEach(const RecordList& records) const;

  size_t Size() const { return keys_.size(); }
  // The record of a number.
  std::string_view Key(uint32_t number) const {
    const uint64_t key = keys_[number];
    const size_t size = size_t(key >> kAddressBits);
    if (size == kLongKey) return LongKey(number);
    return std::string_view(reinterpret_cast<const char*>(uintptr_t(key & kAddressMask)), size);
  }

  // The hash the index files a record by, for other tables of records.
  static uint64_t Hash(std::string_view record);

 private:
  // A used slot holds the record's number + 1 and 32 bits of its hash, which also say where it
  // is looked for from (so the table grows without reading the records): eight bytes, so
  // that the table of a million records takes 16 MiB. A lookup touches the slot and, on a
  // likely match only, the record.
  struct Slot {
    uint32_t number = 0;  // + 1; 0 = free
    uint32_t tag = 0;
  };
  bool Holds(const Slot& slot, std::string_view record, uint32_t tag) const {
    return slot.tag == tag && Key(slot.number - 1) == record;
  }
  // A record's text is kept as its address below its size, in eight bytes: user-space
  // addresses have 48 bits at most (47 on x86-64 Linux and Windows). A text of kLongKey bytes
  // or more, or one at a higher address, is kept in long_keys_ and its size shows kLongKey.
  static constexpr unsigned kAddressBits = 48;
  static constexpr uint64_t kAddressMask = (uint64_t(1) << kAddressBits) - 1;
  static constexpr size_t kLongKey = 0xFFFF;
  void PushKey(std::string_view record);
  std::string_view LongKey(uint32_t number) const;
  void Grow();
  uint32_t AddHashed(std::string_view record, uint64_t hash, bool* added);
  uint32_t FindHashed(std::string_view record, uint64_t hash) const;
  // Calls step(i, hash of records[i]) for every i of [from, to) in order, fetching slots a
  // block ahead.
  template <class Records, class Step>
  void Prefetched(const Records& records, size_t from, size_t to, Step step) const;
  template <class Records>
  std::vector<uint32_t> AddAllOf(const Records& records);
  template <class Records>
  std::vector<bool> ContainsAllOf(const Records& records) const;
  template <class Records>
  std::vector<uint32_t> FindAllOf(const Records& records) const;

  std::vector<uint64_t> keys_;
  std::vector<std::pair<uint32_t, std::string_view>> long_keys_;  // by number
  std::vector<Slot> slots_;
  uint64_t mask_ = 0;
};

// `list` without every element that equals a record of `unwanted`; the rest keeps its order.
void RemoveKnown(std::vector<std::string>& list, const RecordIndex& unwanted);
void RemoveKnown(RecordList& list, const RecordIndex& unwanted);
