#include "runtime/lines.h"

#include <cstring>

namespace {

size_t Find(std::string_view text, size_t from, size_t to, char c) {
  const void* at = std::memchr(text.data() + from, c, to - from);
  return at ? size_t(static_cast<const char*>(at) - text.data()) : std::string_view::npos;
}

// The first line break at or after `from`, or npos. For any break: the next LF, unless a
// CR comes before it (both searched with memchr, which is many times faster than a
// byte-by-byte scan for either of two bytes). `lf` keeps the next LF found, so that a text
// whose lines end in CR alone is not searched to its end for an LF at every line.
size_t FindBreak(std::string_view text, size_t from, LineBreaks breaks, size_t& lf) {
  if (breaks == LineBreaks::CrOrCrLf) return Find(text, from, text.size(), '\r');
  if (lf != std::string_view::npos && lf < from) lf = Find(text, from, text.size(), '\n');
  const size_t cr = Find(text, from, lf == std::string_view::npos ? text.size() : lf, '\r');
  return cr != std::string_view::npos ? cr : lf;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text, LineBreaks breaks) {
  const void* nul = std::memchr(text.data(), 0, text.size());
  if (nul) text = text.substr(0, size_t(static_cast<const char*>(nul) - text.data()));

  std::vector<std::string> lines;
  size_t start = 0;
  size_t lf = breaks == LineBreaks::Any ? Find(text, 0, text.size(), '\n') : std::string_view::npos;
  while (start < text.size()) {
    const size_t end = FindBreak(text, start, breaks, lf);
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
