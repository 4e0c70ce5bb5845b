#include "elements/strlist/distinct_records.h"

#include <utility>

#include "elements/strlist/record_index.h"
#include "runtime/two_cores.h"

namespace {

// A used slot: 32 bits of the record's hash above its number + 1. The table is found by the
// same bits, so that it grows without reading a record again (at most 2^32 slots).
uint64_t SlotOf(uint32_t hash, size_t number) { return uint64_t(hash) << 32 | uint64_t(number + 1); }
uint32_t HashOf(uint64_t slot) { return uint32_t(slot >> 32); }
uint32_t NumberOf(uint64_t slot) { return uint32_t(slot) - 1; }

}  // namespace

std::vector<uint32_t> RecordLookup::FindEach(const RecordList& records,
                                             const std::vector<std::string_view>& names) const {
  std::vector<uint32_t> numbers(names.size(), kNone);
  if (slots_.empty()) return numbers;
  InHalves(names.size(), [&](size_t from, size_t to) {
    // Three fetches in a row for a name that is found: its slot, the entry of the record the
    // slot names, and that record's text; each is asked for a stage before it is read.
    constexpr size_t kStage = 8, kAhead = 3 * kStage;
    uint32_t ring[kAhead];  // the hashes of the names in flight
    const auto home = [this, &ring](size_t at) -> uint64_t {
      const uint32_t hash = ring[at % kAhead];
      const uint64_t slot = slots_[hash & mask_];
      return slot != 0 && HashOf(slot) == hash ? slot : 0;
    };
    for (size_t i = from; i < to + kAhead; ++i) {
      if (i >= from + kAhead) {
        const size_t at = i - kAhead;
        const uint32_t hash = ring[at % kAhead];
        for (uint64_t s = hash & mask_;; s = (s + 1) & mask_) {
          const uint64_t slot = slots_[s];
          if (slot == 0) break;
          if (HashOf(slot) == hash && records[NumberOf(slot)] == names[at]) {
            numbers[at] = NumberOf(slot);
            break;
          }
        }
      }
      if (i >= from + 2 * kStage && i - 2 * kStage < to)
        if (const uint64_t slot = home(i - 2 * kStage)) records.PrefetchText(NumberOf(slot));
      if (i >= from + kStage && i - kStage < to)
        if (const uint64_t slot = home(i - kStage)) records.PrefetchEntry(NumberOf(slot));
      if (i < to) {
        ring[i % kAhead] = DistinctRecords::Hash(names[i]);
        __builtin_prefetch(&slots_[ring[i % kAhead] & mask_]);
      }
    }
  });
  return numbers;
}

void DistinctRecords::Grow() {
  std::vector<uint64_t>& slots = table_.slots_;
  std::vector<uint64_t> old(slots.empty() ? 64 : slots.size() * 2);
  old.swap(slots);
  const uint64_t mask = table_.mask_ = slots.size() - 1;
  for (const uint64_t slot : old) {
    if (slot == 0) continue;
    for (uint64_t i = HashOf(slot) & mask;; i = (i + 1) & mask) {
      if (slots[i] == 0) {
        slots[i] = slot;
        break;
      }
    }
  }
}

uint32_t DistinctRecords::Hash(std::string_view record) { return uint32_t(RecordIndex::Hash(record)); }

bool DistinctRecords::AddHashed(std::string_view record, uint32_t hash) {
  if ((records_.size() + 1) * 2 > table_.slots_.size()) Grow();
  std::vector<uint64_t>& slots = table_.slots_;
  const uint64_t mask = table_.mask_;
  for (uint64_t i = hash & mask;; i = (i + 1) & mask) {
    const uint64_t slot = slots[i];
    if (slot == 0) {
      slots[i] = SlotOf(hash, records_.size());
      records_.push_back(record);
      return true;
    }
    if (HashOf(slot) == hash && records_[NumberOf(slot)] == record) return false;
  }
}

RecordList DistinctRecords::Take(RecordLookup* lookup) {
  if (lookup) *lookup = std::exchange(table_, RecordLookup());
  else table_ = RecordLookup();
  hashes_ = {};
  records_.ShrinkToFit();
  return std::exchange(records_, RecordList());
}
