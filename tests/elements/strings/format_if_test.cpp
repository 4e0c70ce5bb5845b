// The template filler and the two-way branch: placeholder rules, pulling order and the forwarded value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/strings/format_str.h"
#include "elements/strings/if_else.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

// Hands out its texts one after another, so that each pull is visible.
struct Source {
  std::vector<std::string> texts;
  size_t reads = 0;
  void varValue(TData& v, uint16_t) {
    v = MakeText(texts.empty() ? std::string() : texts[std::min(reads, texts.size() - 1)]);
    ++reads;
  }
};

struct FormatCase {
  std::string mask;
  int32_t count;
  bool skip;
  std::vector<std::string> inputs;  // the texts of %1, %2, ... (each input always answers the same)
  std::string result;
};

std::string Format(const FormatCase& c, TData arriving = TData{}) {
  TKXFormatStr element;
  element.Mask = c.mask;
  element.SetDataCount(c.count);
  element.SkipInserted = c.skip;
  std::vector<Source> sources(c.inputs.size());
  for (size_t k = 0; k < c.inputs.size(); ++k) {
    sources[k].texts = {c.inputs[k]};
    element.dataStr[k] = MakeLink<&Source::varValue>(sources[k]);
  }
  Probe out;
  element.onFormat = MakeLink<&Probe::doIt>(out);
  FireEvent(MakeLink<&TKXFormatStr::doFormat>(element), arriving);
  return out.got.size() == 1 ? AsText(out.got[0]) : "<fired " + std::to_string(out.got.size()) + ">";
}

TEST(FormatStr, fills_placeholders_by_the_mask_rules) {
  const std::vector<FormatCase> cases = {
      {"%1 - Already exists!", 1, true, {"ads.com"}, "ads.com - Already exists!"},
      {"%2Backup\\KWF\\winroute.cfg.%1", 2, true, {"010203_040506", "C:\\V\\"}, "C:\\V\\Backup\\KWF\\winroute.cfg.010203_040506"},
      {"<v>%1%2%3</v>", 3, true, {"a", "b", "c"}, "<v>abc</v>"},
      {"100%% of %1", 1, true, {"x"}, "100% of x"},
      {"%%1 stays", 1, true, {"x"}, "%1 stays"},
      {"%3", 2, true, {"a", "b"}, "%3"},
      {"%0 %a %", 2, true, {"a", "b"}, "%0 %a %"},
      {"50%", 1, true, {"x"}, "50%"},
      {"%12", 1, true, {"x"}, "%12"},  // greedy digits: placeholder 12, not 1 followed by 2
      {"%12", 12, true, {"", "", "", "", "", "", "", "", "", "", "", "L"}, "L"},
      {"a%%%1", 1, true, {"x"}, "a%x"},
      {"%%", 0, true, {}, "%%"},  // no inputs: the mask as it stands
      {"%1", 1, true, {"%1"}, "%1"},
      {"%1", 1, false, {"%2!"}, "%2!"},
      {"%1", 2, false, {"%2!", "two"}, "two!"},  // rescanned value expands
      {"%1", 1, false, {"<%1>"}, "<%1>"},        // but not into itself
      {"%1|%1", 2, false, {"[%2]", "%1"}, "[%1]|[%1]"},
      {"%99999999999999999999", 3, true, {"a"}, "%99999999999999999999"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(Format(c), c.result) << c.mask;
}

TEST(FormatStr, each_occurrence_pulls_anew_and_the_first_placeholder_met_takes_the_arriving_value) {
  TKXFormatStr element;
  element.Mask = "%2/%1/%2";
  element.SetDataCount(2);
  element.SkipInserted = true;
  Source second{{"b1", "b2"}};
  element.dataStr[1] = MakeLink<&Source::varValue>(second);
  Probe out;
  element.onFormat = MakeLink<&Probe::doIt>(out);
  FireEvent(MakeLink<&TKXFormatStr::doFormat>(element), std::string("arrived"));
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].text, "b1/arrived/b2");
  EXPECT_EQ(Format({"%2 %1", 2, true, {}, ""}, MakeText("x")), "x ");
}

