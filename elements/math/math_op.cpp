// The two-operand arithmetic element.
#include "elements/math/math_op.h"

#include <cmath>
#include <limits>

namespace {
// The value carries 32-bit integers: a rounded result beyond them is an overflow, not a wrap.
bool Representable(double r, int32_t result_type) {
  if (!std::isfinite(r)) return false;
  if (result_type == 1) return true;
  const double n = std::nearbyint(r);
  return n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max();
}
}  // namespace

void TKXMath::doOperation(TData& value, uint16_t) {
  const double a = InputReal(value, dataOp1, Op1);
  const double b = InputReal(value, dataOp2, Op2);
  double r = std::numeric_limits<double>::quiet_NaN();
  switch (Type) {
    case MathAdd: r = a + b; break;
    case MathSubtract: r = a - b; break;
    case MathMultiply: r = a * b; break;
    case MathDivide:
      if (b != 0.0) r = a / b;
      break;
    default: break;
  }
  if (!Representable(r, ResultType)) {
    result_ = Default;
    failed_ = true;
    FireEvent(onError);
    return;
  }
  result_ = r;
  failed_ = false;
  TData out = Result();
  FireEvent(onResult, out);
}

void TKXMath::doClear(TData&, uint16_t) {
  result_ = Default;
  failed_ = false;
}

void TKXMath::varResult(TData& result, uint16_t) { result = Result(); }

TData TKXMath::Result() const {
  if (failed_) return TData{};
  if (ResultType == 1) return MakeReal(result_);
  return MakeInteger(RoundToInteger(result_));
}
