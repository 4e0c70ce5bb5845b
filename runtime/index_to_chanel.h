// TKXIndexToChanel: the index switch, which sends an event to the one output its index selects.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXIndexToChanel : public TKXObject {
 public:
  int32_t Count = 0;  // number of outputs
  TData Data;         // the value sent when dataData is unlinked; empty by default
  TEventLink dataData;
  TEventLink dataIndex;
  std::vector<TEventLink> onEvent;  // outputs 0 ... Count-1

  // Below 1 the count becomes 0 and the outputs stay as they were.
  void SetCount(int32_t n);

  void doEvent(TData& value, uint16_t index);
};
