// Conversion between the program's bytes and the strings of the Qt widgets: texts in
// Windows-1251 or in UTF-8, shown by the rule of runtime/platform/code_page.h.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace widgets {

// A text as a control shows it: bytes that read as UTF-8 (well formed, with a byte above
// 0x7F) as UTF-8, every other text as Windows-1251.
QString DecodeText(std::string_view bytes);

// What the user typed: Windows-1251 when every character fits and the bytes cannot be taken
// for UTF-8, UTF-8 otherwise; DecodeText shows it again as typed.
std::string EncodeTyped(const QString& text);

// The bytes behind what a control shows, given the bytes the program last set into it
// (widgets/shown_text.h).
std::string BytesOfShown(const QString& shown, std::string_view set);

}  // namespace widgets
