// Lower-casing of texts: ASCII in one pass, the rest by the code page the text reads in.
#include "elements/strings/str_case.h"

#include <string_view>

#include "elements/strings/simple_lower_case.h"
#include "runtime/text_case.h"
#include "runtime/utf8.h"

namespace {

char Lower1251(unsigned char b) {
  if (b >= 192 && b <= 223) return static_cast<char>(b + 32);  // the Cyrillic capitals
  if (b == 168) return static_cast<char>(184);                 // Yo
  return static_cast<char>(FoldAscii(b));
}

// The rest of a text from `at` on, once a letter is met whose lower case takes more bytes
// than it does (Ⱥ to ⱥ): appended to a copy.
std::string LowerUtf8Growing(std::string lowered, std::string_view text, size_t at) {
  while (at < text.size()) {
    const size_t length = Utf8SequenceAt(text, at);
    AppendUtf8(lowered, SimpleLowerCase(DecodeUtf8(text, at, length)));
    at += length;
  }
  return lowered;
}

// A well-formed UTF-8 text from `at` on (everything before is lowered ASCII). In place: a
// lower case as long as its capital or shorter (İ to i) never overtakes the reading.
std::string LowerUtf8(std::string text, size_t at) {
  size_t write = at;
  while (at < text.size()) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) {
      text[write++] = static_cast<char>(FoldAscii(b));
      ++at;
      continue;
    }
    const size_t length = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;  // well formed: the lead says it
    const char32_t lower = SimpleLowerCase(DecodeUtf8(text, at, length));
    if (Utf8Length(lower) > length) return LowerUtf8Growing(text.substr(0, write), text, at);
    write = static_cast<size_t>(EncodeUtf8(lower, text.data() + write) - text.data());
    at += length;
  }
  text.resize(write);
  return text;
}

}  // namespace

bool IsPlainLowerCase(std::string_view text) {
  for (const char c : text)
    if ((c >= 'A' && c <= 'Z') || (static_cast<unsigned char>(c) & 0x80)) return false;
  return true;
}

std::string LowerCaseText(std::string text) {
  const size_t size = text.size();
  size_t at = 0;
  // Nearly every record is plain ASCII: that path stays one loop over the bytes.
  for (; at < size; ++at) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b >= 0x80) break;
    text[at] = static_cast<char>(FoldAscii(b));
  }
  if (at == size) return text;
  if (IsWellFormedUtf8(std::string_view(text).substr(at))) return LowerUtf8(std::move(text), at);
  for (; at < size; ++at) text[at] = Lower1251(static_cast<unsigned char>(text[at]));
  return text;
}

void TKXStrCase::doConvert(TData& value, uint16_t) {
  FireEvent(onResult, LowerCaseText(InputText(value, dataStr, std::string())));
}
