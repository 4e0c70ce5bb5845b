// Locale-free numbers (ASCII case folding: the profile engine's tests).
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "runtime/decimal.h"

namespace {

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
