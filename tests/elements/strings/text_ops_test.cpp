// The one-text string elements driven through their points: split, search, cut, trim, replace, length.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "elements/strings/delete.h"
#include "elements/strings/length.h"
#include "elements/strings/position.h"
#include "elements/strings/replace.h"
#include "elements/strings/str_part.h"
#include "elements/strings/trim.h"
#include "probe.h"

namespace {

using Log = std::vector<std::string>;
using namespace std::string_literals;

// A readable output that counts how often it is read.
struct Source {
  TData value;
  int reads = 0;
  void varValue(TData& v, uint16_t) { ++reads, v = value; }
  TEventLink Link() { return MakeLink<&Source::varValue>(*this); }
};

// Links `out` of `element` to a probe, fires `Point` once per value and returns what arrived.
template <auto Point, class E>
Log Fire(E& element, TEventLink E::*out, std::vector<TData> values) {
  Probe probe;
  element.*out = MakeLink<&Probe::doIt>(probe);
  for (TData& v : values) FireEvent(MakeLink<Point>(element), v);
  element.*out = {};
  return probe.texts;
}

TEST(StrPart, splits_at_the_first_occurrence_before_then_after_and_without_char_does_nothing) {
  TKXStrPart element;
  Probe probe;
  element.onSplit = MakeLink<&Probe::doIt>(probe, 1), element.onPart = MakeLink<&Probe::doIt>(probe, 2);
  element.onNotFound = MakeLink<&Probe::doIt>(probe, 3), element.Char = ".x";
  for (const char* text : {"sub.ads.com", "localhost", "abc.", ".com", ""})
    FireEvent(MakeLink<&TKXStrPart::doSplit>(element), text);
  element.Char = "";
  FireEvent(MakeLink<&TKXStrPart::doSplit>(element), "a.b");
  EXPECT_EQ(probe.texts, (Log{"1:sub", "2:ads.com", "3:localhost", "1:abc", "2:", "1:", "2:com", "3:"}));
}

TEST(StrPosition, goes_on_behind_the_last_match_unless_restarted_and_found_only_keeps_misses_silent) {
  TKXPosition element;
  TData position;
  const auto search = [&](std::vector<TData> values) {
    return Fire<&TKXPosition::doSearch>(element, &TKXPosition::onSearch, values);
  };
  element.Search = "a";
  const TData xaxa = MakeText("xaxa");
  EXPECT_EQ(search({xaxa, xaxa, xaxa, xaxa}), (Log{"2", "4", "0", "2"}));
  element.Search = "://", element.StartPos = 1, element.Restart = true;
  EXPECT_EQ(search({MakeText("ab://cd"), MakeText("ab://cd")}), (Log{"3", "3"}));
  element.varPosition(position, 0);
  EXPECT_EQ(position.integer, 6);  // just behind the match
  element.FoundOnly = true;
  EXPECT_EQ(search({MakeText("a.com")}), Log{});
  element.varPosition(position, 0);
  EXPECT_EQ(position.integer, 0);
  Source text{MakeText("abcabc")};
  element.dataStr = text.Link(), element.Search = "c", element.StartPos = 0;
  EXPECT_EQ(search({MakeInteger(4)}), Log{"6"});  // the text is pulled, the start arrives with the event
}

// A receiver that searches again at once must see the state already moved, or it would loop forever.
struct Rescan {
  TKXPosition* element;
  std::vector<int32_t> starts;
  void doFound(TData& v, uint16_t) {
    starts.push_back(v.integer);
    if (v.integer != 0 && starts.size() < 10) FireEvent(MakeLink<&TKXPosition::doSearch>(*element), "a-a-a");
  }
};

TEST(StrPosition, receiver_that_searches_again_walks_every_match_once) {
  TKXPosition element;
  Rescan r{&element, {}};
  element.Search = "a", element.FoundOnly = true, element.onSearch = MakeLink<&Rescan::doFound>(r);
  FireEvent(MakeLink<&TKXPosition::doSearch>(element), "a-a-a");
  EXPECT_EQ(r.starts, (std::vector<int32_t>{1, 3, 5}));
}

TEST(StrDelete, removes_the_range_ignores_impossible_ranges_and_fires_nothing_for_an_empty_text) {
  for (auto [position, count, result] : std::vector<std::tuple<int32_t, int32_t, std::string>>{
           {2, 99999999, "a"}, {4, 1, "abc"}, {0, 1, "abc"}, {1, 0, "abc"}, {1, -5, "abc"}, {3, 1, "ab"}, {1, 1, "bc"}})
    EXPECT_EQ(DeleteRange("abc", position, count), result) << position << "," << count;
  TKXDelete element;
  Source text{MakeText("abcd")};
  element.Count = 2;
  EXPECT_EQ(Fire<&TKXDelete::doDelete>(element, &TKXDelete::onDelete, {TData{}}), Log{});
  element.dataStr = text.Link();
  // The text is pulled, so the arriving 2 is the position.
  EXPECT_EQ(Fire<&TKXDelete::doDelete>(element, &TKXDelete::onDelete, {MakeInteger(2)}), Log{"ad"});
}

TEST(StrTrim, strips_blanks_and_control_bytes_but_keeps_inner_ones_and_fires_when_empty) {
  TKXTrim element;
  // A high byte is no blank.
  const std::vector<TData> texts = {MakeText("\t a b\r\n"), MakeText(" \x01\x1f "), MakeText("\xA0x\xA0")};
  EXPECT_EQ(Fire<&TKXTrim::doTrim>(element, &TKXTrim::onTrim, texts), (Log{"a b", "", "\xA0x\xA0"}));
}

TEST(StrReplace, replaces_left_to_right_without_rescanning_and_fires_also_for_an_empty_text) {
  for (auto [text, find, with, result] : std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
           {"aaa", "a", "aa", "aaaaaa"}, {"aaaa", "aa", "a", "aa"}, {"Abc", "a", "x", "Abc"}, {"abc", "", "x", "abc"},
           {"abab", "ab", "ba", "baba"}})
    EXPECT_EQ(ReplaceAll(text, find, with), result) << text;
  TKXReplace element;
  Source find{MakeText("www.")};
  element.dataSubStr = find.Link();
  EXPECT_EQ(Fire<&TKXReplace::doReplace>(element, &TKXReplace::onReplace, {MakeText("www.ads.com"), TData{}}),
            (Log{"ads.com", ""}));
  EXPECT_EQ(find.reads, 2);
}

TEST(StrLength, counts_bytes_of_any_value_as_text) {
  TKXLength element;
  EXPECT_EQ(Fire<&TKXLength::doLength>(element, &TKXLength::onLength, {MakeText("a\0b"s), MakeInteger(-42), TData{}}),
            (Log{"3", "3", "0"}));
}

}  // namespace
