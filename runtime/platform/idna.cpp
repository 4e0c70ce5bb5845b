#include "runtime/platform/idna.h"

#include <idn2.h>
#include <stdlib.h>

namespace platform {

std::optional<std::string> AsciiDomainName(std::string_view utf8_name) {
  const std::string input(utf8_name);  // libidn2 takes a NUL-terminated text
  if (input.find('\0') != std::string::npos) return std::nullopt;
  char* output = nullptr;
  if (idn2_to_ascii_8z(input.c_str(), &output, IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL) != IDN2_OK) {
    idn2_free(output);
    return std::nullopt;
  }
  std::string ascii(output);
  idn2_free(output);
  return ascii;
}

std::optional<std::string> UnicodeDomainName(std::string_view ascii_name) {
  const std::string input(ascii_name);
  if (input.find('\0') != std::string::npos) return std::nullopt;
  char* output = nullptr;
  if (idn2_to_unicode_8z8z(input.c_str(), &output, 0) != IDN2_OK) {
    idn2_free(output);
    return std::nullopt;
  }
  std::string unicode(output);
  idn2_free(output);
  return unicode;
}

}  // namespace platform
