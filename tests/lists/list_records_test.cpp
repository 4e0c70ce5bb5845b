// The clipboard's candidates, the start-up doubles report, and the statistics text.
#include <gtest/gtest.h>

#include "lists/clipboard_address.h"
#include "lists/double_records.h"
#include "lists/list_statistics.h"

namespace {

using Lines = std::vector<std::string>;

TEST(ClipboardAddress, the_host_and_its_parent_domains_are_the_candidates) {
  struct Case {
    std::string clipboard;
    Lines candidates;
  } cases[] = {
      {"a.b.site.com", {"a.b.site.com", "b.site.com", "site.com"}},
      {"  Ads.Example.org  ", {"ads.example.org", "example.org"}},
      {"   ", {}},
      {"ftp://", {}},
      {"localhost", {"localhost"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClipboardCandidates(c.clipboard), c.candidates) << c.clipboard;
}

// Each scan deletes what it names from a working copy and goes on at the next position, so
// a record that moved up into the deleted place is passed over: a record twice in a row in
// one list is named once, three times in a row named three times, in two scans.
TEST(DoubleRecords, every_occurrence_is_named_with_its_file_in_the_old_scan_order) {
  std::array<std::string, kListCount> names;
  for (size_t i = 0; i < kListCount; ++i) names[i] = "L" + std::to_string(i);
  std::array<Lines, kListCount> lists;
  lists[2] = {"b.com", "a.com", "a.com", "a.com", "B.com", "d.com", "d.com"};
  lists[3] = {"b.com", "c.com"};
  lists[6] = {"c.com"};
  EXPECT_EQ(DoubleRecordReport(lists, names),
            (Lines{"a.com > L2", "a.com > L2", "a.com > L2", "b.com > L2", "b.com > L3", "c.com > L3", "c.com > L6",
                   "d.com > L2"}));
}

TEST(Statistics, fourteen_lines_a_count_and_an_empty_line_per_list) {
  EXPECT_EQ(StatisticsText({3, 0, 1, 0, 0, 2, 0}),
            "Advertisement: 3 Record(s)\r\n\r\nMisc: 0 Record(s)\r\n\r\nPorno: 1 Record(s)\r\n\r\n"
            "Unsorted: 0 Record(s)\r\n\r\nViruses (and similar): 0 Record(s)\r\n\r\nUser_BadList: 2 Record(s)\r\n\r\n"
            "User_NO_BadList: 0 Record(s)\r\n");
}

}  // namespace
