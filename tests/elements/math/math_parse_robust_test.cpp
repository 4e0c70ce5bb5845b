// Random and mutated expressions: the calculator never crashes and always answers exactly once.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "elements/math/math_parse.h"

namespace {

struct Counter {
  int fired = 0;
  bool all_finite = true;
  void doIt(TData& v, uint16_t) { ++fired, all_finite &= v.kind != KindReal || std::isfinite(v.real); }
};

// %1 answers the value it is handed plus one, or 3 when handed nothing.
struct Operand {
  void varValue(TData& v, uint16_t) { v = v.IsEmpty() ? MakeInteger(3) : MakeReal(AsReal(v) + 1); }
};

template <size_t N>
const std::string& Pick(std::mt19937& rng, const std::string (&from)[N]) { return from[rng() % N]; }

// A well-formed expression of random shape, mostly exercising evaluation rather than syntax.
std::string WellFormed(std::mt19937& rng, int depth = 0) {
  static const std::string atoms[] = {"0",  "1",  "2",  "0.5", "1e300", "1e-300", "2147483648", "%0",
                                      "%1", "%2", "%3", "pi",  "e",     "%1[2]",  "%2(1)"};
  static const std::string ops[] = {"+", "-", "*", "/", "^", " div ", " mod "};
  static const std::string unary[] = {"cos", "sin", "tg", "ctg", "arccos", "arcsin", "arctg", "arcctg", "ch",
                                      "sh", "th", "cth", "arcch", "arcsh", "arcth", "arccth", "lg", "ln",
                                      "exp", "sqr", "sqrt", "abs", "sign", "round", "trunc", "frac"};
  if (depth > 4 || rng() % 3 == 0) return Pick(rng, atoms);
  switch (rng() % 4) {
    case 0: return "(" + WellFormed(rng, depth + 1) + Pick(rng, ops) + WellFormed(rng, depth + 1) + ")";
    case 1: return Pick(rng, unary) + "(" + WellFormed(rng, depth + 1) + ")";
    case 2:
      return (rng() % 2 ? "log(" : "atan(") + WellFormed(rng, depth + 1) + ", " + WellFormed(rng, depth + 1) + ")";
    default: return "(-" + WellFormed(rng, depth + 1) + ")";
  }
}

TEST(MathParseRobustness, random_and_mutated_expressions_always_fire_exactly_once) {
  static const std::string pieces[] = {"(", ")", "[", "]", ",", "%", "%0", "%9", "-", "^", " div ", " mod ",
                                       ".", "e", "2 E -1", "1e999", "4294967296", "sqrt(", "max(", "round(",
                                       " ", "\t", "\n", "x"};
  TKXMathParse calc;
  Operand op;
  Counter result, error;
  calc.SetDataCount(3);
  calc.dataX[0] = MakeLink<&Operand::varValue>(op);
  calc.onResult = MakeLink<&Counter::doIt>(result), calc.onError = MakeLink<&Counter::doIt>(error);
  std::mt19937 rng(20240601);
  for (int run = 0; run < 200000; ++run) {
    std::string text = WellFormed(rng);
    // Every other text gets a few tokens or bytes inserted, or bytes deleted.
    for (int edits = run % 2 ? 1 + rng() % 4 : 0; edits > 0; --edits) {
      const size_t at = rng() % (text.size() + 1);
      const unsigned how = rng() % 3;
      if (how == 0) text.insert(at, Pick(rng, pieces));
      else if (how == 1) text.erase(at, 1);
      else text.insert(at, 1, static_cast<char>(rng()));
    }
    calc.MathStr = text, calc.ResultType = rng() % 2, calc.AngleMode = rng() % 2;
    const int before = result.fired + error.fired;
    FireEvent(MakeLink<&TKXMathParse::doCalc>(calc), rng() % 2 ? MakeInteger(7) : TData{});
    ASSERT_EQ(result.fired + error.fired, before + 1) << '"' << text << '"';
  }
  EXPECT_TRUE(result.all_finite);
  EXPECT_GT(result.fired, 20000);
  EXPECT_GT(error.fired, 20000);
}

}  // namespace
