// The template filler and the two-way branch: placeholder rules, pulling order and the forwarded value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/strings/format_str.h"
#include "elements/strings/if_else.h"
#include "probe.h"

namespace {

// Hands out its texts one after another (the last one again and again), so that each pull is visible.
struct Source {
  std::vector<std::string> texts;
  size_t reads = 0;
  void varValue(TData& v, uint16_t) { v = MakeText(texts[std::min(reads++, texts.size() - 1)]); }
};

// Fills `mask` from `inputs` (the texts of %1, %2, ...; an empty list leaves the input unlinked);
// the result, or how often onFormat fired instead.
std::string Format(const std::string& mask, int32_t count, bool skip, std::vector<Source> inputs, TData arriving = {}) {
  TKXFormatStr element;
  Probe out;
  element.Mask = mask, element.SkipInserted = skip, element.onFormat = MakeLink<&Probe::doIt>(out);
  element.SetDataCount(count);
  for (size_t k = 0; k < inputs.size(); ++k)
    if (!inputs[k].texts.empty()) element.dataStr[k] = MakeLink<&Source::varValue>(inputs[k]);
  FireEvent(MakeLink<&TKXFormatStr::doFormat>(element), arriving);
  return out.got.size() == 1 ? AsText(out.got[0]) : "<fired " + std::to_string(out.got.size()) + ">";
}

TEST(FormatStr, fills_placeholders_by_the_mask_rules) {
  struct Case { std::string mask; int32_t count; bool skip; std::vector<Source> inputs; std::string result; };
  const std::vector<Case> cases = {
      {"%2Backup\\KWF\\winroute.cfg.%1", 2, true, {{{"010203_040506"}}, {{"C:\\V\\"}}},
       "C:\\V\\Backup\\KWF\\winroute.cfg.010203_040506"},
      {"%%1 stays", 1, true, {{{"x"}}}, "%1 stays"},         {"a%%%1", 1, true, {{{"x"}}}, "a%x"},
      {"%3", 2, true, {{{"a"}}, {{"b"}}}, "%3"},              {"%0 %a %", 2, true, {{{"a"}}, {{"b"}}}, "%0 %a %"},
      {"%12", 1, true, {{{"x"}}}, "%12"},  // greedy digits: placeholder 12, not 1 followed by 2
      {"%12", 12, true, std::vector<Source>(12, {{"L"}}), "L"},
      {"%%", 0, true, {}, "%%"},  // no inputs: the mask as it stands
      {"%1", 2, true, {{{"%2"}}, {{"two"}}}, "%2"},  {"%1", 1, false, {{{"%2!"}}}, "%2!"},
      {"%1", 2, false, {{{"%2!"}}, {{"two"}}}, "two!"},  // rescanned value expands
      {"%1", 1, false, {{{"<%1>"}}}, "<%1>"},            // but not into itself
      {"%1|%1", 2, false, {{{"[%2]"}}, {{"%1"}}}, "[%1]|[%1]"},
      {"%99999999999999999999", 3, true, {{{"a"}}}, "%99999999999999999999"},
      // Each occurrence pulls anew; the first unlinked placeholder met takes the arriving value.
      {"%2/%1/%2", 2, true, {{}, {{"b1", "b2"}}}, "b1/arrived/b2"},
      {"%2 %1", 2, true, {}, "arrived "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Format(c.mask, c.count, c.skip, c.inputs, MakeText("arrived")), c.result) << c.mask;
}

TEST(FormatStr, a_data_count_beyond_the_sized_inputs_reads_them_as_unlinked) {
  TKXFormatStr element;
  Probe out;
  element.Mask = "[%3]", element.DataCount = 3, element.onFormat = MakeLink<&Probe::doIt>(out);  // no SetDataCount
  FireEvent(MakeLink<&TKXFormatStr::doFormat>(element), 5);
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].text, "[5]");
}

TEST(FormatStr, values_that_expand_one_another_stay_bounded) {
  std::string twos, threes, fours;
  for (int i = 0; i < 100; ++i) twos += "%2", threes += "%3", fours += "%4";
  // Expanded in full this would be 100 * 100 * 100 * 10 bytes.
  const std::string out = Format("%1", 4, false, {{{twos}}, {{threes}}, {{fours}}, {{"xxxxxxxxxx"}}});
  EXPECT_LT(out.size(), size_t{4} << 20);
  EXPECT_EQ(out.substr(0, 20), std::string(20, 'x'));
  EXPECT_NE(out.find("%4"), std::string::npos);  // the rest went in unexpanded
}

TEST(IfElse, comparison_follows_the_kind_of_the_first_operand) {
  struct Case { int32_t type; TData a, b; bool result; };
  const std::vector<Case> cases = {
      // Texts compare by length, but by content for equality.
      {2, MakeText("abc"), MakeText("ab"), true},    {0, MakeText("A"), MakeText("a"), false},
      {0, MakeInteger(1), MakeText("1"), true},      {0, MakeText("1"), MakeInteger(1), true},
      {3, MakeInteger(21), MakeReal(20.6), true},    {5, MakeInteger(0), TData{}, false},
      {1, MakeReal(2.5), MakeText("2.6"), true},     {0, MakeReal(0.5), MakeInteger(0), false},
      {6, MakeInteger(1), MakeInteger(1), false},    {-1, MakeInteger(1), MakeInteger(2), false},
  };
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(CompareValues(cases[i].type, cases[i].a, cases[i].b), cases[i].result) << "case " << i;
}

TEST(IfElse, forwards_the_arriving_value_unchanged_even_when_an_operand_consumed_it) {
  TKXIf_else element;
  Probe yes, no;
  Source count{{"25"}};
  element.onTrue = MakeLink<&Probe::doIt>(yes), element.onFalse = MakeLink<&Probe::doIt>(no);
  element.Type = CompareGreater, element.Op2 = MakeInteger(1);
  FireEvent(MakeLink<&TKXIf_else::doCompare>(element), "abc");  // Op1 takes "abc": length 3 > length 1
  element.Type = CompareNotEqual, element.dataOp1 = MakeLink<&Source::varValue>(count), element.Op2 = TData{};
  FireEvent(MakeLink<&TKXIf_else::doCompare>(element), 25);  // a linked Op1 leaves the 25 to Op2: "25" == "25"
  element.Op2 = MakeInteger(30);  // the property now wins over the arriving value
  FireEvent(MakeLink<&TKXIf_else::doCompare>(element), 25);
  ASSERT_EQ(yes.got.size(), 2u);
  ASSERT_EQ(no.got.size(), 1u);
  EXPECT_EQ(yes.got[0].kind, KindString);
  EXPECT_EQ(yes.got[0].text, "abc");
  EXPECT_EQ(no.got[0].kind, KindInteger);
  EXPECT_EQ(no.got[0].integer, 25);
}

}  // namespace
