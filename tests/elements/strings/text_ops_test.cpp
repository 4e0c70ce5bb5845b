// The one-text string elements driven through their points: join, case, split, search, cut, trim, replace, length.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/strings/delete.h"
#include "elements/strings/length.h"
#include "elements/strings/position.h"
#include "elements/strings/replace.h"
#include "elements/strings/str_case.h"
#include "elements/strings/str_cat.h"
#include "elements/strings/str_part.h"
#include "elements/strings/trim.h"

namespace {

// Records what arrives, tagged, in one shared log so that the order of several outputs shows.
struct Probe {
  std::vector<std::string>* log;
  std::string tag;
  void doIt(TData& v, uint16_t) { log->push_back(tag + ":" + AsText(v)); }
};

// A readable output that counts how often it is read.
struct Source {
  TData value;
  int reads = 0;
  void varValue(TData& v, uint16_t) {
    ++reads;
    v = value;
  }
};

template <auto Point, class E>
void Call(E& element, TData value) {
  FireEvent(MakeLink<Point>(element), value);
}

TEST(StrCat, first_unlinked_empty_input_takes_the_arriving_value_and_a_linked_one_leaves_it) {
  std::vector<std::string> log;
  Probe out{&log, "cat"};
  Source dir{MakeText("C:\\V\\")};
  TKXStrCat cat;
  cat.Str2 = ".old";
  cat.onStrCat = MakeLink<&Probe::doIt>(out);
  Call<&TKXStrCat::doStrCat>(cat, MakeText("Veltra.ini"));
  cat.Str1 = "Date: ";
  cat.Str2.clear();
  Call<&TKXStrCat::doStrCat>(cat, MakeInteger(7));
  cat.dataStr1 = MakeLink<&Source::varValue>(dir);
  Call<&TKXStrCat::doStrCat>(cat, MakeText("Lists"));
  EXPECT_EQ(log, (std::vector<std::string>{"cat:Veltra.ini.old", "cat:Date: 7", "cat:C:\\V\\Lists"}));
}

TEST(StrCase, lowers_latin_and_cyrillic_capitals_only) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string lowered = LowerCase1251(all);
  for (int b = 1; b < 256; ++b) {
    int want = b;
    if ((b >= 'A' && b <= 'Z') || (b >= 192 && b <= 223)) want = b + 32;
    if (b == 168) want = 184;
    EXPECT_EQ(static_cast<unsigned char>(lowered[size_t(b - 1)]), want) << "byte " << b;
  }
  std::vector<std::string> log;
  Probe out{&log, "case"};
  TKXStrCase element;
  element.onResult = MakeLink<&Probe::doIt>(out);
  Call<&TKXStrCase::doConvert>(element, MakeText(std::string("ADS.COM\0X", 9)));
  EXPECT_EQ(log, std::vector<std::string>{"case:" + std::string("ads.com\0x", 9)});
}

struct SplitCase {
  std::string text;
  std::vector<std::string> fired;
};

TEST(StrPart, splits_at_the_first_occurrence_before_then_after) {
  const std::vector<SplitCase> cases = {
      {"sub.ads.com", {"split:sub", "part:ads.com"}},
      {"localhost", {"none:localhost"}},
      {"abc.", {"split:abc", "part:"}},
      {".com", {"split:", "part:com"}},
      {"", {"none:"}},
  };
  for (const SplitCase& c : cases) {
    std::vector<std::string> log;
    Probe split{&log, "split"}, part{&log, "part"}, none{&log, "none"};
    TKXStrPart element;
    element.Char = ".x";
    element.onSplit = MakeLink<&Probe::doIt>(split);
    element.onPart = MakeLink<&Probe::doIt>(part);
    element.onNotFound = MakeLink<&Probe::doIt>(none);
    Call<&TKXStrPart::doSplit>(element, MakeText(c.text));
    EXPECT_EQ(log, c.fired) << c.text;
  }
}

TEST(StrPart, empty_char_does_nothing_and_reads_nothing) {
  std::vector<std::string> log;
  Probe none{&log, "none"};
  Source s{MakeText("a.b")};
  TKXStrPart element;
  element.dataStr = MakeLink<&Source::varValue>(s);
  element.onNotFound = MakeLink<&Probe::doIt>(none);
  Call<&TKXStrPart::doSplit>(element, TData{});
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(s.reads, 0);
}

struct Searcher {
  std::vector<std::string> log;
  Probe out{&log, "at"};
  TKXPosition element;
  Searcher() { element.onSearch = MakeLink<&Probe::doIt>(out); }
  int32_t Position() {
    TData v;
    element.varPosition(v, 0);
    return v.integer;
  }
};

TEST(StrPosition, fires_the_match_start_and_leaves_the_state_behind_it) {
  Searcher s;
  s.element.Search = "://";
  s.element.StartPos = 1;
  s.element.Restart = true;
  Call<&TKXPosition::doSearch>(s.element, MakeText("ab://cd"));
  EXPECT_EQ(s.log, std::vector<std::string>{"at:3"});
  EXPECT_EQ(s.Position(), 6);
}

TEST(StrPosition, found_only_stays_silent_on_a_miss_and_resets_the_state) {
  Searcher s;
  s.element.Search = "://";
  s.element.FoundOnly = true;
  Call<&TKXPosition::doSearch>(s.element, MakeText("ab://cd"));
  Call<&TKXPosition::doSearch>(s.element, MakeText("a.com"));
  EXPECT_EQ(s.log, std::vector<std::string>{"at:3"});
  EXPECT_EQ(s.Position(), 0);
}

