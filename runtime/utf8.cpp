// Well-formedness by the table of valid byte ranges: the second byte's range depends on the first.
#include "runtime/utf8.h"

namespace {
bool Continues(unsigned char b, unsigned char low = 0x80, unsigned char high = 0xBF) { return b >= low && b <= high; }
}  // namespace

size_t Utf8SequenceAt(std::string_view bytes, size_t at) {
  const size_t left = bytes.size() - at;
  const auto b = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  const unsigned char lead = b(0);
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // a continuation byte, or the lead of an overlong pair
  if (lead < 0xE0) return left >= 2 && Continues(b(1)) ? 2 : 0;
  if (lead < 0xF0) {
    // E0 would be overlong below A0; ED above 9F would be a surrogate.
    const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    return left >= 3 && Continues(b(1), low, high) && Continues(b(2)) ? 3 : 0;
  }
  if (lead < 0xF5) {
    // F0 would be overlong below 90; F4 above 8F would pass U+10FFFF.
    const unsigned char low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    return left >= 4 && Continues(b(1), low, high) && Continues(b(2)) && Continues(b(3)) ? 4 : 0;
  }
  return 0;
}

bool IsWellFormedUtf8(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const size_t length = Utf8SequenceAt(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool IsNonAsciiUtf8(std::string_view bytes) {
  size_t at = 0;
  while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
  return at < bytes.size() && IsWellFormedUtf8(bytes.substr(at));
}

void AppendUtf8(std::string& text, char32_t c) {
  char bytes[4];
  text.append(bytes, EncodeUtf8(c, bytes));
}
