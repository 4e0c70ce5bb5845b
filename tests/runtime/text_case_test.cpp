// Case folding and locale-free numbers: the text rules every part of the program shares.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "runtime/decimal.h"
#include "runtime/text_case.h"

namespace {

using namespace std::string_literals;

TEST(FoldAscii, lowers_a_to_z_only_and_keeps_the_neighbours_and_the_upper_half) {
  EXPECT_EQ(FoldedCopy("@AZ[`az{\xC0\xA8\xDF\0Q"s), "@az[`az{\xC0\xA8\xDF\0q"s);
  EXPECT_TRUE(FoldedEqual("Ads.COM", "aDS.com"));
  EXPECT_FALSE(FoldedEqual("\xC0", "\xE0"));  // Cyrillic capitals are not folded
  EXPECT_FALSE(FoldedEqual("[", "{"));        // nor the signs 32 apart
  EXPECT_FALSE(FoldedEqual("ab", "abc"));
}

TEST(ReadDecimal, reads_the_point_as_the_point_in_any_locale) {
  // A locale with a decimal comma, where one is installed; the "C" rules otherwise.
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  EXPECT_EQ(ReadDecimal("12.5e3"), 12500.0) << (comma ? "comma locale" : "C locale");
  EXPECT_EQ(ReadDecimal("-0.25"), -0.25);
  EXPECT_EQ(ReadDecimal("1e999"), HUGE_VAL);
  EXPECT_EQ(ReadDecimal("1e-999"), 0.0);
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
