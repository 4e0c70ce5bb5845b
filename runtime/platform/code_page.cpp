// Windows-1251 both ways, by table: the system's own tables differ between versions and
// Wine in how they treat the unassigned byte.
#include "runtime/platform/code_page.h"

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/utf8.h"

namespace platform {
namespace {

// Bytes 0x80..0xBF; 0xC0..0xFF are the contiguous Cyrillic letters U+0410..U+044F.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

using Reverse = std::array<std::pair<char16_t, unsigned char>, 64>;

Reverse MakeReverse() {
  Reverse r{};
  for (size_t i = 0; i < kHighHalf.size(); ++i) r[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(r.begin(), r.end());
  return r;
}

int ByteOf(uint32_t c) {
  if (c < 0x80) return int(c);
  if (c >= 0x0410 && c <= 0x044F) return int(c - 0x0410 + 0xC0);
  static const Reverse reverse = MakeReverse();
  auto it =
      std::lower_bound(reverse.begin(), reverse.end(), std::make_pair(char16_t(c), static_cast<unsigned char>(0)));
  if (c <= 0xFFFF && it != reverse.end() && it->first == c) return it->second;
  return -1;
}

bool IsHighSurrogate(uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// wchar_t holds UTF-16 on Windows and UTF-32 elsewhere.
constexpr bool kUtf16 = sizeof(wchar_t) == 2;

void AppendWide(std::wstring& text, char32_t c) {
  if (kUtf16 && c > 0xFFFF) {
    c -= 0x10000;
    text.push_back(wchar_t(0xD800 + (c >> 10)));
    text.push_back(wchar_t(0xDC00 + (c & 0x3FF)));
  } else {
    text.push_back(wchar_t(c));
  }
}

// The character at `at` and how many wchar_t it takes; a lone surrogate half is U+FFFD.
char32_t CharacterAt(std::wstring_view text, size_t at, size_t& units) {
  const auto c = static_cast<uint32_t>(text[at]);
  units = 1;
  if (kUtf16 && IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(static_cast<uint32_t>(text[at + 1]))) {
    units = 2;
    return char32_t(0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(text[at + 1]) - 0xDC00));
  }
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0xFFFD;
  return char32_t(c);
}

}  // namespace

std::wstring WideFromText(std::string_view bytes) {
  if (!IsNonAsciiUtf8(bytes)) return WideFromBytes(bytes);
  std::wstring text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const size_t length = Utf8SequenceAt(bytes, at);
    AppendWide(text, DecodeUtf8(bytes, at, length));
    at += length;
  }
  return text;
}

std::string Utf8FromWide(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t at = 0, units = 0; at < text.size(); at += units) AppendUtf8(bytes, CharacterAt(text, at, units));
  return bytes;
}

std::string TextFromWide(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t at = 0, units = 0; at < text.size(); at += units) {
    const char32_t c = CharacterAt(text, at, units);
    const int b = c <= 0xFFFF ? ByteOf(c) : -1;
    if (b < 0) return Utf8FromWide(text);
    bytes.push_back(static_cast<char>(b));
  }
  return IsNonAsciiUtf8(bytes) ? Utf8FromWide(text) : bytes;
}

std::wstring WideFromBytes(std::string_view bytes) {
  std::wstring text(bytes.size(), L'\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    text[i] = wchar_t(b < 0x80 ? char16_t(b) : b < 0xC0 ? kHighHalf[b - 0x80] : char16_t(0x0410 + b - 0xC0));
  }
  return text;
}

std::string BytesFromWide(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<uint32_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<uint32_t>(text[i + 1]))) {
      ++i;  // one character outside the basic plane
      bytes.push_back('?');
      continue;
    }
    const int b = ByteOf(c);
    bytes.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return bytes;
}

}  // namespace platform
