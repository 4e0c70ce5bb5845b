// The ban list file: the signature count, the refusal of doubled records, and where the
// records of each section go.
#include <gtest/gtest.h>

#include <algorithm>

#include "lists/ban_list_format.h"
#include "lists/ban_list_import.h"

namespace {

using Lines = std::vector<std::string>;

Lines File(const Lines& body) {
  Lines file{kBanListRule, kBanListCreatedWith, kBanListRule, "", "List Prepared by: x", ""};
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

const Lines kAllSections = {"[Advertisement]", "ads.one", "[Misc]", "misc.one", "[Porno]", "porn.one",
                            "[Unsorted]",      "un.one",  "[Viruses (and similar)]", "vir.one"};

TEST(BanListSignature, six_signature_lines_counted_on_a_counter_that_wraps_after_ten) {
  const Lines six(kBanListSignature.begin(), kBanListSignature.end());
  struct Case {
    Lines lines;
    bool accepted;
  } cases[] = {
      {six, true},
      {{"created with veltrane v2.0", "[Advertisement]", "[Misc]", "[Porno]", "[Unsorted]", "[Viruses (and similar)]"},
       false},
      {[&] { Lines l = six; l.push_back("[Misc]"); return l; }(), false},
      // 17 signature lines: 1 .. 10, 0, 1 .. 6.
      {[&] { Lines l = six; for (int i = 0; i < 11; ++i) l.push_back("[Misc]"); return l; }(), true},
      {{"[Misc] ", "[Advertisement]", "[Porno]", "[Unsorted]", "[Viruses (and similar)]", kBanListCreatedWith}, false},
      {{}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(HasBanListSignature(c.lines), c.accepted) << ::testing::PrintToString(c.lines);
}

TEST(BanListImport, a_written_file_files_every_record_and_a_second_load_adds_nothing) {
  TListSet lists;
  const BanListImport first = ImportBanList(File(kAllSections), "b.txt", lists);
  ASSERT_EQ(first.verdict, BanListImport::Verdict::Merged);
  EXPECT_EQ(Lines(first.display.begin(), first.display.end()), kAllSections);
  EXPECT_EQ(Of(lists, ListId::Porno), Lines{"porn.one"});
  EXPECT_EQ(Of(lists, ListId::Unsorted), Lines{"un.one"});

  const BanListImport second = ImportBanList(File(kAllSections), "b.txt", lists);
  EXPECT_EQ(Lines(second.display.begin(), second.display.end()),
            (Lines{"[Advertisement]", "[Misc]", "[Porno]", "[Unsorted]", "[Viruses (and similar)]"}));
  EXPECT_EQ(Of(lists, ListId::Unsorted), Lines{"un.one"});
  EXPECT_EQ(Of(lists, ListId::Porno), Lines{"porn.one"});
}

TEST(BanListImport, records_are_normalised_and_move_from_unsorted_to_their_section_but_never_past_the_user_lists) {
  TListSet lists;
  Of(lists, ListId::Unsorted) = {"porn.one", "keep.me"};
  Of(lists, ListId::UserNoBad) = {"vir.one"};
  Lines body = kAllSections;
  body[5] = "  PORN.one\t";
  const BanListImport result = ImportBanList(File(body), "b.txt", lists);
  ASSERT_EQ(result.verdict, BanListImport::Verdict::Merged);
  EXPECT_EQ(Of(lists, ListId::Porno), Lines{"porn.one"});
  EXPECT_EQ(Of(lists, ListId::Unsorted), (Lines{"keep.me", "un.one"}));
  EXPECT_TRUE(Of(lists, ListId::Viruses).empty()) << "a record in User_NO_BadList is never imported";
}

TEST(BanListImport, a_file_with_a_doubled_record_is_refused_and_changes_nothing) {
  TListSet lists;
  Of(lists, ListId::Misc) = {"b.com", "a.com"};
  const TListSet before = lists;
  Lines body = kAllSections;
  body.push_back("Ads.One");
  body.push_back("vir.one");
  const BanListImport result = ImportBanList(File(body), "b.txt", lists);
  EXPECT_EQ(result.verdict, BanListImport::Verdict::Doubles);
  EXPECT_EQ(result.doubles, (Lines{"In File 'b.txt':", "ads.one", "vir.one"}));
  EXPECT_EQ(lists, before);
}

TEST(BanListImport, a_line_holding_a_bracket_ends_its_section) {
  TListSet lists;
  Lines body = kAllSections;
  body.insert(body.begin() + 2, "[more] ads.two");
  body.insert(body.begin() + 3, "ads.three");
  ImportBanList(File(body), "b.txt", lists);
  EXPECT_EQ(Of(lists, ListId::Advertisement), Lines{"ads.one"});
}

// A record standing behind a line that holds "[" but is no tag belongs to no section: the
// load must not take it out of Unsorted, where it would be filed nowhere.
TEST(BanListImport, a_record_outside_every_section_stays_in_unsorted) {
  TListSet lists;
  Of(lists, ListId::Unsorted) = {"lost.one", "filed.one"};
  Lines body = kAllSections;
  body.insert(body.begin() + 2, "[Adblock Plus 2.0]");
  body.insert(body.begin() + 3, "lost.one");
  body.insert(body.begin() + 6, "filed.one");  // under [Misc]
  ImportBanList(File(body), "b.txt", lists);
  EXPECT_EQ(Of(lists, ListId::Unsorted), (Lines{"lost.one", "un.one"}));
  EXPECT_EQ(Of(lists, ListId::Misc), (Lines{"filed.one", "misc.one"}));
}

// A tag line that a list already holds as a record (a user can file "[porno]" from a text
// file) is removed before the sections are looked for. The section without its tag files
// nothing, where the steps alone would file every line of the file into it.
TEST(BanListImport, a_section_whose_tag_is_gone_files_nothing) {
  TListSet lists;
  Of(lists, ListId::Misc) = {"[porno]"};
  const BanListImport result = ImportBanList(File(kAllSections), "b.txt", lists);
  ASSERT_EQ(result.verdict, BanListImport::Verdict::Merged);
  EXPECT_TRUE(Of(lists, ListId::Porno).empty());
  EXPECT_EQ(Of(lists, ListId::Advertisement), Lines{"ads.one"});
  EXPECT_EQ(Of(lists, ListId::Viruses), Lines{"vir.one"});
  const auto tag = std::find(result.display.begin(), result.display.end(), std::string_view("[Porno]"));
  ASSERT_NE(tag, result.display.end());
  EXPECT_EQ(*(tag + 1), "[Unsorted]");
}

}  // namespace
