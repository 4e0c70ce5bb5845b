// TKXArrayRW: reads one item of an array value by index.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXArrayRW : public TKXObject {
 public:
  TData Index;  // empty: the index comes with doRead

  TEventLink dataArray;
  TEventLink dataIndex;
  TEventLink onRead;

  void doRead(TData& value, uint16_t index);
  void varItem(TData& result, uint16_t index);

 private:
  TData item_;  // the last item read; empty until a read succeeds
};
