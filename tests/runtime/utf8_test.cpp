// Which bytes are UTF-8: every code point both ways, and the sequences just outside.
#include "runtime/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf8, overlong_surrogate_truncated_and_too_large_sequences_are_not_well_formed) {
  for (const std::string bytes : {
           "\x80",              // a lone continuation byte
           "\xC0\xAF",          // "/" in two bytes
           "\xE0\x9F\xBF",      // U+07FF in three bytes
           "\xF0\x8F\xBF\xBF",  // U+FFFF in four bytes
           "\xED\xA0\x80",      // the surrogate U+D800
           "\xF4\x90\x80\x80",  // U+110000
           "\xFF",
           "\xD0",                      // cut after the lead
           "\xCF\xF0\xE8\xEC\xE5\xF0",  // Windows-1251 "Пример"
       }) {
    EXPECT_FALSE(IsWellFormedUtf8(bytes)) << ::testing::PrintToString(bytes);
  }
}

TEST(Utf8, every_code_point_is_encoded_in_its_shortest_form_as_well_formed_utf8_and_decoded_back) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string bytes;
    AppendUtf8(bytes, c);
    ASSERT_EQ(bytes.size(), Utf8Length(c)) << uint32_t(c);
    ASSERT_TRUE(IsWellFormedUtf8(bytes)) << uint32_t(c);
    ASSERT_EQ(Utf8SequenceAt(bytes, 0), bytes.size()) << uint32_t(c);
    ASSERT_EQ(uint32_t(DecodeUtf8(bytes, 0, bytes.size())), uint32_t(c));
  }
}

}  // namespace
