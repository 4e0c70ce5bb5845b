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

// A line longer than this is shown cut in a row of a list; painting a megabyte per row would
// stall the view.
inline constexpr size_t kShownItemBytes = 4096;

// What a row of a list shows of an item: its first kShownItemBytes by the display rule.
// Whether it reads as UTF-8 is decided up to the end of the character the cut tears, and a
// torn UTF-8 character is left out rather than shown as Windows-1251.
std::wstring ShownItemText(std::string_view item);

}  // namespace widgets
