// TKXStrCase: changes the case of a text, byte by byte, in the Windows-1251 code page.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

enum TCaseType : int32_t {
  CaseLower = 0,  // the only conversion the program needs; every Type converts to lower case
};

// A-Z, the Cyrillic capitals 192-223 and Yo (168) to their small letters; other bytes stay.
std::string LowerCaseText(std::string text);

class TKXStrCase : public TKXObject {
 public:
  int32_t Type = CaseLower;

  TEventLink dataStr;
  TEventLink onResult;

  void doConvert(TData& value, uint16_t index);
};
