// The expression calculator: results and error codes of expressions, %0, operands and their cache.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "elements/math/math_parse.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

// One calculator with its outputs recorded.
struct Calc {
  TKXMathParse element;
  Probe result, error;
  explicit Calc(int32_t count = 0, int32_t result_type = 1) {
    element.SetDataCount(count);
    element.ResultType = result_type;
    element.onResult = MakeLink<&Probe::doIt>(result);
    element.onError = MakeLink<&Probe::doIt>(error);
  }
  // Runs one calculation; returns the result as a real, or -1000 - the error code.
  double Run(const std::string& text, TData arriving = TData{}) {
    const size_t results = result.got.size();
    const size_t errors = error.got.size();
    element.MathStr = text;
    FireEvent(MakeLink<&TKXMathParse::doCalc>(element), arriving);
    EXPECT_EQ(result.got.size() - results + error.got.size() - errors, 1u) << text;
    if (error.got.size() > errors) return -1000 - error.got.back().integer;
    return result.got.size() > results ? AsReal(result.got.back()) : NAN;
  }
};

constexpr double kSyntax = -1000;
constexpr double kEval = -1001;

struct ExprCase {
  std::string text;
  double want;
};

TEST(MathParse, evaluates_expressions_and_reports_error_codes) {
  const std::vector<ExprCase> cases = {
      {"2+3*4", 14}, {"(2+3)*4", 20}, {"2^3^2", 64}, {"-2^2", 4}, {"7 div 2", 3}, {"-7 mod 2", -1},
      {"-7 div 2", -3}, {"7 mod -2", 1}, {"7 div(2)", 3}, {"round(2.5)", 2}, {"round(3.5)", 4},
      {"round(7, 5)", 5}, {"trunc(-7.5, 2)", -6}, {"frac(7.5, 2)", 1.5}, {"frac(-1.25)", -0.25},
      {"max(1, 9, 4)", 9}, {"min(3)", 3}, {"min(3,-1)", -1}, {"1 - 2 - 3", -4}, {"8 / 2 / 2", 2},
      {"2^0", 1}, {"0^0", 1}, {"2^(-2)", 0.25}, {"(-2)^3", -8}, {"4^0.5", 2}, {" \t2 +\t2 ", 4},
      {".5+5.", 5.5}, {"2e3", 2000}, {"2 E -1", 0.2}, {"2E+ 1", 20}, {"SQRT(16)+Sqrt(9)", 7},
      {"sqr(3)", 9}, {"abs(-2)", 2}, {"sign(-3)+sign(0)+sign(5)", 0}, {"exp(0)+ln(1)+lg(100)", 3},
      {"log(2, 8)", 3}, {"pi", 3.14159265358979}, {"e", 2.71828182845905}, {"+3", 3},
      {"4294967296 * 2", 8589934592.0}, {"2147483647 + 1", 2147483648.0},
      {"2*-3", kSyntax}, {"2^-1", kSyntax}, {"2+ +1", kSyntax}, {"1 2", kSyntax}, {"(1", kSyntax},
      {"", kSyntax}, {"   ", kSyntax}, {".", kSyntax}, {"2e", kSyntax}, {"2 e", kSyntax}, {"7div2", kSyntax},
      {"sqrt 4", kSyntax}, {"sqrt()", kSyntax}, {"foo(1)", kSyntax}, {"atan(1)", kSyntax},
      {"round(1,2,3)", kSyntax}, {"1\n+1", kSyntax}, {"1;", kSyntax}, {"%1", kSyntax}, {"%", kSyntax},
      {"%1.0", kSyntax}, {"pi(1)", kSyntax}, {"--1", kSyntax}, {"1+", kSyntax}, {")", kSyntax},
      {std::string("1\0", 2), kSyntax}, {"\xC0", kSyntax}, {"1 \x80", kSyntax},
      {"1/0", kEval}, {"sqrt(-1)", kEval}, {"1 div 0", kEval}, {"1 mod 0.4", kEval}, {"ln(0)", kEval},
      {"log(1, 5)", kEval}, {"arcsin(2)", kEval}, {"0^(-1)", kEval}, {"(-8)^(1/3)", kEval},
      {"1e999", kEval}, {"10^400", kEval}, {"exp(1000)", kEval}, {"sqr(1e200)", kEval},
      {"ctg(0)", kEval}, {"cth(0)", kEval}, {"arcth(1)", kEval}, {"arccth(0.5)", kEval},
      {"arcch(0.5)", kEval}, {"round(1, 0)", kEval}, {"1e300*1e300", kEval}, {"1e308+1e308", kEval},
      {"10^(-400)", 0}, {"2 div 1e30", kEval},
  };
  Calc calc;
  for (const ExprCase& c : cases) {
    const double got = calc.Run(c.text);
    if (c.want <= -1000) {
      EXPECT_EQ(got, c.want) << '"' << c.text << '"';
    } else {
      EXPECT_NEAR(got, c.want, 1e-9 * std::max(1.0, std::fabs(c.want))) << '"' << c.text << '"';
    }
  }
}

TEST(MathParse, trigonometry_follows_the_angle_mode) {
  Calc calc;
  EXPECT_NEAR(calc.Run("sin(pi/2)+cos(0)+tg(pi/4)+ctg(pi/4)"), 4, 1e-12);
  EXPECT_NEAR(calc.Run("arcctg(0)*2+arcctg(-1e300)"), 2 * std::numbers::pi, 1e-12);
  EXPECT_NEAR(calc.Run("atan(1, -1)"), 3 * std::numbers::pi / 4, 1e-12);
  EXPECT_NEAR(calc.Run("ch(0)+sh(0)+th(1000)+arcsh(0)+arcch(1)"), 2, 1e-12);
  calc.element.AngleMode = 1;
  EXPECT_NEAR(calc.Run("sin(90)+cos(180)+arcsin(1)+atan(-1, 0)"), 0, 1e-9);
  EXPECT_NEAR(calc.Run("arccos(-1)"), 180, 1e-9);
}

TEST(MathParse, integer_result_rounds_halves_to_even_and_rejects_what_does_not_fit) {
  Calc calc(0, 0);
  EXPECT_EQ(calc.Run("5/2"), 2);
  EXPECT_EQ(calc.result.got.back().kind, KindInteger);
  EXPECT_EQ(calc.Run("7/2"), 4);
  EXPECT_EQ(calc.Run("-2147483648"), -2147483648.0);
  EXPECT_EQ(calc.Run("2147483648"), kEval);
}

struct Value {
  TData value;
  int reads = 0;
  void varValue(TData& v, uint16_t) {
    ++reads;
    v = value;
  }
};

TEST(MathParse, sums_five_counts_and_an_unlinked_operand_takes_the_arriving_value) {
  Calc calc(5);
  std::vector<Value> counts{{MakeInteger(10)}, {MakeInteger(0)}, {MakeInteger(3)}, {MakeInteger(2)}, {MakeInteger(5)}};
  for (size_t k = 0; k < counts.size(); ++k) calc.element.dataX[k] = MakeLink<&Value::varValue>(counts[k]);
  EXPECT_EQ(calc.Run("%1+%2+%3+%4+%5"), 20);
  EXPECT_EQ(calc.result.got.back().kind, KindReal);
  calc.element.dataX[2] = TEventLink{};
  EXPECT_EQ(calc.Run("%1+%2+%3+%4+%5", MakeInteger(7)), 24);
  calc.element.dataX[3] = TEventLink{};  // the arriving value is gone once %3 took it
  EXPECT_EQ(calc.Run("%1+%2+%3+%4+%5", MakeInteger(7)), kEval);
  EXPECT_EQ(calc.Run("%6"), kSyntax);
}

TEST(MathParse, a_linked_operand_is_read_once_per_calculation) {
  Calc calc(1);
  Value x{MakeText("3")};
  calc.element.dataX[0] = MakeLink<&Value::varValue>(x);
  EXPECT_EQ(calc.Run("%1*%1+%1"), 12);
  EXPECT_EQ(x.reads, 1);
  EXPECT_EQ(calc.Run("%1"), 3);
  EXPECT_EQ(x.reads, 2);
  EXPECT_EQ(calc.Run("%1+("), kSyntax);  // a malformed text reads nothing
  EXPECT_EQ(x.reads, 2);
}

