// TKXStrPart: splits a text at the first occurrence of a character.
#pragma once

#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXStrPart : public TKXObject {
 public:
  std::string Char;  // only its first character is used; empty disables the element

  TEventLink dataStr;
  TEventLink onSplit;     // the part before the character
  TEventLink onPart;      // the part behind it, fired after onSplit
  TEventLink onNotFound;  // the whole text, when the character does not occur

  void doSplit(TData& value, uint16_t index);
};
