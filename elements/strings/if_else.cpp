// The two-way branch.
#include "elements/strings/if_else.h"

#include <string>

namespace {
template <class T>
bool Holds(int32_t type, const T& a, const T& b) {
  switch (type) {
    case CompareEqual: return a == b;
    case CompareLess: return a < b;
    case CompareGreater: return a > b;
    case CompareLessOrEqual: return a <= b;
    case CompareGreaterOrEqual: return a >= b;
    case CompareNotEqual: return a != b;
    default: return false;
  }
}
}  // namespace

bool CompareValues(int32_t type, const TData& a, const TData& b) {
  switch (a.kind & ~KindForward) {
    case KindInteger: return Holds(type, a.integer, AsInteger(b));
    case KindReal: return Holds(type, a.real, AsReal(b));
    case KindString: {
      const std::string other = AsText(b);
      if (type == CompareEqual) return a.text == other;
      if (type == CompareNotEqual) return a.text != other;
      return Holds(type, a.text.size(), other.size());
    }
    default: return false;
  }
}

void TKXIf_else::doCompare(TData& value, uint16_t) {
  // Reading the inputs may consume the arriving record, yet it is what travels on.
  const TData arrived = value;
  TData a;
  TData b;
  InputValue(value, dataOp1, Op1, a);
  InputValue(value, dataOp2, Op2, b);
  const TEventLink& out = CompareValues(Type, a, b) ? onTrue : onFalse;
  if (out.Linked()) ForwardEvent(value, out, arrived);
}
