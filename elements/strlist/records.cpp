// Case-folded comparison and sorting of text records.
#include "elements/strlist/records.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

bool FoldedLess(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    // Equal bytes fold equal, so folding is only paid where the texts differ.
    if (a[i] == b[i]) continue;
    const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
    const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

namespace {

constexpr uint64_t kEveryByte = 0x0101010101010101u;

// A to Z folded in all eight bytes of a word at once; bytes of the upper half stay as they are.
uint64_t FoldWord(uint64_t word) {
  const uint64_t low7 = word & (kEveryByte * 0x7F);
  const uint64_t above_z = low7 + kEveryByte * (0x7F - 'Z');  // top bit set where low7 > 'Z'
  const uint64_t from_a = low7 + kEveryByte * (0x80 - 'A');   // top bit set where low7 >= 'A'
  const uint64_t upper = from_a & ~above_z & ~word & (kEveryByte * 0x80);
  return word | (upper >> 2);
}

// Eight folded bytes from `from` on, packed big-endian and zero padded, so that keys compare
// as the bytes do. A real 0 byte and the padding give the same key: where keys tie, the
// lengths tell the records apart.
uint64_t FoldedKey(std::string_view text, size_t from) {
  if (text.size() >= from + 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + from, 8);
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
    return FoldWord(word);
  }
  uint64_t key = 0;
  for (size_t i = from; i < text.size(); ++i)
    key |= uint64_t(FoldAscii(static_cast<unsigned char>(text[i]))) << (56 - 8 * (i - from));
  return key;
}

// Keys and record numbers side by side, in two arrays rather than one of pairs: twelve
// bytes a record instead of sixteen.
struct Slice {
  uint64_t* key;
  uint32_t* at;
  Slice operator+(size_t n) const { return {key + n, at + n}; }
};

void Copy(Slice from, Slice to, size_t n) {
  if (n == 0) return;
  std::memcpy(to.key, from.key, n * sizeof *from.key);
  std::memcpy(to.at, from.at, n * sizeof *from.at);
}

// Below this many records sorting the keys by comparison beats another radix pass.
constexpr size_t kSmall = 64;

// A most-significant-first radix sort, a byte a pass, on keys of eight folded bytes taken
// from `depth` on. All records of a slice agree in their first `depth` bytes and are longer
// than that. A pass scatters the slice into the spare space, so the records go back and
// forth between the two; `to_spare` says on which side a slice must end.
//
// Domain names share heads ("www.", "metrics.") and often tie on eight bytes, so records
// whose keys are all equal take the next eight bytes of their texts: a record's text is
// read once for each eight bytes it ties on, never once for each comparison.
class FoldedRadix {
 public:
  FoldedRadix(folded_order::TextAt text_at, const void* texts) : text_at_(text_at), texts_(texts) {}

  // `shift` picks the byte of the key this pass goes by (56 for its first).
  void Sort(Slice data, Slice spare, size_t n, size_t depth, int shift, bool to_spare) const {
    for (;;) {
      if (n < 2) {
        if (to_spare) Copy(data, spare, n);
        return;
      }
      if (shift < 0) {
        const size_t ended = TakeNextBytes(data, spare, n, depth, to_spare);
        data = data + ended;
        spare = spare + ended;
        n -= ended;
        depth += 8;
        shift = 56;
        continue;
      }
      if (n <= kSmall) {
        if (to_spare) {
          Copy(data, spare, n);
          std::swap(data, spare);
          to_spare = false;
        }
        SortByKey(data, n);
        // Runs of equal keys go on with their next bytes, the longest run in this loop.
        size_t longest = 0, longest_size = 0;
        for (size_t j = 0, run = 1; j < n; j += run) {
          for (run = 1; j + run < n && data.key[j + run] == data.key[j];) ++run;
          if (run <= longest_size) {
            if (run > 1) Sort(data + j, spare + j, run, depth, -8, false);
            continue;
          }
          if (longest_size > 1) Sort(data + longest, spare + longest, longest_size, depth, -8, false);
          longest = j;
          longest_size = run;
        }
        data = data + longest;
        spare = spare + longest;
        n = longest_size;
        shift = -8;
        continue;
      }
      std::array<size_t, 256> count{};
      for (size_t j = 0; j < n; ++j) ++count[(data.key[j] >> shift) & 0xFF];
      if (count[(data.key[0] >> shift) & 0xFF] == n) {  // one byte for all: nothing to move
        shift -= 8;
        continue;
      }
      std::array<size_t, 256> begin, next;
      size_t largest = 0;
      for (size_t b = 0, sum = 0; b < 256; sum += count[b++]) {
        begin[b] = next[b] = sum;
        if (count[b] > count[largest]) largest = b;
      }
      for (size_t j = 0; j < n; ++j) {
        const size_t to = next[(data.key[j] >> shift) & 0xFF]++;
        spare.key[to] = data.key[j];
        spare.at[to] = data.at[j];
      }
      // The largest bucket is taken on by this loop rather than by a call, so that the
      // calls nest at most log n deep whatever the texts.
      for (size_t b = 0; b < 256; ++b) {
        if (b != largest && count[b] > 0)
          Sort(spare + begin[b], data + begin[b], count[b], depth, shift - 8, !to_spare);
      }
      const Slice was = data;
      data = spare + begin[largest];
      spare = was + begin[largest];
      n = count[largest];
      shift -= 8;
      to_spare = !to_spare;
    }
  }

 private:
  std::string_view Text(uint32_t i) const { return text_at_(texts_, i); }

  void SortByKey(Slice data, size_t n) const {
    struct Keyed {
      uint64_t key;
      uint32_t at;
    };
    std::array<Keyed, kSmall> items;
    for (size_t j = 0; j < n; ++j) items[j] = {data.key[j], data.at[j]};
    std::sort(items.begin(), items.begin() + n, [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    for (size_t j = 0; j < n; ++j) data.key[j] = items[j].key, data.at[j] = items[j].at;
  }

  // For a slice whose keys are all equal: the records that end within the key come first,
  // by length (each is a prefix of the longer ones, and those of one length are equal);
  // they are put in their final place, and their number is returned. The others, behind
  // them, get the key of their next eight bytes.
  size_t TakeNextBytes(Slice data, Slice spare, size_t n, size_t depth, bool to_spare) const {
    // The texts lie anywhere, and most of the time goes in waiting for them: they are
    // first only looked up and asked for, all together, into the spare space (which is
    // free until the end), and read once they have come.
    constexpr uint32_t kLong = std::numeric_limits<uint32_t>::max();  // looked up again
    for (size_t j = 0; j < n; ++j) {
      const std::string_view text = Text(data.at[j]);
      spare.key[j] = reinterpret_cast<uintptr_t>(text.data());
      spare.at[j] = uint32_t(std::min<size_t>(text.size(), kLong));
      __builtin_prefetch(text.data() + depth + 8);
    }
    size_t ended = 0;
    std::array<size_t, 9> count{};
    for (size_t j = 0; j < n; ++j) {
      const std::string_view text =
          spare.at[j] == kLong ? Text(data.at[j])
                               : std::string_view(reinterpret_cast<const char*>(uintptr_t(spare.key[j])), spare.at[j]);
      if (text.size() > depth + 8) {
        data.key[j] = FoldedKey(text, depth + 8);
        continue;
      }
      data.key[j] = text.size() - depth;
      ++count[size_t(data.key[j])];
      std::swap(data.key[j], data.key[ended]);
      std::swap(data.at[j], data.at[ended]);
      ++ended;
    }
    std::array<size_t, 9> next;
    for (size_t b = 0, sum = 0; b < 9; sum += count[b++]) next[b] = sum;
    for (size_t j = 0; j < ended; ++j) {
      const size_t to = next[size_t(data.key[j])]++;
      spare.key[to] = data.key[j];
      spare.at[to] = data.at[j];
    }
    if (!to_spare) Copy(spare, data, ended);
    return ended;
  }

  folded_order::TextAt text_at_;
  const void* texts_;
};

}  // namespace

std::vector<uint32_t> folded_order::Of(size_t count, TextAt text_at, const void* texts) {
  if (count > std::numeric_limits<uint32_t>::max())
    throw std::length_error("more records than 32-bit numbers can count");
  std::vector<uint32_t> order(count);
  const auto keys = std::make_unique_for_overwrite<uint64_t[]>(count);
  for (size_t i = 0; i < count; ++i) {
    order[i] = uint32_t(i);
    keys[i] = FoldedKey(text_at(texts, uint32_t(i)), 0);
  }
  if (count < 2) return order;
  const auto spare_keys = std::make_unique_for_overwrite<uint64_t[]>(count);
  const auto spare_at = std::make_unique_for_overwrite<uint32_t[]>(count);
  FoldedRadix(text_at, texts).Sort({keys.get(), order.data()}, {spare_keys.get(), spare_at.get()}, count, 0, 56, false);
  return order;
}

// The records are put in their places where they stand, cycle by cycle, each moved once: a
// second array of a million strings would cost more than the keys themselves.
void SortFolded(std::vector<std::string>& lines) {
  // from[i]: where the record that belongs at i stands now
  std::vector<uint32_t> from = FoldedOrderOf(lines.size(), [&lines](uint32_t i) { return std::string_view(lines[i]); });
  for (size_t start = 0; start < from.size(); ++start) {
    if (from[start] == start) continue;
    std::string held = std::move(lines[start]);
    size_t at = start;
    while (from[at] != start) {
      const size_t next = from[at];
      lines[at] = std::move(lines[next]);
      from[at] = uint32_t(at);
      at = next;
    }
    lines[at] = std::move(held);
    from[at] = uint32_t(at);
  }
}

std::vector<uint32_t> FoldedOrder(std::vector<std::string_view>& lines) {
  return FoldedOrderOf(lines.size(), [&lines](uint32_t i) { return lines[i]; });
}

void SortFolded(std::vector<std::string_view>& lines) {
  std::vector<std::string_view> sorted;
  sorted.reserve(lines.size());
  for (uint32_t i : FoldedOrder(lines)) sorted.push_back(lines[i]);
  lines.swap(sorted);
}

void SortFolded(RecordList& list) {
  // A list read in order and grown a little at its end (records filed, moved in) is in order
  // up to where it grew: only the rest is sorted, and merged in. A long end is sorted with the
  // rest: the merge would read its texts out of their order.
  const size_t n = list.size();
  size_t ordered = n == 0 ? 0 : 1;
  while (ordered < n && !FoldedLess(list[ordered], list[ordered - 1])) ++ordered;
  if (ordered == n) return;
  if (ordered < n - n / 4) {
    list.Reorder(FoldedOrderOf(n, [&list](uint32_t i) { return list[i]; }));
    return;
  }
  const std::vector<uint32_t> rest =
      FoldedOrderOf(n - ordered, [&list, ordered](uint32_t i) { return list[ordered + i]; });
  std::vector<uint32_t> order;
  order.reserve(n);
  size_t i = 0, j = 0;
  while (i < ordered && j < rest.size()) {
    const uint32_t next = uint32_t(ordered + rest[j]);
    if (FoldedLess(list[next], list[i])) {
      order.push_back(next);
      ++j;
    } else {
      order.push_back(uint32_t(i++));
    }
  }
  for (; i < ordered; ++i) order.push_back(uint32_t(i));
  for (; j < rest.size(); ++j) order.push_back(uint32_t(ordered + rest[j]));
  list.Reorder(order);
}
