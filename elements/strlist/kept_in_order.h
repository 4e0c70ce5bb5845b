// How many records of a list written anew an older list of the same kind held: both are
// walked side by side in their order, which a list written again mostly keeps, so most records
// meet their old entry at once; the few that do not (moved, gone, come new) are looked up in
// a table of the old entries left over. Each old entry is counted once, so a record written
// once that the old list held twice leaves one of them unmatched.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "elements/strlist/record_index.h"

template <class Before, class Written>
size_t KeptInOrder(const Before& before, const Written& written) {
  constexpr size_t kAhead = 8;  // old entries a record may be looked for ahead of its place
  size_t b = 0, kept = 0;
  std::vector<std::string_view> left_before, left_written;
  for (const auto& record : written) {
    const std::string_view text(record);
    if (b < before.size() && std::string_view(before[b]) == text) {
      ++b;
      ++kept;
      continue;
    }
    const size_t end = std::min(before.size(), b + kAhead);
    size_t at = b + 1;
    while (at < end && std::string_view(before[at]) != text) ++at;
    if (at < end) {
      for (; b < at; ++b) left_before.emplace_back(before[b]);
      ++b;
      ++kept;
    } else {
      left_written.push_back(text);
    }
  }
  for (; b < before.size(); ++b) left_before.emplace_back(before[b]);
  if (left_written.empty() || left_before.empty()) return kept;
  RecordIndex table(left_before.size());
  std::vector<uint32_t> entries(left_before.size());
  for (uint32_t n : table.AddEach(left_before)) ++entries[n];
  for (uint32_t n : table.FindEach(left_written)) {
    if (n == RecordIndex::kNone || entries[n] == 0) continue;
    --entries[n];
    ++kept;
  }
  return kept;
}
