// TKXCounter: a counter that steps up or down between Min and Max and wraps around.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXCounter : public TKXObject {
 public:
  int32_t Min = 0;
  int32_t Max = 10;
  int32_t Step = 1;
  int32_t Type = 0;  // 0: count up; 1: count down

  TEventLink onNext;

  void doNext(TData& value, uint16_t index);
  void doReset(TData& value, uint16_t index);
  void varCount(TData& result, uint16_t index);

 private:
  int32_t count_ = 0;
};
