// Random and mutated expressions: the calculator never crashes and always answers exactly once.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "elements/math/math_parse.h"

namespace {

struct Counter {
  int fired = 0;
  bool all_finite = true;
  void doIt(TData& v, uint16_t) {
    ++fired;
    if (v.kind == KindReal && !std::isfinite(v.real)) all_finite = false;
  }
};

struct Operand {
  void varValue(TData& v, uint16_t) { v = v.IsEmpty() ? MakeInteger(3) : MakeReal(AsReal(v) + 1); }
};

const std::vector<std::string> kPieces = {
    "1", "0", "2.5", ".5", "5.", "1e3", "2 E -1", "1e999", "4294967296", "+", "-", "*", "/", "^",
    " div ", " mod ", "(", ")", "[", "]", ",", "%0", "%1", "%2", "%3", "%9", "%", "pi", "e", "sqrt(",
    "round(", "max(", "atan(", "log(", "ln(", "tg(", "arcth(", "frac(", " ", "\t", "\n", "x", ".",
};

std::string RandomExpression(std::mt19937& rng) {
  std::string s;
  const int n = std::uniform_int_distribution<int>(0, 24)(rng);
  for (int i = 0; i < n; ++i) s += kPieces[rng() % kPieces.size()];
  return s;
}

// A well-formed expression of random shape, mostly exercising evaluation rather than syntax.
std::string WellFormed(std::mt19937& rng, int depth = 0) {
  static const std::vector<std::string> atoms = {"0", "1", "2", "0.5", "1e300", "1e-300", "2147483648", "%0", "%1",
                                                 "%2", "%3", "pi", "e", "%1[2]", "%2(1)"};
  static const std::vector<std::string> ops = {"+", "-", "*", "/", "^", " div ", " mod "};
  static const std::vector<std::string> unary = {"cos", "sin", "tg", "ctg", "arccos", "arcsin", "arctg", "arcctg",
                                                 "ch", "sh", "th", "cth", "arcch", "arcsh", "arcth", "arccth", "lg",
                                                 "ln", "exp", "sqr", "sqrt", "abs", "sign", "round", "trunc", "frac"};
  if (depth > 4 || rng() % 3 == 0) return atoms[rng() % atoms.size()];
  switch (rng() % 4) {
    case 0: return "(" + WellFormed(rng, depth + 1) + ops[rng() % ops.size()] + WellFormed(rng, depth + 1) + ")";
    case 1: return unary[rng() % unary.size()] + "(" + WellFormed(rng, depth + 1) + ")";
    case 2: return std::string(rng() % 2 ? "log(" : "atan(") + WellFormed(rng, depth + 1) + ", " + WellFormed(rng, depth + 1) + ")";
    default: return "(-" + WellFormed(rng, depth + 1) + ")";
  }
}

// Flips, inserts or deletes a few bytes of a sound expression.
std::string Mutate(std::string s, std::mt19937& rng) {
  const int edits = std::uniform_int_distribution<int>(1, 3)(rng);
  for (int i = 0; i < edits; ++i) {
    const size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
    switch (rng() % 3) {
      case 0: s.insert(at, 1, static_cast<char>(rng() % 256)); break;
      case 1: if (at < s.size()) s.erase(at, 1); break;
      default: if (at < s.size()) s[at] = static_cast<char>(rng() % 256); break;
    }
  }
  return s;
}

TEST(MathParseRobustness, random_and_mutated_expressions_always_fire_exactly_once) {
  // MATH_FUZZ_SECONDS lengthens the run by hand; by default a fixed number of inputs.
  const char* seconds_env = std::getenv("MATH_FUZZ_SECONDS");
  const double seconds = seconds_env ? std::atof(seconds_env) : 0.0;
  const long limit = seconds > 0 ? -1 : 200000;
  const std::vector<std::string> sound = {"%1+%2+%3", "2^3^2", "round(7, 5)", "max(1, 9, 4)", "-7 mod 2",
                                          "%1(%2[1]) + %0", "atan(1, 2) * sqrt(2)", "log(2, 8) div 1"};
  TKXMathParse calc;
  calc.SetDataCount(3);
  Operand op;
  calc.dataX[0] = MakeLink<&Operand::varValue>(op);
  Counter result, error;
  calc.onResult = MakeLink<&Counter::doIt>(result);
  calc.onError = MakeLink<&Counter::doIt>(error);
  std::mt19937 rng(20240601);
  const auto start = std::chrono::steady_clock::now();
  long runs = 0;
  for (; limit < 0 || runs < limit; ++runs) {
    if (limit < 0 && (runs & 1023) == 0 &&
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds)
      break;
    switch (runs % 3) {
      case 0: calc.MathStr = RandomExpression(rng); break;
      case 1: calc.MathStr = Mutate(sound[rng() % sound.size()], rng); break;
      default: calc.MathStr = WellFormed(rng); break;
    }
    calc.ResultType = static_cast<int32_t>(rng() % 2);
    calc.AngleMode = static_cast<int32_t>(rng() % 2);
    const int before = result.fired + error.fired;
    TData arriving = rng() % 2 ? MakeInteger(7) : TData{};
    FireEvent(MakeLink<&TKXMathParse::doCalc>(calc), arriving);
    ASSERT_EQ(result.fired + error.fired, before + 1) << "\"" << calc.MathStr << "\"";
  }
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld expressions in %.1f s: %d results, %d errors\n", runs, took, result.fired, error.fired);
  EXPECT_TRUE(result.all_finite);
  EXPECT_GT(result.fired, runs / 10);
  EXPECT_GT(error.fired, 0);
}

}  // namespace
