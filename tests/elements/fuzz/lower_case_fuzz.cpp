// libFuzzer harness for lower-casing: any bytes that are UTF-8 give well-formed UTF-8 that a
// second lowering leaves as it is, code point by code point as the mapping says; any other
// bytes give exactly the Windows-1251 rule, byte by byte.
// Build with the fuzz configuration (see the README, "Benchmarks and fuzzing").
#include <cstdint>
#include <cstdlib>
#include <string>

#include "elements/strings/simple_lower_case.h"
#include "elements/strings/str_case.h"
#include "runtime/utf8.h"

namespace {

std::string ByCodePoints(std::string_view text) {
  std::string lower;
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8SequenceAt(text, at);
    AppendUtf8(lower, SimpleLowerCase(DecodeUtf8(text, at, length)));
    at += length;
  }
  return lower;
}

std::string ByBytes(std::string text) {
  for (char& c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) c = static_cast<char>(b + 32);
    if (b == 0xA8) c = static_cast<char>(0xB8);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string lower = LowerCaseText(text);
  if (IsNonAsciiUtf8(text)) {
    if (lower != ByCodePoints(text) || !IsWellFormedUtf8(lower) || LowerCaseText(lower) != lower) std::abort();
  } else if (lower != ByBytes(text)) {
    std::abort();
  }
  return 0;
}