TEST(StrPosition, without_restart_goes_on_behind_the_last_match_then_starts_over) {
  Searcher s;
  s.element.Search = "a";
  for (int i = 0; i < 4; ++i) Call<&TKXPosition::doSearch>(s.element, MakeText("xaxa"));
  EXPECT_EQ(s.log, (std::vector<std::string>{"at:2", "at:4", "at:0", "at:2"}));
}

// A receiver that searches again at once must see the state already moved, or it would loop forever.
struct Rescan {
  TKXPosition* element;
  std::vector<int32_t> starts;
  void doFound(TData& v, uint16_t) {
    starts.push_back(v.integer);
    if (v.integer != 0 && starts.size() < 10) FireEvent(MakeLink<&TKXPosition::doSearch>(*element), std::string("a-a-a"));
  }
};

TEST(StrPosition, receiver_that_searches_again_walks_every_match_once) {
  TKXPosition element;
  element.Search = "a";
  element.FoundOnly = true;
  Rescan r{&element, {}};
  element.onSearch = MakeLink<&Rescan::doFound>(r);
  FireEvent(MakeLink<&TKXPosition::doSearch>(element), std::string("a-a-a"));
  EXPECT_EQ(r.starts, (std::vector<int32_t>{1, 3, 5}));
}

TEST(StrPosition, pulls_text_then_search_then_start) {
  Searcher s;
  Source text{MakeText("abcabc")};
  s.element.dataStr = MakeLink<&Source::varValue>(text);
  s.element.Search = "c";
  s.element.Restart = true;
  Call<&TKXPosition::doSearch>(s.element, MakeInteger(4));  // the start position arrives with the event
  EXPECT_EQ(s.log, std::vector<std::string>{"at:6"});
}

struct DeleteCase {
  std::string text;
  int32_t position, count;
  std::string result;
};

TEST(StrDelete, removes_the_range_and_ignores_impossible_ranges) {
  const std::vector<DeleteCase> cases = {
      {"abc", 2, 99999999, "a"}, {"abc", 4, 1, "abc"}, {"abc", 0, 1, "abc"}, {"abc", 1, 0, "abc"},
      {"abc", 1, -5, "abc"},     {"abc", 3, 1, "ab"},  {"abc", 1, 1, "bc"},
  };
  for (const DeleteCase& c : cases) EXPECT_EQ(DeleteRange(c.text, c.position, c.count), c.result) << c.text << c.position;
}

TEST(StrDelete, empty_text_fires_nothing_and_arriving_value_feeds_the_position_when_text_is_linked) {
  std::vector<std::string> log;
  Probe out{&log, "del"};
  Source text{MakeText("abcd")};
  TKXDelete element;
  element.Count = 2;
  element.onDelete = MakeLink<&Probe::doIt>(out);
  Call<&TKXDelete::doDelete>(element, TData{});
  EXPECT_TRUE(log.empty());
  element.dataStr = MakeLink<&Source::varValue>(text);
  Call<&TKXDelete::doDelete>(element, MakeInteger(2));
  EXPECT_EQ(log, std::vector<std::string>{"del:ad"});
}

TEST(StrTrim, strips_blanks_and_control_bytes_but_keeps_inner_ones_and_fires_when_empty) {
  std::vector<std::string> log;
  Probe out{&log, "trim"};
  TKXTrim element;
  element.onTrim = MakeLink<&Probe::doIt>(out);
  Call<&TKXTrim::doTrim>(element, MakeText("\t a b\r\n"));
  Call<&TKXTrim::doTrim>(element, MakeText(" \x01\x1f "));
  Call<&TKXTrim::doTrim>(element, MakeText("\xA0x\xA0"));  // a high byte is not a blank
  EXPECT_EQ(log, (std::vector<std::string>{"trim:a b", "trim:", "trim:\xA0x\xA0"}));
}

struct ReplaceCase {
  std::string text, find, with, result;
};

TEST(StrReplace, replaces_left_to_right_without_rescanning) {
  const std::vector<ReplaceCase> cases = {
      {"aaa", "a", "aa", "aaaaaa"}, {"aaaa", "aa", "a", "aa"}, {"a.b.c", ".", "", "abc"},
      {"Abc", "a", "x", "Abc"},     {"abc", "", "x", "abc"},   {"", "a", "x", ""},
      {"abab", "ab", "ba", "baba"},
  };
  for (const ReplaceCase& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.find, c.with), c.result) << c.text;
}

TEST(StrReplace, fires_also_for_an_empty_text_and_pulls_text_first) {
  std::vector<std::string> log;
  Probe out{&log, "rep"};
  Source find{MakeText("www.")};
  TKXReplace element;
  element.dataSubStr = MakeLink<&Source::varValue>(find);
  element.onReplace = MakeLink<&Probe::doIt>(out);
  Call<&TKXReplace::doReplace>(element, MakeText("www.ads.com"));
  Call<&TKXReplace::doReplace>(element, TData{});
  EXPECT_EQ(log, (std::vector<std::string>{"rep:ads.com", "rep:"}));
  EXPECT_EQ(find.reads, 2);
}

TEST(StrLength, counts_bytes_of_any_value_as_text) {
  std::vector<std::string> log;
  Probe out{&log, "len"};
  TKXLength element;
  element.onLength = MakeLink<&Probe::doIt>(out);
  Call<&TKXLength::doLength>(element, MakeText(std::string("a\0b", 3)));
  Call<&TKXLength::doLength>(element, MakeInteger(-42));
  Call<&TKXLength::doLength>(element, TData{});
  EXPECT_EQ(log, (std::vector<std::string>{"len:3", "len:3", "len:0"}));
}

}  // namespace
