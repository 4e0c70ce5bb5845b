#include "elements/strings/name_letter.h"

#include <algorithm>

bool IsNameLetter(char32_t c) {
  if (c < 0x80) return false;
  const std::span<const NameLetterRange> ranges = NameLetterRanges();
  const auto behind = std::upper_bound(ranges.begin(), ranges.end(), c,
                                       [](char32_t code, const NameLetterRange& r) { return code < r.first; });
  return behind != ranges.begin() && c <= (behind - 1)->last;
}