TEST(FormatStr, data_count_beyond_the_sized_inputs_reads_them_as_unlinked) {
  TKXFormatStr element;
  element.Mask = "[%3]";
  element.DataCount = 3;  // set without SetDataCount: no link entries exist
  Probe out;
  element.onFormat = MakeLink<&Probe::doIt>(out);
  FireEvent(MakeLink<&TKXFormatStr::doFormat>(element), 5);
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].text, "[5]");
}

TEST(FormatStr, values_that_expand_one_another_stay_bounded) {
  std::string twos, threes, fours;
  for (int i = 0; i < 100; ++i) twos += "%2", threes += "%3", fours += "%4";
  // Expanded in full this would be 100 * 100 * 100 * 10 bytes.
  const std::string out = Format({"%1", 4, false, {twos, threes, fours, "xxxxxxxxxx"}, ""});
  EXPECT_LT(out.size(), size_t{4} << 20);
  EXPECT_EQ(out.substr(0, 20), std::string(20, 'x'));
  EXPECT_NE(out.find("%4"), std::string::npos);  // the rest went in unexpanded
}

struct CompareCase {
  int32_t type;
  TData a, b;
  bool result;
};

TEST(IfElse, comparison_follows_the_kind_of_the_first_operand) {
  const std::vector<CompareCase> cases = {
      {2, MakeText("abc"), MakeText("ab"), true},   {2, MakeText("abc"), MakeText("abcd"), false},
      {0, MakeInteger(1), MakeText("1"), true},      {0, MakeText("1"), MakeInteger(1), true},
      {0, MakeText("A"), MakeText("a"), false},      {5, MakeText("===="), MakeText("===="), false},
      {5, MakeText("abc"), MakeText("xyz"), true},   {1, MakeText("ab"), MakeText("xyz"), true},
      {3, MakeText("abc"), MakeText("xyz"), true},   {4, MakeText("ab"), MakeText("xyz"), false},
      {2, MakeInteger(21), MakeInteger(20), true},   {3, MakeInteger(20), MakeReal(20.4), true},
      {3, MakeInteger(21), MakeReal(20.6), true},    {1, MakeReal(2.5), MakeText("2.6"), true},
      {0, MakeReal(0.5), MakeInteger(0), false},     {5, MakeInteger(0), TData{}, false},
      {0, TData{}, TData{}, false},                  {5, TData{}, MakeInteger(1), false},
      {6, MakeInteger(1), MakeInteger(1), false},    {-1, MakeInteger(1), MakeInteger(2), false},
  };
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(CompareValues(cases[i].type, cases[i].a, cases[i].b), cases[i].result) << "case " << i;
}

struct Branch {
  TKXIf_else element;
  Probe yes, no;
  Branch() {
    element.onTrue = MakeLink<&Probe::doIt>(yes);
    element.onFalse = MakeLink<&Probe::doIt>(no);
  }
};

TEST(IfElse, forwards_the_arriving_value_even_when_an_input_consumed_it) {
  Branch b;
  b.element.Type = CompareGreater;
  b.element.Op2 = MakeInteger(1);
  TData value = MakeText("abc");  // a = the arriving text, whose length is compared with that of "1"
  FireEvent(MakeLink<&TKXIf_else::doCompare>(b.element), value);
  ASSERT_EQ(b.yes.got.size(), 1u);
  EXPECT_TRUE(b.no.got.empty());
  EXPECT_EQ(b.yes.got[0].kind, KindString);
  EXPECT_EQ(b.yes.got[0].text, "abc");
}

struct Count {
  void varValue(TData& v, uint16_t) { v = MakeInteger(25); }
};

TEST(IfElse, linked_operand_leaves_the_arriving_value_for_the_second_and_still_forwards_it) {
  Branch b;
  Count count;
  b.element.Type = CompareLessOrEqual;
  b.element.dataOp1 = MakeLink<&Count::varValue>(count);
  FireEvent(MakeLink<&TKXIf_else::doCompare>(b.element), 20);  // 25 <= 20 is false
  ASSERT_EQ(b.no.got.size(), 1u);
  EXPECT_EQ(b.no.got[0].kind, KindInteger);
  EXPECT_EQ(b.no.got[0].integer, 20);
  b.element.Op2 = MakeInteger(30);  // the property now wins over the arriving value
  FireEvent(MakeLink<&TKXIf_else::doCompare>(b.element), 20);
  EXPECT_EQ(b.yes.got.size(), 1u);
}

}  // namespace
