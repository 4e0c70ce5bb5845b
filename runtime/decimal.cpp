#include "runtime/decimal.h"

#include "runtime/platform/c_number.h"

double ReadDecimal(const std::string& text) { return platform::StrtodC(text.c_str()); }
