// The counted loop. The end lives in the element and is compared anew on every pass,
// which is how doStop, called from inside a step, ends the loop.
#include "elements/arrays/for.h"

void TKXFor::doFor(TData& value, uint16_t) {
  if (!TakeInput) value.Clear();
  const int32_t start = InputInteger(value, dataStart, Start);
  end_ = InputInteger(value, dataEnd, End);
  if (!IncludeEnd) end_ -= Step;
  counter_ = start;
  if (Step >= 1) {
    while (counter_ <= end_) {
      FireEvent(onEvent, static_cast<int32_t>(counter_));
      counter_ += Step;
    }
  } else if (Step < 0) {
    while (counter_ >= end_) {
      FireEvent(onEvent, static_cast<int32_t>(counter_));
      counter_ += Step;
    }
  }
  ForwardInteger(value, onStop, static_cast<int32_t>(counter_));
}

void TKXFor::doStop(TData&, uint16_t) { end_ = counter_; }

void TKXFor::varCounter(TData& result, uint16_t) { result = MakeInteger(static_cast<int32_t>(counter_)); }
