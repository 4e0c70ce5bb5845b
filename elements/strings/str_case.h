// TKXStrCase: changes the case of a text; and the lower case the whole program gives its
// records and texts.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

enum TCaseType : int32_t {
  CaseLower = 0,  // the only conversion the program needs; every Type converts to lower case
};

// Lists come from editors that save UTF-8 and from older ones that saved Windows-1251, so a
// text is lowered by the code page it reads in. A text that is UTF-8 (well formed, with a byte
// above 0x7F) takes Unicode's simple lower case and stays well-formed UTF-8. Any other text
// keeps the Windows-1251 rule byte by byte: A-Z, the Cyrillic capitals 192-223 and Yo (168) to
// their small letters, every other byte as it is. ASCII is the same under both rules.
std::string LowerCaseText(std::string text);
// Whether LowerCaseText certainly leaves the text as it is: ASCII without capitals, as nearly
// every record is, so that the millions of them need no copy to be lowered.
bool IsPlainLowerCase(std::string_view text);

class TKXStrCase : public TKXObject {
 public:
  int32_t Type = CaseLower;

  TEventLink dataStr;
  TEventLink onResult;

  void doConvert(TData& value, uint16_t index);
};
