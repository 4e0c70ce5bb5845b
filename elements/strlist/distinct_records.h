// DistinctRecords: the records of a stream, each kept once, in the order they first came,
// for readers that take millions of lines and must hold only what differs. Unlike
// RecordIndex it owns its records (in one RecordList), so they may come one by one from
// texts that go away.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/record_list.h"

// The table DistinctRecords kept its records by, handed on with them (Take), so that a list
// read once is searched without being indexed again. It holds the records' numbers, not their
// texts: it answers for the list it was taken with, as long as that list is unchanged.
class RecordLookup {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;
  bool Empty() const { return slots_.empty(); }
  // For each of `names`, its number in `records` (the list taken with this table), kNone when
  // it is not there; the memory fetched ahead, and many names looked up on two cores.
  std::vector<uint32_t> FindEach(const RecordList& records, const std::vector<std::string_view>& names) const;

 private:
  friend class DistinctRecords;
  // Open addressing: a slot holds 32 bits of its record's hash and the record's number + 1
  // (0: free), so that a lookup touches a record's text only on a likely match.
  std::vector<uint64_t> slots_;
  uint64_t mask_ = 0;
};

class DistinctRecords {
 public:
  // Keeps each record in turn unless it came before, and calls `added(was_new)` after each,
  // which may stop the rest by returning false; the memory each step needs is asked for ahead.
  template <class Added>
  void AddEach(const RecordList& records, Added added);
  size_t Size() const { return records_.size(); }
  // The records, in the order they first came; the table goes to `lookup` when one is given,
  // and is left empty.
  RecordList Take(RecordLookup* lookup = nullptr);

 private:
  friend class RecordLookup;
  static uint32_t Hash(std::string_view record);
  void Grow();
  void Prefetch(uint32_t hash) const { __builtin_prefetch(&table_.slots_[hash & table_.mask_]); }
  bool AddHashed(std::string_view record, uint32_t hash);

  RecordList records_;
  RecordLookup table_;
  std::vector<uint32_t> hashes_;  // of the records AddEach adds
};

template <class Added>
void DistinctRecords::AddEach(const RecordList& records, Added added) {
  while ((records_.size() + records.size()) * 2 > table_.slots_.size()) Grow();
  hashes_.resize(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    hashes_[i] = Hash(records[i]);
    Prefetch(hashes_[i]);
  }
  for (size_t i = 0; i < records.size(); ++i)
    if (!added(AddHashed(records[i], hashes_[i]))) return;
}
