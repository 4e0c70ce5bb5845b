// TKXGetData: the data splitter, one source shared by several readers; every read pulls again.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXGetData : public TKXObject {
 public:
  int32_t Count = 0;  // readers shown in the wiring; nothing at run time reads it
  TEventLink dataData;

  void varData(TData& value, uint16_t index);
};
