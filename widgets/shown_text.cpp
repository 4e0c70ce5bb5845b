#include "widgets/shown_text.h"

#include "runtime/platform/code_page.h"
#include "runtime/utf8.h"

namespace widgets {

std::string BytesOfShownText(std::wstring_view shown, std::string_view set) {
  if (shown == platform::WideFromText(set)) return std::string(set);
  if (IsNonAsciiUtf8(set)) return platform::Utf8FromWide(shown);
  return platform::TextFromWide(shown);
}

namespace {
bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::wstring ShownItemText(std::string_view item) {
  if (item.size() <= kShownItemBytes) return platform::WideFromText(item);
  size_t end = kShownItemBytes;
  while (end < item.size() && end < kShownItemBytes + 3 && Continues(item[end])) ++end;
  if (!IsNonAsciiUtf8(item.substr(0, end))) return platform::WideFromText(item.substr(0, kShownItemBytes));
  size_t cut = kShownItemBytes;
  while (cut > 0 && Continues(item[cut])) --cut;
  return platform::WideFromText(item.substr(0, cut));
}

}  // namespace widgets
