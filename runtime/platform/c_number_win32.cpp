#include "runtime/platform/c_number.h"

#include <locale.h>
#include <stdlib.h>

namespace platform {

double StrtodC(const char* text, char** end) {
  static const _locale_t c_locale = _create_locale(LC_ALL, "C");
  return _strtod_l(text, end, c_locale);
}

}  // namespace platform
