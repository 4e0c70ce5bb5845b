#include "elements/strlist/record_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "runtime/two_cores.h"

namespace {

constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;

uint64_t Mix(uint64_t h) {
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

uint64_t Load(const char* p, size_t n) {
  uint64_t v = 0;
  std::memcpy(&v, p, n);
  return v;
}

// The 32 bits of a record's hash a slot keeps. The slot a record is looked for from is taken
// from them too, so that the table grows without reading any record again.
uint32_t TagOf(uint64_t h) { return uint32_t(h >> 32); }

}  // namespace

// Eight bytes a step: records are short host names, and this is the inner loop of every check.
uint64_t RecordIndex::Hash(std::string_view record) {
  uint64_t h = record.size() * kMul;
  const char* p = record.data();
  size_t n = record.size();
  for (; n >= 8; p += 8, n -= 8) h = (h ^ Load(p, 8)) * kMul, h = std::rotl(h, 29);
  if (n > 0) h = (h ^ Load(p, n)) * kMul;
  return Mix(h);
}

void RecordIndex::PushKey(std::string_view record) {
  const auto address = uint64_t(reinterpret_cast<uintptr_t>(record.data()));
  if (record.size() < kLongKey && (address & ~kAddressMask) == 0) {
    keys_.push_back(uint64_t(record.size()) << kAddressBits | address);
    return;
  }
  long_keys_.emplace_back(uint32_t(keys_.size()), record);
  keys_.push_back(uint64_t(kLongKey) << kAddressBits);
}

std::string_view RecordIndex::LongKey(uint32_t number) const {
  const auto at = std::lower_bound(long_keys_.begin(), long_keys_.end(), number,
                                   [](const auto& entry, uint32_t n) { return entry.first < n; });
  return at->second;
}

RecordIndex::RecordIndex(size_t expected) {
  size_t slots = 16;
  while (slots < expected * 2) slots <<= 1;
  slots_.assign(slots, Slot{});
  mask_ = slots - 1;
  keys_.reserve(expected);
}

void RecordIndex::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.number == 0) continue;
    for (uint64_t i = slot.tag & mask_;; i = (i + 1) & mask_) {
      if (slots_[i].number == 0) {
        slots_[i] = slot;
        break;
      }
    }
  }
}

template <class Records, class Step>
void RecordIndex::Prefetched(const Records& records, size_t from, size_t to, Step step) const {
  // A lookup that finds its record waits three times for memory: for the slot, for the entry
  // of the record the slot names, and for that record's text. Each is asked for a stage
  // before it is read, for the record the slot holds from where the record would be put, so
  // that the fetches of many lookups are on their way at once.
  constexpr size_t kStage = 8, kAhead = 3 * kStage;
  uint64_t ring[kAhead];  // the hashes of the records in flight
  const auto home = [this](uint64_t h) -> const Slot* {
    const Slot* slot = &slots_[TagOf(h) & mask_];
    return slot->number != 0 && slot->tag == TagOf(h) ? slot : nullptr;
  };
  for (size_t i = from; i < to + kAhead; ++i) {
    if (i >= from + kAhead) step(i - kAhead, ring[(i - kAhead) % kAhead]);
    if (i >= from + 2 * kStage && i - 2 * kStage < to) {
      if (const Slot* slot = home(ring[(i - 2 * kStage) % kAhead])) {
        const uint64_t key = keys_[slot->number - 1];
        if (size_t(key >> kAddressBits) != kLongKey)
          __builtin_prefetch(reinterpret_cast<const char*>(uintptr_t(key & kAddressMask)));
      }
    }
    if (i >= from + kStage && i - kStage < to) {
      if (const Slot* slot = home(ring[(i - kStage) % kAhead])) __builtin_prefetch(&keys_[slot->number - 1]);
    }
    if (i < to) {
      ring[i % kAhead] = Hash(records[i]);
      __builtin_prefetch(&slots_[TagOf(ring[i % kAhead]) & mask_]);
    }
  }
}

