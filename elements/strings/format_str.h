// TKXFormatStr: fills the placeholders %1 .. %N of a mask with the texts of numbered data inputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXFormatStr : public TKXObject {
 public:
  std::string Mask;
  int32_t DataCount = 0;      // placeholders %1 .. %DataCount are filled; 0 fires Mask untouched
  bool SkipInserted = false;  // when false, placeholders inside inserted texts are filled too

  std::vector<TEventLink> dataStr;  // entry k - 1 serves %k
  TEventLink onFormat;

  // Set-up: sets DataCount and sizes dataStr to match. Call it before linking the inputs.
  void SetDataCount(int32_t count);

  void doFormat(TData& value, uint16_t index);
};
