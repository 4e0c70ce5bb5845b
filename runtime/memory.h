// TKXMemory: keeps one value inside a scheme and passes every stored value on.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXMemory : public TKXObject {
 public:
  TData Value;    // the value held
  TData Default;  // restored by doClear; empty unless the scheme sets it
  TEventLink onData;

  void doValue(TData& value, uint16_t index);
  void doClear(TData& value, uint16_t index);
  void varValue(TData& value, uint16_t index);
};
