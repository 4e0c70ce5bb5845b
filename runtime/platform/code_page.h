// The program's text is bytes, in the Windows-1251 code page or in UTF-8. On Windows every
// file name that reaches the system goes through the wide API with the fixed Windows-1251
// conversion, so a name shows and opens the same file whatever the user's own ANSI code page
// is; the texts a window shows may follow the display rule below.
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

// The conversions above are for paths, which must name the same file on any system. The
// program's other texts (records, messages, captions) may be UTF-8, as today's editors save
// the lists, or Windows-1251, as older ones did; a window shows them by this rule: bytes that
// read as UTF-8 (well formed, with a byte above 0x7F, runtime/utf8.h) as UTF-8, every other
// text as Windows-1251. Pure ASCII is the same either way.
std::wstring WideFromText(std::string_view bytes);

// What the user typed, as the program's bytes: Windows-1251 when every character fits and
// the bytes do not read as UTF-8 (shown again they would be other characters); otherwise
// UTF-8, so that nothing turns into "?". Either way WideFromText gives the text back.
std::string TextFromWide(std::wstring_view text);

// The text as UTF-8; a lone surrogate half becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform
