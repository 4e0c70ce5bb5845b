// The expression calculator: a tokenizer and a recursive-descent evaluator over the token list.
#include "elements/math/math_parse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <numbers>
#include <string_view>

#include "runtime/decimal.h"
#include "runtime/text_case.h"

void TKXMathParse::SetDataCount(int32_t count) {
  DataCount = std::max<int32_t>(count, 0);
  dataX.assign(static_cast<size_t>(DataCount), TEventLink{});
}

namespace {

// Thrown inside the calculator only; doCalc turns it into onError.
struct Failure {
  int32_t code;
};
[[noreturn]] void SyntaxError() { throw Failure{MathSyntaxError}; }
[[noreturn]] void EvalError() { throw Failure{MathEvalError}; }

double Finite(double x) {
  if (!std::isfinite(x)) EvalError();
  return x;
}

// ---- Tokens -------------------------------------------------------------------------------------

enum class TokenKind { End, Number, Name, Operator, Punct };

struct Token {
  TokenKind kind = TokenKind::End;
  char symbol = 0;        // Operator and Punct
  std::string name;       // Name, A-Z folded to lower case
  double number = 0.0;    // Number
  bool integral = false;  // Number written without "." and exponent and within 32 bits
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsNameStart(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b == '_' || b >= 192;
}
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c); }

// Reads one token at a time, so that memory stays flat however long the text is.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) { Advance(); }

  const Token& Peek() const { return token_; }

  Token Next() {
    Token t = std::move(token_);
    Advance();
    return t;
  }

 private:
  void Advance() {
    SkipBlanks();
    if (pos_ >= text_.size()) {
      token_ = Token{};
      return;
    }
    const char c = text_[pos_];
    if (IsDigit(c) || c == '.') {
      token_ = Number();
    } else if (IsNameStart(c)) {
      Token t;
      t.kind = TokenKind::Name;
      for (; pos_ < text_.size() && IsNamePart(text_[pos_]); ++pos_) {
        const char n = text_[pos_];
        t.name += FoldAscii(n);
      }
      token_ = std::move(t);
    } else if (std::string_view("+-*/^").find(c) != std::string_view::npos) {
      ++pos_;
      SkipBlanks();
      // A sign straight after an operator would be ambiguous to the reader: brackets are required.
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) SyntaxError();
      token_ = Symbol(TokenKind::Operator, c);
    } else if (std::string_view("()[],%").find(c) != std::string_view::npos) {
      ++pos_;
      token_ = Symbol(TokenKind::Punct, c);
    } else {
      SyntaxError();  // control characters, line breaks and every other byte
    }
  }

  static Token Symbol(TokenKind kind, char c) {
    Token t;
    t.kind = kind;
    t.symbol = c;
    return t;
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }

  Token Number() {
    std::string digits;  // the number without blanks, as strtod reads it
    bool has_digit = false;
    bool is_integral = true;
    for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_) digits += text_[pos_], has_digit = true;
    if (pos_ < text_.size() && text_[pos_] == '.') {
      digits += text_[pos_++];
      is_integral = false;
      for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_) digits += text_[pos_], has_digit = true;
    }
    if (!has_digit) SyntaxError();  // a lone "."
    size_t look = pos_;
    while (look < text_.size() && IsBlank(text_[look])) ++look;
    if (look < text_.size() && (text_[look] == 'e' || text_[look] == 'E')) {
      pos_ = look + 1;
      is_integral = false;
      digits += 'e';
      SkipBlanks();
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) digits += text_[pos_++];
      SkipBlanks();
      if (pos_ >= text_.size() || !IsDigit(text_[pos_])) SyntaxError();
      for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_) digits += text_[pos_];
    }
    Token t;
    t.kind = TokenKind::Number;
    t.number = ReadDecimal(digits);
    t.integral = is_integral && t.number <= std::numeric_limits<int32_t>::max();
    return t;
  }

  std::string_view text_;
  size_t pos_ = 0;
  Token token_;
};

// ---- Functions ----------------------------------------------------------------------------------

enum class Fn {
  Cos,
  Sin,
  Tg,
  Ctg,
  ArcCos,
  ArcSin,
  ArcTg,
  ArcCtg,
  Atan,
  Ch,
  Sh,
  Th,
  Cth,
  ArcCh,
  ArcSh,
  ArcTh,
  ArcCth,
  Log,
  Lg,
  Ln,
  Exp,
  Sqr,
  Sqrt,
  Abs,
  Sign,
  Round,
  Trunc,
  Frac,
  Min,
  Max,
};

