// TKXFor: a counted loop from a start to an end value, firing once per step.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXFor : public TKXObject {
 public:
  int32_t Start = 0;
  int32_t End = 0;
  int32_t Step = 1;
  bool IncludeEnd = false;  // cleared: a rising loop from 0 with end n runs 0 .. n-1
  bool TakeInput = false;   // cleared: the value arriving with doFor is dropped, so Start and End apply

  TEventLink dataStart;
  TEventLink dataEnd;
  TEventLink onEvent;
  TEventLink onStop;

  void doFor(TData& value, uint16_t index);
  // Ends the running loop once the current onEvent handler has returned.
  void doStop(TData& value, uint16_t index);
  void varCounter(TData& result, uint16_t index);

 private:
  // Wider than the values they hold, so that a loop up to the largest integer still ends.
  int64_t counter_ = 0;
  int64_t end_ = 0;
};
