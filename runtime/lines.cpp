#include "runtime/lines.h"

#include <cstring>

namespace {

size_t Find(std::string_view text, size_t from, size_t to, char c) {
  const void* at = std::memchr(text.data() + from, c, to - from);
  return at ? size_t(static_cast<const char*>(at) - text.data()) : std::string_view::npos;
}

}  // namespace

namespace lines_detail {

std::string_view UpToNul(std::string_view text) {
  const void* nul = std::memchr(text.data(), 0, text.size());
  return nul ? text.substr(0, size_t(static_cast<const char*>(nul) - text.data())) : text;
}

size_t FirstLf(std::string_view text, LineBreaks breaks) {
  return breaks == LineBreaks::Any ? Find(text, 0, text.size(), '\n') : std::string_view::npos;
}

// For any break: the next LF, unless a CR comes before it (both searched with memchr, which
// is many times faster than a byte-by-byte scan for either of two bytes). `lf` keeps the next
// LF found, so that a text whose lines end in CR alone is not searched to its end for an LF
// at every line.
size_t FindBreak(std::string_view text, size_t from, LineBreaks breaks, size_t& lf) {
  if (breaks == LineBreaks::CrOrCrLf) return Find(text, from, text.size(), '\r');
  if (lf != std::string_view::npos && lf < from) lf = Find(text, from, text.size(), '\n');
  const size_t cr = Find(text, from, lf == std::string_view::npos ? text.size() : lf, '\r');
  return cr != std::string_view::npos ? cr : lf;
}

}  // namespace lines_detail

std::vector<std::string> SplitLines(std::string_view text, LineBreaks breaks) {
  std::vector<std::string> lines;
  EachLineOf(text, breaks, [&](size_t from, size_t size) { lines.emplace_back(text.substr(from, size)); });
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
