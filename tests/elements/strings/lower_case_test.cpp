// Lower-casing: UTF-8 names by Unicode's simple lower case, every other text byte by byte in
// Windows-1251. The scenario start_up_correction_lowers_utf8_names_as_utf8_and_others_in_windows_1251
// shows the common letters of both; these are the letters and bytes it does not meet.
#include <gtest/gtest.h>

#include <string>

#include "elements/strings/str_case.h"

namespace {

using namespace std::string_literals;

TEST(LowerCaseText, utf8_by_unicode_simple_lower_case_and_other_texts_by_windows_1251) {
  struct Case {
    std::string text, lower;
  };
  const Case cases[] = {
      {"\xD0\x81\xD0\x9B\xD0\x9A\xD0\x90.RU", "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0.ru"},  // ЁЛКА.RU: Ё lies outside А-Я
      {"\xCE\x9F\xCE\x94\xCE\x9F\xCE\xA3", "\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x83"},  // ΟΔΟΣ: simple σ, no final ς
      {"I\xC5\x9EIK.TR", "i\xC5\x9Fik.tr"},                                      // IŞIK: dotless I is not asked for
      {"\xC8\xBA"
       "A",
       "\xE2\xB1\xA5"
       "a"},                                                                       // Ⱥ to ⱥ grows a byte
      {"\xF0\x90\x90\x80.\xF0\x9F\x98\x80", "\xF0\x90\x90\xA8.\xF0\x9F\x98\x80"},  // Deseret 𐐀 to 𐐨; the emoji stays
      {"A\0\xC3\x89"s, "a\0\xC3\xA9"s},                                            // NUL is no obstacle
      // Windows-1251: the ends of A-Z and C0-DF, Yo (A8); the other capitals of the code page stay.
      {"@AZ[`az{ \xA7\xA8\xA9 \xBF\xC0\xDF\xE0\xFF\0X"s, "@az[`az{ \xA7\xB8\xA9 \xBF\xE0\xFF\xE0\xFF\0x"s},
      {"\x80\x81\x8A\xAA\xAF\xB2\xBD", "\x80\x81\x8A\xAA\xAF\xB2\xBD"},
  };
  for (const Case& c : cases) EXPECT_EQ(LowerCaseText(c.text), c.lower) << ::testing::PrintToString(c.text);
}

}  // namespace
