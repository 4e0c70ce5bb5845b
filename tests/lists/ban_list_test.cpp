// The ban list file: a section whose tag a list holds as a record. The rest of the loader is
// compared with the step-by-step rules by fuzz/ban_list_fuzz.cpp and run whole by the
// ban_list_* scenarios.
#include <gtest/gtest.h>

#include <algorithm>

#include "lists/ban_list_format.h"
#include "lists/ban_list_import.h"

namespace {

using Lines = std::vector<std::string>;

// A tag line that a list already holds as a record (a user can file "[porno]" from a text
// file) is removed before the sections are looked for. The section without its tag files
// nothing, where the steps alone would file every line of the file into it.
TEST(BanListImport, a_section_whose_tag_is_gone_files_nothing) {
  TListSet lists;
  Of(lists, ListId::Misc) = {"[porno]"};
  const Lines file{kBanListRule, kBanListCreatedWith, kBanListRule, "",       "List Prepared by: x",
                   "",           "[Advertisement]",   "ads.one",    "[Misc]", "misc.one",
                   "[Porno]",    "porn.one",          "[Unsorted]", "un.one", "[Viruses (and similar)]",
                   "vir.one"};
  const BanListImport result = ImportBanList(RecordList(file), "b.txt", lists);
  ASSERT_EQ(result.verdict, BanListImport::Verdict::Merged);
  EXPECT_TRUE(Of(lists, ListId::Porno).empty());
  EXPECT_EQ(Of(lists, ListId::Advertisement), Lines{"ads.one"});
  EXPECT_EQ(Of(lists, ListId::Viruses), Lines{"vir.one"});
  const auto tag = std::find(result.display.begin(), result.display.end(), std::string_view("[Porno]"));
  ASSERT_NE(tag, result.display.end());
  EXPECT_EQ(*(tag + 1), "[Unsorted]");
}

}  // namespace
