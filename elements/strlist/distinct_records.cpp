#include "elements/strlist/distinct_records.h"

#include <utility>

#include "elements/strlist/record_index.h"

namespace {

// A used slot: 32 bits of the record's hash above its number + 1. The table is found by the
// same bits, so that it grows without reading a record again (at most 2^32 slots).
uint64_t SlotOf(uint32_t hash, size_t number) { return uint64_t(hash) << 32 | uint64_t(number + 1); }
uint32_t HashOf(uint64_t slot) { return uint32_t(slot >> 32); }
uint32_t NumberOf(uint64_t slot) { return uint32_t(slot) - 1; }

}  // namespace

void DistinctRecords::Grow() {
  std::vector<uint64_t> old(slots_.empty() ? 64 : slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const uint64_t slot : old) {
    if (slot == 0) continue;
    for (uint64_t i = HashOf(slot) & mask_;; i = (i + 1) & mask_) {
      if (slots_[i] == 0) {
        slots_[i] = slot;
        break;
      }
    }
  }
}

uint32_t DistinctRecords::Hash(std::string_view record) { return uint32_t(RecordIndex::Hash(record)); }

void DistinctRecords::Prefetch(uint32_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

bool DistinctRecords::AddHashed(std::string_view record, uint32_t hash) {
  if ((records_.size() + 1) * 2 > slots_.size()) Grow();
  for (uint64_t i = hash & mask_;; i = (i + 1) & mask_) {
    const uint64_t slot = slots_[i];
    if (slot == 0) {
      slots_[i] = SlotOf(hash, records_.size());
      records_.push_back(record);
      return true;
    }
    if (HashOf(slot) == hash && records_[NumberOf(slot)] == record) return false;
  }
}

RecordList DistinctRecords::Take() {
  slots_ = {};
  hashes_ = {};
  mask_ = 0;
  records_.ShrinkToFit();
  return std::exchange(records_, RecordList());
}
