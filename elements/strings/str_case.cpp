// Lower-casing of single-byte text.
#include "elements/strings/str_case.h"

#include "runtime/text_case.h"

std::string LowerCaseText(std::string text) {
  for (char& c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 192 && b <= 223) {
      c = static_cast<char>(b + 32);  // the Cyrillic capitals
    } else if (b == 168) {
      c = static_cast<char>(184);     // Yo
    } else {
      c = FoldAscii(c);
    }
  }
  return text;
}

void TKXStrCase::doConvert(TData& value, uint16_t) {
  FireEvent(onResult, LowerCaseText(InputText(value, dataStr, std::string())));
}
