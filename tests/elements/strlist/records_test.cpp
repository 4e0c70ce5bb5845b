// The record order: folded comparison and the fast sort that must agree with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "elements/strlist/records.h"

namespace {

using namespace std::string_literals;

TEST(FoldedLess, orders_by_folded_unsigned_bytes_with_prefixes_first) {
  const std::vector<std::pair<std::string, std::string>> ascending = {
      {"a", "B"}, {"_", "A"}, {"Z", "\x80"}, {"b", "b1"}, {"\xC0", "\xE0"}, {"ab", "ab\0"s}};
  for (const auto& [a, b] : ascending) EXPECT_TRUE(FoldedLess(a, b) && !FoldedLess(b, a)) << a << " < " << b;
  EXPECT_FALSE(FoldedLess("Ads.com", "ads.com") || FoldedLess("ads.com", "ADS.COM"));
}

TEST(SortFolded, agrees_with_the_comparison_and_keeps_every_line) {
  // Shared heads of up to sixteen bytes in both cases, then short tails over a small
  // alphabet, so that key ties, prefixes and NUL padding all occur.
  std::mt19937 random(7);
  const std::vector<std::string> heads = {"", "www.", "metrics.tracker", "METRICS.TRACKERS", "metrics.trackers"};
  const std::string alphabet = "aAbB_z\x80\0"s;
  std::vector<std::string> lines(20000);
  for (auto& line : lines) {
    line = heads[random() % heads.size()];
    for (size_t n = random() % 9; n > 0; --n) line += alphabet[random() % alphabet.size()];
  }
  std::vector<std::string> sorted = lines;
  SortFolded(sorted);
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return FoldedLess(a, b); }));
  std::sort(lines.begin(), lines.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, lines);
}

}  // namespace
