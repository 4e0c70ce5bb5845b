// Decimal numbers read with "." as the decimal point, whatever locale the window system
// has set for the process.
#pragma once

namespace platform {

// strtod in the "C" locale.
double StrtodC(const char* text, char** end = nullptr);

}  // namespace platform
