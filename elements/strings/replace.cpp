// Replacing all occurrences of a substring.
#include "elements/strings/replace.h"

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  if (text.empty() || find.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text, from, at - from);
    out.append(with);
    from = at + find.size();
  }
  out.append(text, from);
  return out;
}

void TKXReplace::doReplace(TData& value, uint16_t) {
  const std::string s = InputText(value, dataStr, std::string());
  const std::string f = InputText(value, dataSubStr, SubStr);
  const std::string r = InputText(value, dataReplace, ReplaceWith);
  FireEvent(onReplace, ReplaceAll(s, f, r));
}
