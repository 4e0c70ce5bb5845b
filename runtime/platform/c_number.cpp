#include "runtime/platform/c_number.h"

#include <locale.h>
#include <stdlib.h>

namespace platform {

double StrtodC(const char* text, char** end) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(text, end, c_locale);
}

}  // namespace platform
