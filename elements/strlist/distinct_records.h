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

class DistinctRecords {
 public:
  // Keeps each record in turn unless it came before, and calls `added(was_new)` after each,
  // which may stop the rest by returning false; the memory each step needs is asked for ahead.
  template <class Added>
  void AddEach(const RecordList& records, Added added);
  size_t Size() const { return records_.size(); }
  // The records, in the order they first came; the table is left empty.
  RecordList Take();

 private:
  static uint32_t Hash(std::string_view record);
  void Grow();
  void Prefetch(uint32_t hash) const;
  bool AddHashed(std::string_view record, uint32_t hash);

  RecordList records_;
  // Open addressing: a slot holds 32 bits of its record's hash and the record's number + 1
  // (0: free), so that a lookup touches a record's text only on a likely match.
  std::vector<uint64_t> slots_;
  uint64_t mask_ = 0;
  std::vector<uint32_t> hashes_;  // of the records AddEach adds
};

template <class Added>
void DistinctRecords::AddEach(const RecordList& records, Added added) {
  while ((records_.size() + records.size()) * 2 > slots_.size()) Grow();
  hashes_.resize(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    hashes_[i] = Hash(records[i]);
    Prefetch(hashes_[i]);
  }
  for (size_t i = 0; i < records.size(); ++i)
    if (!added(AddHashed(records[i], hashes_[i]))) return;
}
