// The two-operand arithmetic element: operand order, rounding and the division-by-zero state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/math/math_op.h"
#include "probe.h"

namespace {

// What one operation gave: its result as text (integers marked with "#"), or "error" when it failed.
std::vector<std::string> Outcome(const Probe& result, const Probe& error) {
  std::vector<std::string> got = Marked(result.got);
  for (const TData& v : error.got) got.push_back(v.IsEmpty() ? "error" : "error with a value");
  return got;
}

std::string Read(TKXMath& element) {
  TData v;
  element.varResult(v, 0);
  return v.IsEmpty() ? "empty" : AsText(v);
}

struct Operand {
  double value;
  void varValue(TData& v, uint16_t) { v = MakeReal(value); }
};

TEST(MathOp, a_linked_first_operand_leaves_the_arriving_value_to_the_second_and_results_that_do_not_fit_fail) {
  struct Case { int32_t type, result_type; double a; TData arriving; std::string want; };
  const std::vector<Case> cases = {
      {MathDivide, 1, 7, MakeInteger(2), "3.5"},          {MathSubtract, 0, 5, MakeReal(2.5), "#2"},  // halves to even
      {MathAdd, 0, 5, MakeReal(-1.5), "#4"},              {MathDivide, 1, 7, TData{}, "error"},
      {MathMultiply, 1, 1e300, MakeReal(1e300), "error"}, {7, 1, 1, MakeInteger(1), "error"},
      {MathMultiply, 0, 65536, MakeInteger(65536), "error"},  // beyond 32 bits: no wrap
  };
  for (const Case& c : cases) {
    TKXMath element;
    Operand a{c.a};
    Probe result, error;
    element.Type = c.type, element.ResultType = c.result_type, element.dataOp1 = MakeLink<&Operand::varValue>(a);
    element.onResult = result.Link(), element.onError = error.Link();
    FireEvent(MakeLink<&TKXMath::doOperation>(element), TData(c.arriving));
    EXPECT_EQ(Outcome(result, error), std::vector<std::string>{c.want}) << c.a << " op " << c.type << " " << AsText(c.arriving);
  }
}

TEST(MathOp, a_failure_empties_the_result_until_cleared_or_a_success) {
  TKXMath element;
  std::vector<std::string> read;
  element.Type = MathDivide, element.Default = 9, element.ResultType = 1;
  FireEvent(MakeLink<&TKXMath::doOperation>(element), 7);  // Op1 takes the 7, Op2 finds nothing left: 7 / 0
  read.push_back(Read(element));
  FireEvent(MakeLink<&TKXMath::doClear>(element));
  read.push_back(Read(element));
  element.Op2 = 7;
  FireEvent(MakeLink<&TKXMath::doOperation>(element), 14);
  read.push_back(Read(element));
  EXPECT_EQ(read, (std::vector<std::string>{"empty", "9", "2"}));
}

}  // namespace
