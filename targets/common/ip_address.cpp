#include "targets/common/ip_address.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool IsIpv4(std::string_view text) {
  int parts = 0;
  size_t i = 0;
  for (;;) {
    const size_t start = i;
    unsigned value = 0;
    while (i < text.size() && IsDigit(text[i]) && i - start < 3) value = value * 10 + unsigned(text[i++] - '0');
    const size_t digits = i - start;
    if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0')) return false;
    ++parts;
    if (i == text.size()) return parts == 4;
    if (text[i] != '.' || parts == 4) return false;
    ++i;
  }
}

// The groups of one side of an IPv6 address ("1:2:3"), or -1 when they are not groups; an
// IPv4 address at the end of the address counts as two.
int Groups(std::string_view side, bool ends_address) {
  if (side.empty()) return 0;
  int count = 0;
  for (size_t start = 0;;) {
    const size_t colon = side.find(':', start);
    const std::string_view group =
        side.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
    if (colon == std::string_view::npos && ends_address && group.find('.') != std::string_view::npos)
      return IsIpv4(group) ? count + 2 : -1;
    if (group.empty() || group.size() > 4) return -1;
    for (char c : group)
      if (!IsHexDigit(c)) return -1;
    ++count;
    if (colon == std::string_view::npos) return count;
    start = colon + 1;
  }
}

bool IsIpv6(std::string_view text) {
  const size_t gap = text.find("::");
  if (gap == std::string_view::npos) return Groups(text, true) == 8;
  if (text.find("::", gap + 1) != std::string_view::npos) return false;
  const int before = Groups(text.substr(0, gap), false), after = Groups(text.substr(gap + 2), true);
  return before >= 0 && after >= 0 && before + after <= 7;
}

}  // namespace

bool IsIpAddress(std::string_view text) {
  return text.find(':') == std::string_view::npos ? IsIpv4(text) : IsIpv6(text);
}