struct FnInfo {
  std::string_view name;
  Fn fn;
  int min_args;
  int max_args;  // 0: no upper limit
};

constexpr FnInfo kFunctions[] = {
    {"cos", Fn::Cos, 1, 1},     {"sin", Fn::Sin, 1, 1},       {"tg", Fn::Tg, 1, 1},
    {"ctg", Fn::Ctg, 1, 1},     {"arccos", Fn::ArcCos, 1, 1}, {"arcsin", Fn::ArcSin, 1, 1},
    {"arctg", Fn::ArcTg, 1, 1}, {"arcctg", Fn::ArcCtg, 1, 1}, {"atan", Fn::Atan, 2, 2},
    {"ch", Fn::Ch, 1, 1},       {"sh", Fn::Sh, 1, 1},         {"th", Fn::Th, 1, 1},
    {"cth", Fn::Cth, 1, 1},     {"arcch", Fn::ArcCh, 1, 1},   {"arcsh", Fn::ArcSh, 1, 1},
    {"arcth", Fn::ArcTh, 1, 1}, {"arccth", Fn::ArcCth, 1, 1}, {"log", Fn::Log, 2, 2},
    {"lg", Fn::Lg, 1, 1},       {"ln", Fn::Ln, 1, 1},         {"exp", Fn::Exp, 1, 1},
    {"sqr", Fn::Sqr, 1, 1},     {"sqrt", Fn::Sqrt, 1, 1},     {"abs", Fn::Abs, 1, 1},
    {"sign", Fn::Sign, 1, 1},   {"round", Fn::Round, 1, 2},   {"trunc", Fn::Trunc, 1, 2},
    {"frac", Fn::Frac, 1, 2},   {"min", Fn::Min, 1, 0},       {"max", Fn::Max, 1, 0},
};

const FnInfo* FindFunction(std::string_view name) {
  for (const FnInfo& f : kFunctions)
    if (f.name == name) return &f;
  return nullptr;
}

double Divide(double a, double b) {
  if (b == 0.0) EvalError();
  return Finite(a / b);
}

// Whole exponents by repeated squaring: exact for small integers, and defined for a base of 0 or below.
double RaisePower(double x, double y) {
  if (y != std::trunc(y)) {
    if (x <= 0.0) EvalError();
    return Finite(std::exp(y * std::log(x)));
  }
  double e = std::fabs(y);
  double result = 1.0;
  double base = x;
  while (e > 0.0) {
    if (std::fmod(e, 2.0) == 1.0) result *= base;
    e = std::floor(e / 2.0);
    if (e > 0.0) base *= base;
  }
  if (y < 0.0) {
    if (result == 0.0) EvalError();
    result = 1.0 / result;  // an infinite power gives a reciprocal that underflows to 0
  }
  return Finite(result);
}

int64_t RoundToInt64(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) EvalError();
  return static_cast<int64_t>(r);
}

double IntegerDivide(double a, double b, bool remainder) {
  const int64_t ia = RoundToInt64(a);
  const int64_t ib = RoundToInt64(b);
  if (ib == 0) EvalError();
  if (ib == -1) return remainder ? 0.0 : Finite(-static_cast<double>(ia));  // INT64_MIN / -1 overflows
  return static_cast<double>(remainder ? ia % ib : ia / ib);
}

double Stepped(Fn fn, double x, double step) {
  const double q = Divide(x, step);
  switch (fn) {
    case Fn::Round: return Finite(std::nearbyint(q) * step);
    case Fn::Trunc: return Finite(std::trunc(q) * step);
    default: return Finite((q - std::trunc(q)) * step);
  }
}

