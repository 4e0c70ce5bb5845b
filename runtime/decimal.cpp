// The one "C" locale of the process, made on first use and kept to the end.
#include "runtime/decimal.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

double ReadDecimal(const std::string& text) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(text.c_str(), nullptr, c_locale);
}
