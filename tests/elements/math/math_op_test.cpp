// The two-operand arithmetic element: operand order, rounding and the division-by-zero state.
#include <gtest/gtest.h>

#include <vector>

#include "elements/math/math_op.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

struct Math {
  TKXMath element;
  Probe result, error;
  Math() {
    element.ResultType = 1;
    element.onResult = MakeLink<&Probe::doIt>(result);
    element.onError = MakeLink<&Probe::doIt>(error);
  }
  void Run(TData arriving) { FireEvent(MakeLink<&TKXMath::doOperation>(element), arriving); }
  TData Read() {
    TData v;
    element.varResult(v, 0);
    return v;
  }
};

TEST(MathOp, divides_the_arriving_value_by_op2) {
  Math m;
  m.element.Type = MathDivide;
  m.element.Op2 = 2;
  m.Run(MakeInteger(7));
  ASSERT_EQ(m.result.got.size(), 1u);
  EXPECT_EQ(m.result.got[0].kind, KindReal);
  EXPECT_EQ(m.result.got[0].real, 3.5);
}

TEST(MathOp, division_by_zero_fires_empty_error_and_empties_the_result_until_cleared_or_a_success) {
  Math m;
  m.element.Type = MathDivide;
  m.element.Default = 9;
  m.Run(MakeInteger(7));  // Op1 takes the 7, Op2 finds nothing left: 7 / 0
  EXPECT_TRUE(m.result.got.empty());
  ASSERT_EQ(m.error.got.size(), 1u);
  EXPECT_TRUE(m.error.got[0].IsEmpty());
  EXPECT_TRUE(m.Read().IsEmpty());
  TData none;
  m.element.doClear(none, 0);
  EXPECT_EQ(m.Read().real, 9);
  m.Run(MakeInteger(7));
  EXPECT_TRUE(m.Read().IsEmpty());
  m.element.Op2 = 7;
  m.Run(MakeInteger(14));
  EXPECT_EQ(m.Read().real, 2);
}

struct Operand {
  double value;
  void varValue(TData& v, uint16_t) { v = MakeReal(value); }
};

TEST(MathOp, integer_result_rounds_halves_to_even_and_a_linked_first_operand_leaves_the_value_to_the_second) {
  Math m;
  Operand five{5};
  m.element.ResultType = 0;
  m.element.Type = MathSubtract;
  m.element.dataOp1 = MakeLink<&Operand::varValue>(five);
  m.Run(MakeReal(2.5));  // 5 - 2.5
  m.element.Type = MathAdd;
  m.Run(MakeReal(-1.5));  // 5 + -1.5
  ASSERT_EQ(m.result.got.size(), 2u);
  EXPECT_EQ(m.result.got[0].kind, KindInteger);
  EXPECT_EQ(m.result.got[0].integer, 2);
  EXPECT_EQ(m.result.got[1].integer, 4);
  EXPECT_EQ(m.Read().integer, 4);
}

TEST(MathOp, overflowing_results_fail_instead_of_wrapping) {
  Math m;
  m.element.Type = MathMultiply;
  m.element.Op1 = 1e300;
  m.element.Op2 = 1e300;
  m.Run(TData{});
  EXPECT_EQ(m.error.got.size(), 1u);
  m.element.ResultType = 0;
  m.element.Op1 = 65536;
  m.element.Op2 = 65536;
  m.Run(TData{});
  EXPECT_EQ(m.error.got.size(), 2u);
  EXPECT_TRUE(m.result.got.empty());
}

}  // namespace
