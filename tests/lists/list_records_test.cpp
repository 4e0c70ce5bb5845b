// Reading record files from anywhere, the clipboard's candidates, and the statistics text.
#include <gtest/gtest.h>

#include "lists/clipboard_address.h"
#include "lists/list_files.h"
#include "lists/list_statistics.h"
#include "runtime/platform/files.h"
#include "widgets/widget_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST(RecordFiles, every_kind_of_line_break_ends_a_record_and_a_byte_order_mark_is_no_part_of_one) {
  TempDir dir;
  struct Case {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb\rc\n\nd", {"a", "b", "c", "", "d"}},
      {"\xEF\xBB\xBF" "a.com\r\n", {"a.com"}},
      {std::string("a\nb\0c\nd", 7), {"a", "b"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    platform::WriteFileAtomic(dir / "f.txt", c.bytes);
    EXPECT_EQ(ReadRecordFile(dir / "f.txt"), c.lines) << ::testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(ReadRecordFile(dir / "missing.txt"), std::nullopt);
}

TEST(RecordFiles, a_record_is_trimmed_and_lower_cased_as_utf8_when_it_is_utf8_and_in_windows_1251_otherwise) {
  EXPECT_EQ(NormaliseRecord("\t Site.COM \r"), "site.com");
  EXPECT_EQ(NormaliseRecord("\xC0\xA8Z"), "\xE0\xB8z");
  EXPECT_EQ(NormaliseRecord("www.Site.com/Path"), "www.site.com/path");
  EXPECT_EQ(NormaliseRecord(" CAF\xC3\x89.FR\t"), "caf\xC3\xA9.fr");
  EXPECT_EQ(NormaliseRecord("\xD0\x9F\xD0\xA0.\xD0\xA0\xD0\xA4 "), "\xD0\xBF\xD1\x80.\xD1\x80\xD1\x84");
}

TEST(ClipboardAddress, the_host_and_its_parent_domains_are_the_candidates) {
  struct Case {
    std::string clipboard;
    Lines candidates;
  } cases[] = {
      {"https://www.Site.com/path?q=1", {"www.site.com", "site.com"}},
      {"a.b.site.com", {"a.b.site.com", "b.site.com", "site.com"}},
      {"site.com", {"site.com"}},
      {"http://192.168.0.1/admin", {"192.168.0.1"}},
      {"host2", {"host2"}},
      {"  Ads.Example.org  ", {"ads.example.org", "example.org"}},
      {"", {}},
      {"   ", {}},
      {"ftp://", {}},
      {"localhost", {"localhost"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClipboardCandidates(c.clipboard), c.candidates) << c.clipboard;
}

TEST(ClipboardAddress, a_candidate_held_by_two_lists_is_reported_twice_with_each_file) {
  const Lines all = {"bad.com", "x.com", "site.com", "site.com"};  // User_BadList 1, Misc 1, Porno 1, Unsorted 1
  const TListCounts counts{1, 0, 1, 1, 0, 0};
  EXPECT_EQ(AlreadyExistsReport({"x.com", "site.com"}, all, counts),
            (Lines{"x.com - Already exists!", "(in Misc.txt)", "", "site.com - Already exists!", "(in Porno.txt)", "",
                   "site.com - Already exists!", "(in Unsorted.txt)", ""}));
}

TEST(Statistics, fourteen_lines_a_count_and_an_empty_line_per_list) {
  EXPECT_EQ(StatisticsText({3, 0, 1, 0, 0, 2, 0}),
            "Advertisement: 3 Record(s)\r\n\r\nMisc: 0 Record(s)\r\n\r\nPorno: 1 Record(s)\r\n\r\n"
            "Unsorted: 0 Record(s)\r\n\r\nViruses (and similar): 0 Record(s)\r\n\r\nUser_BadList: 2 Record(s)\r\n\r\n"
            "User_NO_BadList: 0 Record(s)\r\n");
}

}  // namespace
