// The letters of the two-byte range of UTF-8 (Latin, Greek, Cyrillic and their neighbours)
// are looked up in a flat table made from the runs once; the rest by a binary search over
// the runs.
#include "elements/strings/simple_lower_case.h"

#include <algorithm>
#include <array>

namespace {

constexpr char32_t kFlat = 0x800;

char32_t SearchRuns(char32_t c) {
  const std::span<const LowerCaseRun> runs = LowerCaseRuns();
  auto behind = std::upper_bound(runs.begin(), runs.end(), c,
                                 [](char32_t code, const LowerCaseRun& run) { return code < run.first; });
  if (behind == runs.begin()) return c;
  const LowerCaseRun& run = *(behind - 1);
  if (c > run.last || (c - run.first) % run.step != 0) return c;
  return static_cast<char32_t>(static_cast<int32_t>(c) + run.delta);
}

using FlatTable = std::array<char32_t, kFlat>;

FlatTable MakeFlat() {
  FlatTable table{};
  for (char32_t c = 0; c < kFlat; ++c) table[c] = SearchRuns(c);
  return table;
}

}  // namespace

char32_t SimpleLowerCase(char32_t c) {
  static const FlatTable flat = MakeFlat();
  return c < kFlat ? flat[c] : SearchRuns(c);
}
