// Splitting a text at a character.
#include "elements/strings/str_part.h"

void TKXStrPart::doSplit(TData& value, uint16_t) {
  if (Char.empty()) return;
  std::string s = InputText(value, dataStr, std::string());
  const size_t at = s.find(Char[0]);
  if (at == std::string::npos) {
    FireEvent(onNotFound, std::move(s));
    return;
  }
  FireEvent(onSplit, s.substr(0, at));
  FireEvent(onPart, s.substr(at + 1));
}
