#include "targets/common/address_cleanup.h"

#include "elements/strings/trim.h"

namespace {

constexpr std::string_view kCloseTag = "</variable>";

bool IsRemoved(char c) {
  switch (c) {
    case '*':
    case '?':
    case '/':
    case '\\':
    case '[':
    case ']':
    case '(':
    case ')': return true;
    default: return false;
  }
}

// Dots off both ends, then the "." test.
std::optional<std::string> WithoutOuterDots(std::string_view text) {
  while (!text.empty() && text.front() == '.') text.remove_prefix(1);
  while (!text.empty() && text.back() == '.') text.remove_suffix(1);
  if (text.find('.') == std::string_view::npos) return std::nullopt;
  return std::string(text);
}

}  // namespace

// One pass gives what the steps give one after the other: each tag becomes a "." (which no
// later step removes), and the removed characters can neither make nor break a tag, since
// the tags are replaced first.
std::optional<std::string> CleanTaggedLine(std::string_view line, std::string_view tag) {
  std::string text;
  text.reserve(line.size());
  // A tag can start only where its first byte is.
  const char tag_start = tag.empty() ? kCloseTag.front() : tag.front();
  for (size_t i = 0; i < line.size();) {
    const char c = line[i];
    if (c != tag_start && c != kCloseTag.front()) {
      if (!IsRemoved(c)) text += c;
      ++i;
    } else if (!tag.empty() && line.compare(i, tag.size(), tag) == 0) {
      text += '.';
      i += tag.size();
    } else if (line.compare(i, kCloseTag.size(), kCloseTag) == 0) {
      text += '.';
      i += kCloseTag.size();
    } else {
      if (!IsRemoved(line[i])) text += line[i];
      ++i;
    }
  }
  return WithoutOuterDots(TrimBlanks(text));
}

std::optional<std::string> CleanSiteLine(std::string_view line) { return WithoutOuterDots(TrimBlanks(line)); }
