// TKXMathParse: evaluates an arithmetic expression whose operands %1 .. %n are data inputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

// The codes onError carries.
enum TMathError : int32_t {
  MathSyntaxError = 0,  // the expression is malformed (also when nested deeper than kMathMaxNesting)
  MathEvalError = 1,    // an operand is missing, a domain or index is wrong, a division by zero, an overflow
};

// Brackets, function calls and operand calls nest at most this deep; deeper texts are syntax errors,
// so that no expression can exhaust the stack.
inline constexpr int kMathMaxNesting = 200;

// Expression rules, beyond the obvious: blanks are spaces and tabs only; 2*-3 must be written 2*(-3);
// the sign binds tighter than "^" and "^" associates to the left (-2^2 = 4, 2^3^2 = 64); div and mod
// need blanks or brackets around them. A number without "." and exponent above 2147483647 is read as
// the real number it spells rather than wrapped. A literal or any intermediate result that is not a
// finite real (1e999, an overflow) is an evaluation error, as is an operand that yields the empty
// value. %k[i, j] is accepted by the syntax but always fails with MathEvalError: nothing in the
// program hands out two-dimensional tables.
class TKXMathParse : public TKXObject {
 public:
  std::string MathStr;
  int32_t DataCount = 0;   // operands %1 .. %DataCount exist
  double Default = 0.0;    // %0 before the first calculation and after a failed one
  int32_t AngleMode = 0;   // 0: radians, 1: degrees
  int32_t ResultType = 0;  // 0: rounded integer (halves to even), 1: real

  std::vector<TEventLink> dataX;  // entry k - 1 serves %k
  TEventLink onResult;
  TEventLink onError;  // TMathError

  // Set-up: sets DataCount and sizes dataX to match. Call it before linking the inputs.
  void SetDataCount(int32_t count);

  // Fires exactly one of onResult and onError.
  void doCalc(TData& value, uint16_t index);

 private:
  double last_result_ = 0.0;
  bool has_result_ = false;  // false: %0 is Default
};
