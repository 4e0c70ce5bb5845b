// Lower-casing: UTF-8 names by Unicode's simple lower case, every other text byte by byte in
// Windows-1251, and ASCII alike in both.
#include <gtest/gtest.h>

#include <string>

#include "elements/strings/str_case.h"
#include "runtime/utf8.h"

namespace {

using namespace std::string_literals;

struct Case {
  std::string text;
  std::string lower;
};

TEST(LowerCaseText, utf8_names_are_lower_cased_by_unicode_and_stay_utf8) {
  const Case cases[] = {
      {"caf\xC3\xA9.fr", "caf\xC3\xA9.fr"},                          // café.fr stays
      {"CAF\xC3\x89.FR", "caf\xC3\xA9.fr"},                          // CAFÉ.FR
      {"\xD0\x9F\xD0\xA0\xD0\x98\xD0\x9C\xD0\x95\xD0\xA0.\xD0\xA0\xD0\xA4",  // ПРИМЕР.РФ
       "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84"},  // пример.рф
      {"\xD0\x81\xD0\x9B\xD0\x9A\xD0\x90.RU", "\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0.ru"},  // ЁЛКА.RU
      {"\xCE\x91\xCE\x98\xCE\x97\xCE\x9D\xCE\x91.GR", "\xCE\xB1\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xB1.gr"},  // ΑΘΗΝΑ.GR
      {"\xCE\x9F\xCE\x94\xCE\x9F\xCE\xA3", "\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x83"},  // ΟΔΟΣ: simple σ, no final ς
      {"\xC4\xB0STANBUL.COM.TR", "istanbul.com.tr"},                 // İ becomes a plain i: one byte less
      {"I\xC5\x9EIK.TR", "i\xC5\x9Fik.tr"},                          // IŞIK: dotless I is not asked for
      {"STRA\xC3\x9F" "E.DE", "stra\xC3\x9F" "e.de"},               // ß has no capital to lose
      {"STRA\xE1\xBA\x9E" "E.DE", "stra\xC3\x9F" "e.de"},           // capital ẞ, three bytes, to ß in two
      {"\xE2\x84\xAA" "ELVIN", "kelvin"},                            // the Kelvin sign to k
      {"\xC8\xBA" "A", "\xE2\xB1\xA5" "a"},                         // Ⱥ to ⱥ grows a byte
      {"\xF0\x90\x90\x80.\xF0\x9F\x98\x80", "\xF0\x90\x90\xA8.\xF0\x9F\x98\x80"},  // Deseret 𐐀 to 𐐨; the emoji stays
      {"WWW.Caf\xC3\xA9-\xC3\x89T\xC3\x89.Example.COM", "www.caf\xC3\xA9-\xC3\xA9t\xC3\xA9.example.com"},
      {"A\0\xC3\x89"s, "a\0\xC3\xA9"s},                              // NUL is no obstacle
  };
  for (const Case& c : cases) {
    const std::string lower = LowerCaseText(c.text);
    EXPECT_EQ(lower, c.lower) << ::testing::PrintToString(c.text);
    EXPECT_TRUE(IsWellFormedUtf8(lower)) << ::testing::PrintToString(c.text);
  }
}

// lower_case_fuzz checks both rules against a step-by-step reading of any bytes.
TEST(LowerCaseText, every_other_text_keeps_the_windows_1251_rule) {
  const Case cases[] = {
      {"\xCF\xD0\xC8\xCC\xC5\xD0.\xD0\xD4", "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4"},  // ПРИМЕР.РФ
      {"@AZ[`az{ \xA7\xA8\xA9 \xBF\xC0\xDF\xE0\xFF\0X"s, "@az[`az{ \xA7\xB8\xA9 \xBF\xE0\xFF\xE0\xFF\0x"s},
      {"\x80\x81\x8A\xAA\xAF\xB2\xBD", "\x80\x81\x8A\xAA\xAF\xB2\xBD"},  // the other capitals of the code page stay
      // Bytes that are no UTF-8; had they been taken for it, П (D0 9F) would have become п.
      {"\x80\xD0\x9F", "\x80\xF0\x9F"},                              // a lone continuation byte
      {"\xC0\xAF\xD0\x9F", "\xE0\xAF\xF0\x9F"},                      // "/" in two bytes (overlong)
      {"\xED\xA0\x80\xD0\x9F", "\xED\xA0\x80\xF0\x9F"},              // the surrogate U+D800
      {"\xF4\x90\x80\x80\xD0\x9F", "\xF4\x90\x80\x80\xF0\x9F"},      // above U+10FFFF
      {"\xD0\x9F\xD0", "\xF0\x9F\xF0"},                              // a sequence cut short at the end
      {"CAF\xC9.FR", "caf\xE9.fr"},                                  // one byte É, as Latin-1 writes it
  };
  for (const Case& c : cases) EXPECT_EQ(LowerCaseText(c.text), c.lower) << ::testing::PrintToString(c.text);
}

}  // namespace