double Apply(Fn fn, const std::vector<double>& a, double angle) {
  const double x = a[0];
  switch (fn) {
    case Fn::Cos: return Finite(std::cos(x * angle));
    case Fn::Sin: return Finite(std::sin(x * angle));
    case Fn::Tg: return Finite(std::tan(x * angle));
    case Fn::Ctg: return Divide(std::cos(x * angle), std::sin(x * angle));
    case Fn::ArcCos:
      if (x < -1.0 || x > 1.0) EvalError();
      return std::acos(x) / angle;
    case Fn::ArcSin:
      if (x < -1.0 || x > 1.0) EvalError();
      return std::asin(x) / angle;
    case Fn::ArcTg: return std::atan(x) / angle;
    case Fn::ArcCtg: return (std::numbers::pi / 2 - std::atan(x)) / angle;
    case Fn::Atan: return std::atan2(a[0], a[1]) / angle;
    case Fn::Ch: return Finite(std::cosh(x));
    case Fn::Sh: return Finite(std::sinh(x));
    case Fn::Th: return std::tanh(x);
    case Fn::Cth: return Divide(1.0, std::tanh(x));
    case Fn::ArcCh:
      if (x < 1.0) EvalError();
      return Finite(std::acosh(x));
    case Fn::ArcSh: return Finite(std::asinh(x));
    case Fn::ArcTh:
      if (!(x > -1.0 && x < 1.0)) EvalError();
      return Finite(std::atanh(x));
    case Fn::ArcCth:
      if (!(x < -1.0 || x > 1.0)) EvalError();
      return Finite(std::atanh(1.0 / x));
    case Fn::Log:
      if (a[0] <= 0.0 || a[1] <= 0.0) EvalError();
      return Divide(std::log(a[1]), std::log(a[0]));
    case Fn::Lg:
    case Fn::Ln:
      if (x <= 0.0) EvalError();
      return fn == Fn::Lg ? std::log10(x) : std::log(x);
    case Fn::Exp: return Finite(std::exp(x));
    case Fn::Sqr: return Finite(x * x);
    case Fn::Sqrt:
      if (x < 0.0) EvalError();
      return std::sqrt(x);
    case Fn::Abs: return std::fabs(x);
    case Fn::Sign: return x > 0.0 ? 1.0 : x < 0.0 ? -1.0 : 0.0;
    case Fn::Round:
    case Fn::Trunc:
    case Fn::Frac: return Stepped(fn, x, a.size() > 1 ? a[1] : 1.0);
    case Fn::Min: return *std::min_element(a.begin(), a.end());
    case Fn::Max: return *std::max_element(a.begin(), a.end());
  }
  return 0.0;
}

// ---- Grammar ------------------------------------------------------------------------------------

// What one calculation reads from its element.
struct Operands {
  const std::vector<TEventLink>& links;
  int32_t count;
  double last_result;
  TData& arriving;                // unlinked operands take it, once
  std::map<int32_t, TData> read;  // each operand is read at most once per calculation

  const TEventLink& Link(int32_t k) const {
    static const TEventLink unlinked;
    return static_cast<size_t>(k) <= links.size() ? links[static_cast<size_t>(k) - 1] : unlinked;
  }

  const TData& Value(int32_t k) {
    auto it = read.find(k);
    if (it == read.end()) {
      TData v;
      InputValue(arriving, Link(k), TData{}, v);
      v.kind &= static_cast<uint8_t>(~KindForward);
      it = read.emplace(k, std::move(v)).first;
    }
    if (it->second.IsEmpty()) EvalError();
    return it->second;
  }
};

// Run twice over the same text: first with `evaluate` false, which only checks the syntax and
// touches nothing, so that a malformed text is reported as such without pulling any input; then
// for real. In the checking run every value is 0 and no arithmetic is done.
class Parser {
 public:
  Parser(std::string_view text, bool evaluate, double angle, Operands* operands)
      : tokens_(text), evaluate_(evaluate), angle_(angle), operands_(operands) {}

  double Run() {
    const double v = Expression();
    if (Peek().kind != TokenKind::End) SyntaxError();
    return v;
  }

 private:
  // Every construct that nests an expression goes one level deeper.
  struct Nest {
    explicit Nest(int& depth) : depth_(depth) {
      if (++depth_ > kMathMaxNesting) SyntaxError();
    }
    ~Nest() { --depth_; }
    int& depth_;
  };

  const Token& Peek() const { return tokens_.Peek(); }
  Token Next() { return tokens_.Next(); }
  bool IsPunct(char c) const { return Peek().kind == TokenKind::Punct && Peek().symbol == c; }
  bool IsOperator(char c) const { return Peek().kind == TokenKind::Operator && Peek().symbol == c; }
  void Expect(char c) {
    if (!IsPunct(c)) SyntaxError();
    Next();
  }

  double Expression() {
    double v = Term();
    while (IsOperator('+') || IsOperator('-')) {
      const char op = Next().symbol;
      const double r = Term();
      if (evaluate_) v = Finite(op == '+' ? v + r : v - r);
    }
    return v;
  }

  double Term() {
    double v = Power();
    for (;;) {
      const Token& t = Peek();
      const bool word = t.kind == TokenKind::Name && (t.name == "div" || t.name == "mod");
      if (!(IsOperator('*') || IsOperator('/') || word)) return v;
      const char op = word ? t.name[0] : t.symbol;
      Next();
      const double r = Power();
      if (!evaluate_) continue;
      switch (op) {
        case '*': v = Finite(v * r); break;
        case '/': v = Divide(v, r); break;
        default: v = IntegerDivide(v, r, op == 'm'); break;
      }
    }
  }

