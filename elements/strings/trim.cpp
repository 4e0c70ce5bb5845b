// Trimming of blanks and control bytes.
#include "elements/strings/trim.h"

namespace {
// NUL is not trimmed: it is an ordinary byte of the text here.
bool IsBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 1 && b <= 32;
}
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void TKXTrim::doTrim(TData& value, uint16_t) {
  const std::string s = InputText(value, dataStr, std::string());
  FireEvent(onTrim, std::string(TrimBlanks(s)));
}
