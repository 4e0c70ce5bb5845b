// TKXDoData: turns an event into an event that carries a freshly read value.
#pragma once

#include "runtime/element.h"
#include "runtime/link.h"

class TKXDoData : public TKXObject {
 public:
  TData Data;  // used when dataData is unlinked; empty by default
  TEventLink dataData;
  TEventLink onEventData;

  void doData(TData& value, uint16_t index);
};
