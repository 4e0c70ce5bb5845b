// TKXDelete: cuts a range of characters out of a text.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

// `text` without the `count` characters from the 1-based `position` on; out-of-range requests remove nothing.
std::string DeleteRange(std::string text, int32_t position, int32_t count);

class TKXDelete : public TKXObject {
 public:
  int32_t Position = 0;  // default of dataPosition, 1-based
  int32_t Count = 0;     // default of dataCount; cut to the end of the text

  TEventLink dataStr;
  TEventLink dataPosition;
  TEventLink dataCount;
  TEventLink onDelete;

  // An empty text fires nothing, and then the position and count are not read either.
  void doDelete(TData& value, uint16_t index);
};