uint32_t RecordIndex::AddHashed(std::string_view record, uint64_t h, bool* added) {
  if ((keys_.size() + 1) * 2 > slots_.size()) Grow();
  const uint32_t tag = TagOf(h);
  for (uint64_t i = TagOf(h) & mask_;; i = (i + 1) & mask_) {
    Slot& slot = slots_[i];
    if (slot.number == 0) {
      PushKey(record);
      slot = {uint32_t(keys_.size()), tag};
      if (added) *added = true;
      return uint32_t(keys_.size() - 1);
    }
    if (Holds(slot, record, tag)) {
      if (added) *added = false;
      return slot.number - 1;
    }
  }
}

template <class Records>
std::vector<uint32_t> RecordIndex::AddAllOf(const Records& records) {
  std::vector<uint32_t> numbers(records.size());
  // Grown once beforehand, so that the slots fetched ahead are the ones used.
  while ((keys_.size() + records.size()) * 2 > slots_.size()) Grow();
  keys_.reserve(keys_.size() + records.size());
  Prefetched(records, 0, records.size(), [&](size_t i, uint64_t h) { numbers[i] = AddHashed(records[i], h, nullptr); });
  return numbers;
}

std::vector<uint32_t> RecordIndex::AddEach(const std::vector<std::string>& records) { return AddAllOf(records); }
std::vector<uint32_t> RecordIndex::AddEach(const std::vector<std::string_view>& records) { return AddAllOf(records); }
std::vector<uint32_t> RecordIndex::AddEach(const RecordList& records) { return AddAllOf(records); }

uint32_t RecordIndex::FindHashed(std::string_view record, uint64_t h) const {
  const uint32_t tag = TagOf(h);
  for (uint64_t i = TagOf(h) & mask_;; i = (i + 1) & mask_) {
    const Slot& slot = slots_[i];
    if (slot.number == 0) return kNone;
    if (Holds(slot, record, tag)) return slot.number - 1;
  }
}

uint32_t RecordIndex::Find(std::string_view record) const { return FindHashed(record, Hash(record)); }

std::vector<bool> RecordIndex::ContainsEach(const std::vector<std::string>& records) const {
  return ContainsAllOf(records);
}
std::vector<bool> RecordIndex::ContainsEach(const std::vector<std::string_view>& records) const {
  return ContainsAllOf(records);
}
std::vector<bool> RecordIndex::ContainsEach(const RecordList& records) const { return ContainsAllOf(records); }

template <class Records>
std::vector<bool> RecordIndex::ContainsAllOf(const Records& records) const {
  std::vector<bool> found(records.size());
  if (keys_.empty()) return found;
  // The halves meet at a multiple of 64: no word of the bits is written from both threads.
  const auto contains = [&](size_t from, size_t to) {
    Prefetched(records, from, to, [&](size_t i, uint64_t h) { found[i] = FindHashed(records[i], h) != kNone; });
  };
  const size_t words = (records.size() + 63) / 64;
  InHalves(
      words, [&](size_t from, size_t to) { contains(from * 64, std::min(to * 64, records.size())); }, 1024);
  return found;
}

std::vector<uint32_t> RecordIndex::FindEach(const std::vector<std::string_view>& records) const {
  return FindAllOf(records);
}
std::vector<uint32_t> RecordIndex::FindEach(const std::vector<std::string>& records) const {
  return FindAllOf(records);
}
std::vector<uint32_t> RecordIndex::FindEach(const RecordList& records) const { return FindAllOf(records); }

template <class Records>
std::vector<uint32_t> RecordIndex::FindAllOf(const Records& records) const {
  std::vector<uint32_t> numbers(records.size(), kNone);
  if (keys_.empty()) return numbers;
  InHalves(records.size(), [&](size_t from, size_t to) {
    Prefetched(records, from, to, [&](size_t i, uint64_t h) { numbers[i] = FindHashed(records[i], h); });
  });
  return numbers;
}

void RemoveKnown(std::vector<std::string>& list, const RecordIndex& unwanted) {
  if (unwanted.Size() == 0) return;
  const std::vector<bool> known = unwanted.ContainsEach(list);
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (known[i]) continue;
    if (kept != i) list[kept] = std::move(list[i]);
    ++kept;
  }
  list.resize(kept);
}

void RemoveKnown(RecordList& list, const RecordIndex& unwanted) {
  if (unwanted.Size() == 0) return;
  const std::vector<bool> known = unwanted.ContainsEach(list);
  list.KeepIf([&](size_t i) { return !known[i]; });
}
