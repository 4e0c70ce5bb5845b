// UTF-8 as the program meets it in lists and settings written by today's editors: which
// byte strings are UTF-8, and code points in and out of it. Every other text is taken as
// Windows-1251, so a text counts as UTF-8 only when it is well formed throughout.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length of the well-formed sequence that starts at `at` (1 to 4), or 0 when none
// does there: no overlong forms, no surrogates, nothing above U+10FFFF.
size_t Utf8SequenceAt(std::string_view bytes, size_t at);

bool IsWellFormedUtf8(std::string_view bytes);

// Well-formed UTF-8 with at least one byte above 0x7F: a text the program reads as UTF-8.
// Pure ASCII reads the same in both code pages and is not counted.
bool IsNonAsciiUtf8(std::string_view bytes);

// The code point of the well-formed sequence of `length` bytes at `at`.
inline char32_t DecodeUtf8(std::string_view bytes, size_t at, size_t length) {
  const auto b = [&](size_t i) { return char32_t(static_cast<unsigned char>(bytes[at + i])); };
  switch (length) {
    case 1: return b(0);
    case 2: return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3: return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    default: return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
  }
}

// The number of bytes UTF-8 takes for `c` (a code point up to U+10FFFF).
constexpr size_t Utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

// Writes `c` at `out` (room for Utf8Length(c) bytes) and returns the place behind it.
inline char* EncodeUtf8(char32_t c, char* out) {
  const auto put = [&out](char32_t byte) { *out++ = static_cast<char>(byte); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
  }
  return out;
}
void AppendUtf8(std::string& text, char32_t c);
