// TKXStrCat: joins two texts.
#pragma once

#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXStrCat : public TKXObject {
 public:
  std::string Str1;  // default of dataStr1
  std::string Str2;  // default of dataStr2

  TEventLink dataStr1;
  TEventLink dataStr2;
  TEventLink onStrCat;

  // Pulls dataStr1, then dataStr2, and fires onStrCat with the two joined.
  void doStrCat(TData& value, uint16_t index);
};
