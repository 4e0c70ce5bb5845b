// The record store: a file's lines taken as records exactly as the line rules split them,
// records of any length, views that survive the list being moved, and the edits the lists
// make (in place, dropped, stood in for and put back) leaving every other record as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "elements/strlist/record_index.h"
#include "elements/strlist/records.h"
#include "runtime/lines.h"
#include "runtime/record_list.h"

namespace {

using Lines = std::vector<std::string>;

TEST(RecordList, a_file_s_lines_are_the_records_the_line_rules_give) {
  const std::string texts[] = {
      "",
      "one",
      "one\r\ntwo\r\n",
      "one\ntwo\rthree\r\n\r\nfive",
      "\n\n\r\r\n",
      "a\r\n\nb\n\r",
      "before\0after\r\nnot read",
      "x\r",
      "trailing blanks  \r\n  leading\n",
  };
  for (const std::string& text : texts) {
    for (LineBreaks breaks : {LineBreaks::Any, LineBreaks::CrOrCrLf}) {
      EXPECT_EQ(RecordList::OfLines(std::string(text), 0, breaks), SplitLines(text, breaks)) << text;
    }
  }
  const std::string with_nul("a\r\nb\0c\r\nd", 9);
  EXPECT_EQ(RecordList::OfLines(std::string(with_nul), 0, LineBreaks::Any), (Lines{"a", "b"}));
  // A byte-order mark is passed over by its length, and the rest read as it stands.
  EXPECT_EQ(RecordList::OfLines("\xEF\xBB\xBFone\r\ntwo", 3, LineBreaks::Any), (Lines{"one", "two"}));
  EXPECT_EQ(RecordList::OfLines("ab", 5, LineBreaks::Any), Lines{});
}

TEST(RecordList, records_of_any_length_are_kept_whole) {
  const std::string huge(size_t(17) << 20, 'h');  // longer than an entry's size field
  const std::string text = "first\r\n" + huge + "\r\nlast\r\n" + huge + "x";
  const RecordList read = RecordList::OfLines(std::string(text), 0, LineBreaks::Any);
  EXPECT_EQ(read, (Lines{"first", huge, "last", huge + "x"}));

  RecordList added;
  added.push_back("a");
  added.push_back(huge);
  added.push_back("b");
  EXPECT_EQ(added, (Lines{"a", huge, "b"}));
  added.Replace(0, huge);
  added.Replace(1, "short");
  EXPECT_EQ(added, (Lines{huge, "short", "b"}));

  RecordIndex index(added);
  EXPECT_EQ(index.Find(huge), 0u);
  EXPECT_EQ(index.Find("short"), 1u);
  EXPECT_EQ(index.Find(huge + "y"), RecordIndex::kNone);
  EXPECT_EQ(index.Key(0), huge);
}

TEST(RecordList, views_stay_valid_when_the_list_is_moved_or_swapped) {
  // A short list's bytes would sit inside a string object itself, and move with it.
  RecordList small{"a", "b"};
  const std::string_view a = small[0];
  RecordList moved = std::move(small);
  EXPECT_EQ(a.data(), moved[0].data());
  RecordList read = RecordList::OfLines("x\ny", 0, LineBreaks::Any);
  const std::string_view x = read[0];
  RecordList other;
  other.swap(read);
  EXPECT_EQ(x.data(), other[0].data());
  RecordList copy = other;
  const std::string_view copied = copy[1];
  RecordList copy_moved = std::move(copy);
  EXPECT_EQ(copied.data(), copy_moved[1].data());
  EXPECT_EQ(copy_moved, (Lines{"x", "y"}));
}

TEST(RecordList, edits_leave_every_other_record_as_it_was) {
  RecordList list{"Alpha.com ", "beta.com", "gamma.com", "delta.com"};
  list.Replace(0, "alpha.com");          // shorter: in its own place
  list.Replace(1, "a-longer-beta.com");  // longer: added behind
  list.push_back(list[2]);               // a record of the list itself, added again
  EXPECT_EQ(list, (Lines{"alpha.com", "a-longer-beta.com", "gamma.com", "delta.com", "gamma.com"}));

  const RecordList::Place place = list.PlaceOf(3);
  list.Substitute(3, "d");
  EXPECT_EQ(list[3], "d");
  list.PutBack(3, place);
  EXPECT_EQ(list[3], "delta.com");

  list.KeepIf([&](size_t i) { return list[i] != "gamma.com"; });
  EXPECT_EQ(list, (Lines{"alpha.com", "a-longer-beta.com", "delta.com"}));
  list.Append(list);
  EXPECT_EQ(list,
            (Lines{"alpha.com", "a-longer-beta.com", "delta.com", "alpha.com", "a-longer-beta.com", "delta.com"}));

  RecordIndex unwanted;
  unwanted.Add("alpha.com");
  RemoveKnown(list, unwanted);
  EXPECT_EQ(list, (Lines{"a-longer-beta.com", "delta.com", "a-longer-beta.com", "delta.com"}));
}

TEST(RecordList, sorts_in_the_string_list_s_order) {
  Lines lines{"b.com", "B.com", "a", "", "ab", "A", "www.x.com", "\xC3\xA9.com", "Z", "metrics.a.com", "metrics.B.com"};
  RecordList list(lines);
  SortFolded(list);
  std::stable_sort(lines.begin(), lines.end(), FoldedLess);
  ASSERT_EQ(list.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    // Records equal when folded may come in either order.
    EXPECT_FALSE(FoldedLess(list[i], lines[i]) || FoldedLess(lines[i], list[i])) << i;
  }
}

// A list in order that grew a little at its end (records filed, moved in) has only its end
// sorted, and merged in; a longer end is sorted with the rest. The order is the whole sort's
// wherever the new records fall.
TEST(RecordList, a_list_in_order_that_grew_at_its_end_sorts_as_a_whole) {
  const Lines ordered{"", "a", "ab", "b.com", "m.com", "www.x.com", "z"};
  const struct {
    const char* what;
    Lines tail;
  } cases[] = {
      {"before all, between and after all", {"zz", "0", "c.com", "a", "Ab"}},
      {"a tail as long as the list", {"y", "x", "w", "v", "u", "t", "s"}},
      {"a tail longer than the list", {"y", "x", "w", "v", "u", "t", "s", "r"}},
      {"one record", {"c"}},
      {"two records, merged in", {"c", "0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Lines lines = ordered;
    lines.insert(lines.end(), c.tail.begin(), c.tail.end());
    RecordList list(lines);
    SortFolded(list);
    std::stable_sort(lines.begin(), lines.end(), FoldedLess);
    ASSERT_EQ(list.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
      EXPECT_FALSE(FoldedLess(list[i], lines[i]) || FoldedLess(lines[i], list[i])) << i << ": " << list[i];
  }
}

}  // namespace
