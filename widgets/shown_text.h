// What a control of a window that shows texts by the display rule (runtime/platform/code_page.h:
// UTF-8 as UTF-8, any other text as Windows-1251) gives back when the program reads it.
#pragma once

#include <string>
#include <string_view>

namespace widgets {

// The bytes behind what a control shows, given the bytes the program last set into it. Shown
// unchanged, they are those very bytes, whichever code page they read in: a text in UTF-8 and
// one in Windows-1251 may show alike. Changed by the user, a text that came as UTF-8 stays
// UTF-8; any other becomes typed text (platform::TextFromWide).
std::string BytesOfShownText(std::wstring_view shown, std::string_view set);

}  // namespace widgets
