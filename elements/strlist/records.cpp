// Case-folded comparison and sorting of text records.
#include "elements/strlist/records.h"

#include <algorithm>
#include <cstdint>

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

// Eight folded bytes from `from` on, packed big-endian and zero padded. Zero is the
// smallest byte, so a smaller key always means a smaller line.
uint64_t FoldedKey(std::string_view line, size_t from) {
  uint64_t key = 0;
  const size_t end = std::min(line.size(), from + 8);
  for (size_t i = from; i < end; ++i) key |= uint64_t(FoldAscii(static_cast<unsigned char>(line[i]))) << (56 - 8 * (i - from));
  return key;
}

// Sorting small fixed-size keys that mostly decide on their own is nearly twice as
// fast as moving the texts themselves through a folding comparator. Strings and views
// go through the same steps, so both end in the same order for the same input.
// Sixteen bytes of key: domain names share short heads such as "www." or "metrics.",
// and eight bytes alone leave about a third of a real list tied.
template <class Text>
struct KeyedLine {
  uint64_t head;
  uint64_t tail;
  Text* line;
};

template <class Text>
bool KeyedLess(const KeyedLine<Text>& a, const KeyedLine<Text>& b) {
  if (a.head != b.head) return a.head < b.head;
  if (a.tail != b.tail) return a.tail < b.tail;
  // Equal keys: the bytes both lines really have in the first sixteen are equal, so
  // the comparison goes on behind them.
  const std::string_view x(*a.line), y(*b.line);
  const size_t skip = std::min({x.size(), y.size(), size_t(16)});
  return FoldedLess(x.substr(skip), y.substr(skip));
}

template <class Text>
std::vector<KeyedLine<Text>> KeyedOrder(std::vector<Text>& lines) {
  std::vector<KeyedLine<Text>> keyed;
  keyed.reserve(lines.size());
  for (auto& line : lines) keyed.push_back({FoldedKey(line, 0), FoldedKey(line, 8), &line});
  std::sort(keyed.begin(), keyed.end(), KeyedLess<Text>);
  return keyed;
}

}  // namespace

// The records are put in their places where they stand, cycle by cycle, each moved once: a
// second array of a million strings would cost more than the keys themselves.
void SortFolded(std::vector<std::string>& lines) {
  std::vector<uint32_t> from;  // from[i]: where the record that belongs at i stands now
  {
    const std::vector<KeyedLine<std::string>> keyed = KeyedOrder(lines);
    from.reserve(keyed.size());
    for (const auto& k : keyed) from.push_back(uint32_t(k.line - lines.data()));
  }
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
  std::vector<uint32_t> order;
  order.reserve(lines.size());
  for (const auto& k : KeyedOrder(lines)) order.push_back(uint32_t(k.line - lines.data()));
  return order;
}

void SortFolded(std::vector<std::string_view>& lines) {
  std::vector<std::string_view> sorted;
  sorted.reserve(lines.size());
  for (uint32_t i : FoldedOrder(lines)) sorted.push_back(lines[i]);
  lines.swap(sorted);
}
