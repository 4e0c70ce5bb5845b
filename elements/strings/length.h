// TKXLength: measures a text in bytes.
#pragma once

#include "runtime/element.h"
#include "runtime/link.h"

class TKXLength : public TKXObject {
 public:
  TEventLink dataStr;
  TEventLink onLength;

  void doLength(TData& value, uint16_t index);
};
