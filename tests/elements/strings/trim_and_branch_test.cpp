// The trimming every record and setting passes through, and the two-way branch of the pages' switches.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "elements/strings/if_else.h"
#include "elements/strings/trim.h"
#include "probe.h"

namespace {

// Hands out its texts one after another (the last one again and again), so that each pull is visible.
struct Source {
  std::vector<std::string> texts;
  size_t reads = 0;
  void varValue(TData& v, uint16_t) { v = MakeText(texts[std::min(reads++, texts.size() - 1)]); }
};

TEST(TrimBlanks, strips_blanks_and_control_bytes_at_the_ends_but_no_high_byte) {
  EXPECT_EQ(TrimBlanks("\t a b\r\n"), "a b");
  EXPECT_EQ(TrimBlanks(" \x01\x1f "), "");
  EXPECT_EQ(TrimBlanks("voil\xC3\xA0"), "voil\xC3\xA0");  // UTF-8 "à" ends in A0, the Windows-1251 blank
}

TEST(IfElse, comparison_follows_the_kind_of_the_first_operand) {
  struct Case {
    int32_t type;
    TData a, b;
    bool result;
  };
  const std::vector<Case> cases = {
      // Texts compare by length, but by content for equality.
      {2, MakeText("abc"), MakeText("ab"), true}, {0, MakeText("A"), MakeText("a"), false},
      {0, MakeInteger(1), MakeText("1"), true},   {0, MakeText("1"), MakeInteger(1), true},
      {3, MakeInteger(21), MakeReal(20.6), true}, {5, MakeInteger(0), TData{}, false},
      {1, MakeReal(2.5), MakeText("2.6"), true},  {0, MakeReal(0.5), MakeInteger(0), false},
      {6, MakeInteger(1), MakeInteger(1), false}, {-1, MakeInteger(1), MakeInteger(2), false},
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
  element.Op2 = MakeInteger(30);                             // the property now wins over the arriving value
  FireEvent(MakeLink<&TKXIf_else::doCompare>(element), 25);
  ASSERT_EQ(yes.got.size(), 2u);
  ASSERT_EQ(no.got.size(), 1u);
  EXPECT_EQ(yes.got[0].kind, KindString);
  EXPECT_EQ(yes.got[0].text, "abc");
  EXPECT_EQ(no.got[0].kind, KindInteger);
  EXPECT_EQ(no.got[0].integer, 25);
}

}  // namespace
