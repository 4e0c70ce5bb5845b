// Which bytes are UTF-8: the boundaries of the well-formed ranges, and code points both ways.
#include "runtime/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(Utf8, well_formed_texts_are_told_from_overlong_surrogate_truncated_and_too_large_ones) {
  struct Case {
    std::string bytes;
    bool well_formed;
  } cases[] = {
      {"", true},
      {"site.com\0x"s, true},
      {"caf\xC3\xA9", true},
      {"\xC2\x80 \xDF\xBF", true},                  // the first and last two-byte characters
      {"\xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80", true},  // U+0800, below the surrogates, above them
      {"\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", true},  // U+10000 and U+10FFFF
      {"\x80", false},                              // a lone continuation byte
      {"\xC0\xAF", false},                          // "/" in two bytes
      {"\xE0\x9F\xBF", false},                      // U+07FF in three bytes
      {"\xF0\x8F\xBF\xBF", false},                  // U+FFFF in four bytes
      {"\xED\xA0\x80", false},                      // the surrogate U+D800
      {"\xF4\x90\x80\x80", false},                  // U+110000
      {"\xFF", false},
      {"\xD0", false},                              // cut after the lead
      {"\xD0\x41", false},                          // a lead followed by no continuation
      {"\xCF\xF0\xE8\xEC\xE5\xF0", false},          // Windows-1251 "Пример"
  };
  for (const Case& c : cases) EXPECT_EQ(IsWellFormedUtf8(c.bytes), c.well_formed) << ::testing::PrintToString(c.bytes);
}

TEST(Utf8, every_code_point_is_encoded_in_its_shortest_form_and_decoded_back) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string bytes;
    AppendUtf8(bytes, c);
    ASSERT_EQ(bytes.size(), Utf8Length(c)) << uint32_t(c);
    ASSERT_EQ(Utf8SequenceAt(bytes, 0), bytes.size()) << uint32_t(c);
    ASSERT_EQ(uint32_t(DecodeUtf8(bytes, 0, bytes.size())), uint32_t(c));
  }
}

}  // namespace
