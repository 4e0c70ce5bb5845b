// The wildcard test of file searches, without exponential backtracking.
#include "elements/files/mask_match.h"

#include "runtime/text_case.h"

namespace {

bool OneMatches(char name_char, char mask_char) {
  if (mask_char == '?') return true;
  if (mask_char == '#') return name_char >= '0' && name_char <= '9';
  return FoldAscii(name_char) == FoldAscii(mask_char);
}

}  // namespace

bool MaskMatches(std::string_view name, std::string_view mask) {
  // Only the most recent "*" ever needs to be retried: every other token takes exactly
  // one character, so letting an earlier "*" take more can never help a later token.
  constexpr size_t kNone = std::string_view::npos;
  size_t n = 0, m = 0;
  size_t star = kNone, resume = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      star = m++;
      resume = n;
    } else if (m < mask.size() && OneMatches(name[n], mask[m])) {
      ++n;
      ++m;
    } else if (star != kNone) {
      // The last "*" takes one character more, and the rest is tried again from there.
      m = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}