  double Power() {
    double v = Signed();
    while (IsOperator('^')) {
      Next();
      const double r = Signed();
      if (evaluate_) v = RaisePower(v, r);
    }
    return v;
  }

  double Signed() {
    bool negative = false;
    if (IsOperator('+') || IsOperator('-')) negative = Next().symbol == '-';
    const double v = Factor();
    return negative ? -v : v;
  }

  double Factor() {
    const Token& t = Next();
    switch (t.kind) {
      case TokenKind::Number: return evaluate_ ? Finite(t.number) : 0.0;
      case TokenKind::Punct:
        if (t.symbol == '(') {
          Nest nest(depth_);
          const double v = Expression();
          Expect(')');
          return v;
        }
        if (t.symbol == '%') return Operand();
        SyntaxError();
      case TokenKind::Name: return Named(t.name);
      default: SyntaxError();
    }
  }

  double Named(const std::string& name) {
    if (name == "pi") return std::numbers::pi;
    if (name == "e") return std::numbers::e;
    const FnInfo* f = FindFunction(name);
    if (f == nullptr) SyntaxError();
    Nest nest(depth_);
    Expect('(');
    std::vector<double> args{Expression()};
    while (IsPunct(',')) {
      if (f->max_args != 0 && static_cast<int>(args.size()) >= f->max_args) SyntaxError();
      Next();
      args.push_back(Expression());
    }
    if (static_cast<int>(args.size()) < f->min_args) SyntaxError();
    Expect(')');
    return evaluate_ ? Apply(f->fn, args, angle_) : 0.0;
  }

  double Operand() {
    const Token& number = Next();
    if (number.kind != TokenKind::Number || !number.integral) SyntaxError();
    const double k = number.number;
    if (k == 0) return evaluate_ ? operands_->last_result : 0.0;
    if (k > operands_->count) SyntaxError();
    const auto index = static_cast<int32_t>(k);

    if (IsPunct('(')) {  // %k(x): the linked element answers for x
      Nest nest(depth_);
      Next();
      const double x = Expression();
      Expect(')');
      if (!evaluate_) return 0.0;
      const TEventLink& link = operands_->Link(index);
      if (!link.Linked()) EvalError();
      TData answer = MakeReal(x);
      PullData(link, answer);
      answer.kind &= static_cast<uint8_t>(~KindForward);
      if (answer.IsEmpty()) EvalError();
      return Finite(AsReal(answer));
    }
    if (IsPunct('[')) {  // %k[i] and %k[i, j]: an item of an array operand
      Nest nest(depth_);
      Next();
      const double i = Expression();
      const bool table = IsPunct(',');
      if (table) {
        Next();
        Expression();
      }
      Expect(']');
      if (!evaluate_) return 0.0;
      const TData& v = operands_->Value(index);
      if (table || v.kind != KindArray || v.array == nullptr) EvalError();
      TData item;
      if (!v.array->Get(MakeReal(i), item)) EvalError();
      return Finite(AsReal(item));
    }
    return evaluate_ ? Finite(AsReal(operands_->Value(index))) : 0.0;
  }

  Tokenizer tokens_;
  int depth_ = 0;
  bool evaluate_;
  double angle_;
  Operands* operands_;
};

}  // namespace

void TKXMathParse::doCalc(TData& value, uint16_t) {
  // Unlinked operands take the arriving value from this copy, so the caller's record stays as it came.
  TData arriving = value;
  arriving.kind &= static_cast<uint8_t>(~KindForward);
  Operands operands{dataX, DataCount, has_result_ ? last_result_ : Default, arriving, {}};
  const double angle = AngleMode == 1 ? std::numbers::pi / 180 : 1.0;

  double result = 0.0;
  int32_t error = -1;
  try {
    Parser(MathStr, false, angle, &operands).Run();
    result = Parser(MathStr, true, angle, &operands).Run();
    if (ResultType != 1) {
      result = std::nearbyint(result);
      if (result < std::numeric_limits<int32_t>::min() || result > std::numeric_limits<int32_t>::max()) EvalError();
    }
  } catch (const Failure& failure) {
    error = failure.code;
  }

  if (error >= 0) {
    has_result_ = false;
    FireEvent(onError, error);
    return;
  }
  last_result_ = result;
  has_result_ = true;
  if (ResultType == 1) {
    FireEvent(onResult, result);
  } else {
    FireEvent(onResult, static_cast<int32_t>(result));
  }
}
