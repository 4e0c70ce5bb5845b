// TKXTrim: strips blanks and control bytes from both ends of a text.
#pragma once

#include <string>
#include <string_view>

#include "runtime/element.h"
#include "runtime/link.h"

// The text without its leading and trailing bytes 1 to 32.
std::string_view TrimBlanks(std::string_view text);

class TKXTrim : public TKXObject {
 public:
  TEventLink dataStr;
  TEventLink onTrim;

  // Fires onTrim with the trimmed text, also when nothing is left of it.
  void doTrim(TData& value, uint16_t index);
};
