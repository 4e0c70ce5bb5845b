#include "lists/record_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

RecordIndex::RecordIndex(size_t expected) {
  size_t slots = 16;
  while (slots < expected * 2) slots <<= 1;
  slots_.assign(slots, 0);
  mask_ = slots - 1;
  keys_.reserve(expected);
}

void RecordIndex::Grow() {
  std::vector<uint64_t> old;
  old.swap(slots_);
  slots_.assign(old.size() * 2, 0);
  mask_ = slots_.size() - 1;
  for (uint64_t slot : old) {
    if (slot == 0) continue;
    const uint32_t number = uint32_t(slot) - 1;
    for (uint64_t i = Hash(keys_[number]) & mask_;; i = (i + 1) & mask_) {
      if (slots_[i] == 0) {
        slots_[i] = slot;
        break;
      }
    }
  }
}

uint32_t RecordIndex::Add(std::string_view record, bool* added) {
  if ((keys_.size() + 1) * 2 > slots_.size()) Grow();
  const uint64_t h = Hash(record);
  const uint64_t tag = h & 0xFFFFFFFF00000000ull;
  for (uint64_t i = h & mask_;; i = (i + 1) & mask_) {
    const uint64_t slot = slots_[i];
    if (slot == 0) {
      keys_.push_back(record);
      slots_[i] = tag | uint64_t(keys_.size());
      if (added) *added = true;
      return uint32_t(keys_.size() - 1);
    }
    const uint32_t number = uint32_t(slot) - 1;
    if ((slot & 0xFFFFFFFF00000000ull) == tag && keys_[number] == record) {
      if (added) *added = false;
      return number;
    }
  }
}

void RecordIndex::AddAll(const std::vector<std::string>& records) {
  for (const auto& record : records) Add(record);
}

uint32_t RecordIndex::Find(std::string_view record) const {
  const uint64_t h = Hash(record);
  const uint64_t tag = h & 0xFFFFFFFF00000000ull;
  for (uint64_t i = h & mask_;; i = (i + 1) & mask_) {
    const uint64_t slot = slots_[i];
    if (slot == 0) return kNone;
    const uint32_t number = uint32_t(slot) - 1;
    if ((slot & 0xFFFFFFFF00000000ull) == tag && keys_[number] == record) return number;
  }
}

void RemoveKnown(std::vector<std::string>& list, const RecordIndex& unwanted) {
  if (unwanted.Size() == 0) return;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const std::string& r) { return unwanted.Contains(r); }),
             list.end());
}
