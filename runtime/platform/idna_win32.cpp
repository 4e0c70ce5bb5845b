#include <windows.h>

#include <iterator>

#include "runtime/platform/code_page.h"
#include "runtime/platform/idna.h"

namespace platform {

std::optional<std::string> AsciiDomainName(std::string_view utf8_name) {
  if (utf8_name.empty() || utf8_name.find('\0') != std::string_view::npos) return std::nullopt;
  const std::wstring wide = WideFromText(utf8_name);
  wchar_t ascii[256];  // a longer name is no domain name
  const int length = IdnToAscii(0, wide.data(), int(wide.size()), ascii, int(std::size(ascii)));
  if (length <= 0) return std::nullopt;
  std::string name;
  for (int i = 0; i < length; ++i) {
    if (ascii[i] > 0x7F) return std::nullopt;
    name += char(ascii[i]);
  }
  return name;
}

std::optional<std::string> UnicodeDomainName(std::string_view ascii_name) {
  if (ascii_name.empty() || ascii_name.size() > 255 || ascii_name.find('\0') != std::string_view::npos)
    return std::nullopt;
  const std::wstring wide(ascii_name.begin(), ascii_name.end());
  wchar_t unicode[256];
  const int length = IdnToUnicode(0, wide.data(), int(wide.size()), unicode, int(std::size(unicode)));
  if (length <= 0) return std::nullopt;
  return Utf8FromWide(std::wstring_view(unicode, size_t(length)));
}

}  // namespace platform
