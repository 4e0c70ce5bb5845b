// Internationalised domain names in the ASCII form resolvers and hosts files compare:
// every label that is not plain ASCII becomes an A-label ("xn--" and punycode), after the
// Unicode mapping of IDNA (lower case, width and compatibility forms). On Linux this is
// libidn2 (UTS #46, non-transitional: "ß" stays "ß" and becomes its own A-label); on
// Windows the system's IdnToAscii (IDNA2003, as the system's own resolver looks names up).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// `utf8_name`, well-formed UTF-8, in its ASCII form; nothing when it is no domain name
// IDNA can express (a character it disallows, a label too long once encoded).
std::optional<std::string> AsciiDomainName(std::string_view utf8_name);
// The other way: a name with A-labels in its Unicode form, as UTF-8 ("xn--caf-dma.fr" to
// "café.fr"); nothing when a label is no valid A-label.
std::optional<std::string> UnicodeDomainName(std::string_view ascii_name);

}  // namespace platform
