// The program's text is single bytes in the Windows-1251 code page. On Windows every
// text that reaches the system (file names, window texts, dialogs) goes through the wide
// API with this fixed conversion, so a name shows and opens the same file whatever the
// user's own ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Every byte maps to exactly one character; the unassigned byte 0x98 becomes U+0098, so
// BytesFromWide(WideFromBytes(bytes)) == bytes for any bytes.
std::wstring WideFromBytes(std::string_view bytes);

// Characters the code page cannot express become "?" (one per character, a surrogate
// pair counting as one).
std::string BytesFromWide(std::wstring_view text);

}  // namespace platform