TEST(MathParse, percent_zero_is_the_last_result_or_the_default_after_a_failure) {
  Calc calc;
  calc.element.Default = 100;
  EXPECT_EQ(calc.Run("%0+1"), 101);
  EXPECT_EQ(calc.Run("20"), 20);
  EXPECT_EQ(calc.Run("%0+1"), 21);
  EXPECT_EQ(calc.Run("%0+1"), 22);
  EXPECT_EQ(calc.Run("1/0"), kEval);
  EXPECT_EQ(calc.Run("%0+1"), 101);
  EXPECT_EQ(calc.Run("%0("), kSyntax);
  EXPECT_EQ(calc.Run("%0"), 100);
}

// A readable output that answers the value handed to it, squared.
struct Square {
  std::vector<double> asked;
  void varValue(TData& v, uint16_t) {
    asked.push_back(AsReal(v));
    v = MakeReal(AsReal(v) * AsReal(v));
  }
};
struct Silent {
  void varValue(TData& v, uint16_t) { v.Clear(); }
};

TEST(MathParse, operand_call_hands_the_argument_to_the_linked_input) {
  Calc calc(2);
  Square square;
  Silent silent;
  calc.element.dataX[0] = MakeLink<&Square::varValue>(square);
  EXPECT_EQ(calc.Run("%1(3) + %1(1+1)"), 13);
  EXPECT_EQ(square.asked, (std::vector<double>{3, 2}));
  EXPECT_EQ(calc.Run("%2(3)"), kEval);  // unlinked
  calc.element.dataX[1] = MakeLink<&Silent::varValue>(silent);
  EXPECT_EQ(calc.Run("%2(3)"), kEval);  // empty answer
}

// An array of three items 10, 20, 30; the index arrives as a real.
class Items : public TDataArray {
 public:
  void Set(const TData&, const TData&) override {}
  bool Get(const TData& index, TData& item) override {
    const int32_t i = AsIndex(index);
    if (i < 0 || i >= 3) return false;
    item = MakeInteger(10 * (i + 1));
    return true;
  }
  int32_t Count() override { return 3; }
  void Add(const TData&) override {}
};

TEST(MathParse, operand_index_reads_an_item_of_an_array_value) {
  Calc calc(2);
  Items items;
  Value array{MakeArray(&items)};
  Value number{MakeInteger(4)};
  calc.element.dataX[0] = MakeLink<&Value::varValue>(array);
  calc.element.dataX[1] = MakeLink<&Value::varValue>(number);
  EXPECT_EQ(calc.Run("%1[0] + %1[2] + %1[0.6]"), 60);
  EXPECT_EQ(array.reads, 1);
  EXPECT_EQ(calc.Run("%1[3]"), kEval);
  EXPECT_EQ(calc.Run("%2[0]"), kEval);
  EXPECT_EQ(calc.Run("%1[0, 0]"), kEval);
  EXPECT_EQ(calc.Run("%1[0,]"), kSyntax);
}

TEST(MathParse, deep_nesting_is_a_syntax_error_not_a_crash) {
  Calc calc;
  const std::string deep(1000000, '(');
  EXPECT_EQ(calc.Run(deep), kSyntax);
  EXPECT_EQ(calc.Run(deep + "1" + std::string(1000000, ')')), kSyntax);
  EXPECT_EQ(calc.Run(std::string(100, '(') + "1" + std::string(100, ')')), 1);
  std::string calls;
  for (int i = 0; i < 100000; ++i) calls += "abs(";
  EXPECT_EQ(calc.Run(calls), kSyntax);
  std::string long_sum = "1";
  for (int i = 0; i < 200000; ++i) long_sum += "+1";
  EXPECT_EQ(calc.Run(long_sum), 200001);
}

}  // namespace
