// TKXArrayEnum: walks every item of an array value, first to last or backwards, firing once per item.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXArrayEnum : public TKXObject {
 public:
  int32_t Direction = 0;  // 0: first to last; anything else: last to first

  TEventLink dataArray;
  TEventLink onItem;
  TEventLink onEndEnum;

  void doEnum(TData& value, uint16_t index);
  // Ends a running walk once the current onItem handler has returned.
  void doStop(TData& value, uint16_t index);

  void varItem(TData& result, uint16_t index);
  void varIndex(TData& result, uint16_t index);

 private:
  bool stop_ = false;
  TData item_;  // empty until the first item is handed out
  TData index_;
};
