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
  using State = RecordFile::State;
  struct Case {
    std::string bytes;
    Lines lines;
    State state = State::Read;
    std::string why = "";
  } cases[] = {
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb\rc\n\nd", {"a", "b", "c", "", "d"}},
      {"\xEF\xBB\xBF" "a.com\r\n", {"a.com"}},
      {"", {}},
      // No 8-bit text: what stands before the NUL is all a reading gives, so the file is
      // never to be saved over from it.
      {std::string("a\nb\0c\nd", 7), {"a", "b"}, State::NotText, "holds a NUL byte at byte 4"},
      {std::string("\xFF\xFE" "a\0.\0c\0\r\0\n\0", 12), {"\xFF\xFE" "a"}, State::NotText, "is UTF-16 text"},
      {std::string("\xFE\xFF\0a", 4), {"\xFE\xFF"}, State::NotText, "is UTF-16 text"},
  };
  for (const auto& c : cases) {
    platform::WriteFileAtomic(dir / "f.txt", c.bytes);
    const RecordFile file = ReadRecords(dir / "f.txt");
    EXPECT_EQ(file.lines, c.lines) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(file.state, c.state) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(file.why, c.why) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(file.Whole(), c.state == State::Read);
  }
  EXPECT_EQ(ReadRecords(dir / "missing.txt").state, State::Missing);
  EXPECT_TRUE(ReadRecords(dir / "missing.txt").Whole()) << "a missing list is an empty one";
  EXPECT_EQ(ReadRecords(dir.path).state, State::Unreadable);
}

TEST(RecordFiles, the_message_for_a_file_not_read_whole_names_it_and_says_what_to_do) {
  RecordFile nul;
  nul.state = RecordFile::State::NotText;
  nul.why = "holds a NUL byte at byte 4";
  EXPECT_EQ(NotWholeMessage("/x/Lists/Misc.txt", nul, "The list is left as it is."),
            "'/x/Lists/Misc.txt' holds a NUL byte at byte 4, so it cannot be read whole as text. The list is left as "
            "it is. Remove the NUL bytes in a text editor (or save the file as UTF-8 or ANSI text), then try again.");
  RecordFile unreadable;
  unreadable.state = RecordFile::State::Unreadable;
  unreadable.why = "Permission denied";
  EXPECT_EQ(NotWholeMessage("/x/a.txt", unreadable, "Nothing was loaded."),
            "Could not read '/x/a.txt': Permission denied. Nothing was loaded.");
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
