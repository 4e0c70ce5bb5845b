// The search for double records against the scan it replaces, on lists full of doubles,
// runs of them next to each other and case variants that sort among them.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lists/double_records.h"
#include "tests/lists/literal.h"

namespace {

TEST(DoubleRecords, name_every_double_as_the_scan_over_all_lists_does) {
  const std::array<std::string, kListCount> names{
      "User_BadList.txt", "User_NO_BadList.txt",       "Misc.txt",         "Porno.txt",
      "Unsorted.txt",     "Viruses (and similar).txt", "Advertisement.txt"};
  const char* const words[] = {"a.com", "A.com", "b.net", "b.NET", "c.org", "ab.com", "a.co", "d"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    TListSet lists;
    const size_t longest = 1 + size_t(round % 12);
    for (auto& list : lists) {
      const size_t count = random() % (longest + 1);
      for (size_t i = 0; i < count; ++i) {
        // Runs of one record next to each other, as sorted lists hold them.
        const char* word = words[random() % std::size(words)];
        for (size_t run = 1 + random() % 3; run > 0 && list.size() < count; --run) list.push_back(word);
      }
    }
    EXPECT_EQ(DoubleRecordReport(lists, names), literal::DoubleRecordReport(lists, names)) << "round " << round;
  }
}

TEST(DoubleRecords, lists_without_doubles_give_no_report) {
  TListSet lists;
  Of(lists, ListId::Misc) = {"a.com", "A.com"};
  Of(lists, ListId::Porno) = {"b.com"};
  const std::array<std::string, kListCount> names{};
  EXPECT_TRUE(DoubleRecordReport(lists, names).empty());
}

}  // namespace
