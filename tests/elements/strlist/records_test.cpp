// The record order: folded comparison and the fast sort that must agree with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/records.h"

namespace {

using namespace std::string_literals;

TEST(FoldedLess, orders_by_folded_unsigned_bytes_with_prefixes_first) {
  const std::vector<std::pair<std::string, std::string>> ascending = {{"a", "B"},  {"_", "A"},       {"Z", "\x80"},
                                                                      {"b", "b1"}, {"\xC0", "\xE0"}, {"ab", "ab\0"s}};
  for (const auto& [a, b] : ascending) EXPECT_TRUE(FoldedLess(a, b) && !FoldedLess(b, a)) << a << " < " << b;
  EXPECT_FALSE(FoldedLess("Ads.com", "ads.com") || FoldedLess("ads.com", "ADS.COM"));
}

// Record sets that reach every road of the sort: shared heads that tie on eight and
// sixteen bytes, prefixes, real 0 bytes beside the keys' padding, upper-half bytes that
// must not fold, empty and long records, many copies of one record.
std::string Pick(std::mt19937& random, const std::vector<std::string>& from) { return from[random() % from.size()]; }
std::string Tail(std::mt19937& random, const std::string& alphabet, size_t most) {
  std::string tail;
  for (size_t n = random() % (most + 1); n > 0; --n) tail += alphabet[random() % alphabet.size()];
  return tail;
}

struct RecordSet {
  const char* name;
  std::string (*make)(std::mt19937&);
  size_t largest = 100000;  // of the sizes tried
};
const RecordSet kRecordSets[] = {
    {"domains",
     [](std::mt19937& r) {
       return Pick(r, {"", "www.", "WWW.", "metrics.", "Metrics.", "ads."}) + Tail(r, "abcDEFxyz-", 12) +
              Pick(r, {".com", ".COM", ".co.uk", ""});
     }},
    {"prefixes and zero bytes", [](std::mt19937& r) { return Tail(r, "aA\0\x80"s, 20); }},
    {"long shared heads",
     [](std::mt19937& r) {
       return Pick(r, {"metrics.trackers.example", "METRICS.TRACKERS.EXAMPLE", "metrics.trackers"}) +
              Tail(r, "aB\0"s, 10);
     }},
    {"copies",
     [](std::mt19937& r) {
       return Pick(r, {"", "a", "A", "a\0"s, "abcdefgh", "ABCDEFGH\0"s, "abcdefghijklmnop"});
     }},
    {"any bytes", [](std::mt19937& r) { return Tail(r, "\0\x01\x7f\x80\xc1\xe1\xff"s + "AZaz@[`{", 40); }},
    {"long", [](std::mt19937& r) { return "Head" + Tail(r, "aA", 2000); }, 5000},
};

// The folded records in FoldedLess order: one sequence only, as ties are equal after folding.
std::vector<std::string> FoldedInOrder(const std::vector<std::string>& records, const std::vector<uint32_t>& order) {
  std::vector<std::string> folded;
  for (uint32_t i : order) folded.push_back(FoldedCopy(records.at(i)));
  return folded;
}

TEST(FoldedOrderOf, gives_the_comparison_order_through_every_entry) {
  std::mt19937 random(7);
  for (const RecordSet& set : kRecordSets) {
    for (size_t size : {0, 1, 2, 47, 48, 49, 300, 5000, 100000}) {
      if (size > set.largest) continue;
      SCOPED_TRACE(std::string(set.name) + ", " + std::to_string(size) + " records");
      std::vector<std::string> records(size);
      for (auto& record : records) record = set.make(random);

      std::vector<uint32_t> expected(size);
      for (uint32_t i = 0; i < size; ++i) expected[i] = i;
      std::stable_sort(expected.begin(), expected.end(),
                       [&](uint32_t a, uint32_t b) { return FoldedLess(records[a], records[b]); });
      const std::vector<std::string> want = FoldedInOrder(records, expected);

      // A store that keeps its records in one buffer and hands them out by number.
      std::string buffer;
      std::vector<size_t> ends;
      for (const auto& record : records) ends.push_back((buffer += record).size());
      const std::vector<uint32_t> order = FoldedOrderOf(size, [&](uint32_t i) {
        const size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(buffer).substr(begin, ends[i] - begin);
      });
      std::vector<uint32_t> numbers = order;
      std::sort(numbers.begin(), numbers.end());
      for (uint32_t i = 0; i < size; ++i) ASSERT_EQ(numbers[i], i) << "not every number once";
      EXPECT_EQ(FoldedInOrder(records, order), want);

      std::vector<std::string_view> views(records.begin(), records.end());
      EXPECT_EQ(FoldedOrder(views), order) << "one order for the same texts";
      SortFolded(views);
      std::vector<std::string> sorted = records;
      SortFolded(sorted);
      for (size_t i = 0; i < size; ++i) {
        ASSERT_EQ(views[i], records[order[i]]);
        ASSERT_EQ(sorted[i], records[order[i]]);
      }
    }
  }
}

}  // namespace
