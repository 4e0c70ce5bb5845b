#include "runtime/lines.h"

#include <cstring>

std::vector<std::string> SplitLines(std::string_view text) {
  const void* nul = std::memchr(text.data(), 0, text.size());
  if (nul) text = text.substr(0, size_t(static_cast<const char*>(nul) - text.data()));

  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const void* cr = std::memchr(text.data() + start, '\r', text.size() - start);
    if (!cr) {
      lines.emplace_back(text.substr(start));
      break;
    }
    const size_t end = size_t(static_cast<const char*>(cr) - text.data());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (start < text.size() && text[start] == '\n') ++start;
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
