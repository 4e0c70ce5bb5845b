#include "widgets/shown_text.h"

#include "runtime/platform/code_page.h"
#include "runtime/utf8.h"

namespace widgets {

std::string BytesOfShownText(std::wstring_view shown, std::string_view set) {
  if (shown == platform::WideFromText(set)) return std::string(set);
  if (IsNonAsciiUtf8(set)) return platform::Utf8FromWide(shown);
  return platform::TextFromWide(shown);
}

}  // namespace widgets
