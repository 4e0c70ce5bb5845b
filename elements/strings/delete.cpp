// Cutting a range out of a text.
#include "elements/strings/delete.h"

std::string DeleteRange(std::string text, int32_t position, int32_t count) {
  if (position < 1 || count <= 0 || static_cast<size_t>(position) > text.size()) return text;
  text.erase(static_cast<size_t>(position) - 1, static_cast<size_t>(count));
  return text;
}

void TKXDelete::doDelete(TData& value, uint16_t) {
  std::string s = InputText(value, dataStr, std::string());
  if (s.empty()) return;
  const int32_t p = InputInteger(value, dataPosition, Position);
  const int32_t n = InputInteger(value, dataCount, Count);
  FireEvent(onDelete, DeleteRange(std::move(s), p, n));
}
