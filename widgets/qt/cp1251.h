// Conversion between the program's single-byte text (Windows-1251) and the strings of the Qt widgets.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace widgets {

// Every byte maps to exactly one character; the unassigned byte 0x98 becomes U+0098,
// so any byte string comes back unchanged from EncodeCp1251(DecodeCp1251(bytes)).
QString DecodeCp1251(std::string_view bytes);

// Characters the code page cannot express become "?" (one per character, also for
// those outside the basic plane).
std::string EncodeCp1251(const QString& text);

}  // namespace widgets
