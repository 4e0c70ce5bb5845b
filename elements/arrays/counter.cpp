// The wrapping counter.
#include "elements/arrays/counter.h"

void TKXCounter::doNext(TData& value, uint16_t) {
  // Stepped in a wider type, so that a step past the integer range wraps to Min or Max instead of overflowing.
  if (Type == 0) {
    const int64_t next = int64_t(count_) + Step;
    count_ = next > Max ? Min : static_cast<int32_t>(next);
  } else {
    const int64_t next = int64_t(count_) - Step;
    count_ = next < Min ? Max : static_cast<int32_t>(next);
  }
  ForwardInteger(value, onNext, count_);
}

void TKXCounter::doReset(TData&, uint16_t) { count_ = Type == 0 ? Min : Max; }

void TKXCounter::varCount(TData& result, uint16_t) { result = MakeInteger(count_); }
