// The expression calculator: results and error codes of expressions, and no crash on deep nesting.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "elements/math/math_parse.h"

namespace {

constexpr double kSyntax = -1000 - MathSyntaxError;
constexpr double kEval = -1000 - MathEvalError;

// One calculator with its outputs recorded; errors as -1000 - the code.
struct Calc {
  TKXMathParse element;
  std::vector<TData> got;
  explicit Calc(int32_t count = 0, int32_t result_type = 1) {
    element.SetDataCount(count);
    element.ResultType = result_type;
    element.onResult = MakeLink<&Calc::doResult>(*this);
    element.onError = MakeLink<&Calc::doError>(*this);
  }
  void doResult(TData& v, uint16_t) { got.push_back(v); }
  void doError(TData& v, uint16_t) { got.push_back(MakeReal(-1000 - v.integer)); }
  double Run(const std::string& text, TData arriving = {}) {
    const size_t before = got.size();
    element.MathStr = text;
    FireEvent(MakeLink<&TKXMathParse::doCalc>(element), arriving);
    EXPECT_EQ(got.size(), before + 1) << text;  // exactly one answer
    return got.empty() ? NAN : AsReal(got.back());
  }
  std::vector<double> Runs(std::vector<std::string> texts) {
    std::vector<double> answers;
    for (const std::string& text : texts) answers.push_back(Run(text));
    return answers;
  }
};

TEST(MathParse, evaluates_expressions_and_reports_error_codes) {
  struct Case {
    std::string text;
    double want;
  };
  // The cases are packed by hand, many to a line, where the formatter would give each one a line.
  // clang-format off
  const std::vector<Case> cases = {
      {"2+3*4", 14}, {"2^3^2", 64}, {"-2^2", 4}, {"-7 mod 2", -1}, {"-7 div 2", -3}, {"7 mod -2", 1}, {"7 div(2)", 3},
      {"round(2.5)", 2}, {"round(7, 5)", 5}, {"trunc(-7.5, 2)", -6}, {"frac(-1.25)", -0.25}, {"max(1, 9, 4)", 9},
      {"1 - 2 - 3", -4}, {"8 / 2 / 2", 2}, {"0^0", 1}, {"2^(-2)", 0.25}, {"(-2)^3", -8}, {" \t2 +\t2 ", 4},
      {".5+5.", 5.5}, {"2 E -1", 0.2}, {"SQRT(16)+Sqrt(9)", 7}, {"sign(-3)+sign(0)+sign(5)", 0},
      {"exp(0)+ln(1)+lg(100)", 3}, {"log(2, 8)", 3}, {"sin(pi/2)+cos(0)+tg(pi/4)+ctg(pi/4)", 4},
      {"arcctg(0)*2+arcctg(-1e300)", 6.28318530717959}, {"atan(1, -1)", 2.35619449019234},
      {"ch(0)+sh(0)+th(1000)+arcsh(0)+arcch(1)", 2}, {"2147483647 + 1", 2147483648.0}, {"10^(-400)", 0},
      {"2*-3", kSyntax}, {"2^-1", kSyntax}, {"1 2", kSyntax}, {"(1", kSyntax}, {"", kSyntax}, {"2e", kSyntax},
      {"7div2", kSyntax}, {"sqrt 4", kSyntax}, {"foo(1)", kSyntax}, {"atan(1)", kSyntax}, {"1\n+1", kSyntax},
      {"%1", kSyntax}, {"%1.0", kSyntax}, {"pi(1)", kSyntax}, {"--1", kSyntax}, {std::string("1\0", 2), kSyntax},
      {"1 \x80", kSyntax}, {"1/0", kEval}, {"sqrt(-1)", kEval}, {"1 mod 0.4", kEval}, {"log(1, 5)", kEval},
      {"arcsin(2)", kEval}, {"0^(-1)", kEval}, {"(-8)^(1/3)", kEval}, {"1e999", kEval}, {"exp(1000)", kEval},
      {"ctg(0)", kEval}, {"arccth(0.5)", kEval}, {"round(1, 0)", kEval}, {"1e308+1e308", kEval}, {"2 div 1e30", kEval},
  };
  // clang-format on
  Calc calc;
  for (const Case& c : cases)
    EXPECT_NEAR(calc.Run(c.text), c.want, 1e-9 * std::max(1.0, std::fabs(c.want))) << '"' << c.text << '"';
}

TEST(MathParse, degrees_in_angle_mode_1_and_integer_results_rounding_halves_to_even_within_32_bits) {
  Calc calc(0, 0);
  calc.element.AngleMode = 1;
  EXPECT_EQ(
      calc.Runs({"sin(90)+cos(180)+arcsin(1)+atan(-1, 0)", "arccos(-1)", "5/2", "7/2", "-2147483648", "2147483648"}),
      (std::vector<double>{0, 180, 2, 4, -2147483648.0, kEval}));
  EXPECT_EQ(calc.got[0].kind, KindInteger);
}

TEST(MathParse, deep_nesting_is_a_syntax_error_not_a_crash) {
  Calc calc;
  const std::string deep(1000000, '(');
  std::string calls, long_sum = "1";
  for (int i = 0; i < 100000; ++i) calls += "abs(";
  for (int i = 0; i < 200000; ++i) long_sum += "+1";
  EXPECT_EQ(calc.Run(deep), kSyntax);
  EXPECT_EQ(calc.Run(deep + "1" + std::string(1000000, ')')), kSyntax);
  EXPECT_EQ(calc.Run(calls), kSyntax);
  EXPECT_EQ(calc.Run(std::string(100, '(') + "1" + std::string(100, ')')), 1);
  EXPECT_EQ(calc.Run(long_sum), 200001);
}

}  // namespace
