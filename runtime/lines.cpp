#include "runtime/lines.h"

#include <cstring>

namespace {

// The first line break at or after `from`, or npos.
size_t FindBreak(std::string_view text, size_t from, LineBreaks breaks) {
  if (breaks == LineBreaks::CrOrCrLf) return text.find('\r', from);
  return text.find_first_of("\r\n", from);
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text, LineBreaks breaks) {
  const void* nul = std::memchr(text.data(), 0, text.size());
  if (nul) text = text.substr(0, size_t(static_cast<const char*>(nul) - text.data()));

  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = FindBreak(text, start, breaks);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}
