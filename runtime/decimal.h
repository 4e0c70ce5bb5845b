// Reading a well-formed decimal number ("-12.5e3") with "." as its point whatever the process
// locale says: a GUI toolkit may switch the C library to the user's locale, where the point
// can be a comma. Numbers are written with std::to_chars, which never looks at the locale.
#pragma once

#include <string>

// As strtod in the "C" locale: out-of-range values become infinity or zero.
double ReadDecimal(const std::string& text);
