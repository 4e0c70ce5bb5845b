// Records as names a resolver is asked for. A record whose text is not plain ASCII is an
// internationalised name: resolvers, and the system's own lookups through the hosts file,
// compare names in their ASCII form, so the name goes out as A-labels ("xn--...") or would
// never match. A record's bytes read as UTF-8 when they are UTF-8, otherwise as
// Windows-1251, as every text of the program does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The record in ASCII: plain ASCII stays exactly as it is; any other text becomes its IDNA
// form, in lower case. Nothing when IDNA cannot express it.
std::optional<std::string> AsciiName(std::string_view record);

// Reasons a record is no name a DNS server can block, for the left-out message.
inline constexpr std::string_view kIpAddressRecord = "holding an IP address, not a name";
inline constexpr std::string_view kNoHostNameRecord = "with characters no host name has";
inline constexpr std::string_view kTooLongRecord = "too long for a domain name";

// Why `name` (ASCII, lower case) is not a domain name to block together with every name
// below it: an IP address, a single label (blocking "com" would block a whole top-level
// domain), a character other than a to z, 0 to 9, "-" and "_", an empty label, a label over
// 63 characters or a name over 253. Empty when it is such a name.
std::string_view WhyNoDomainName(std::string_view name);

// Why `name` (ASCII) cannot stand in the hosts file, whose names the system's resolver looks
// up as DNS names: an IP address, a character other than letters, digits, "-" and "_", an
// empty label, a label over 63 characters or a name over 253. A single label is a host name
// (a machine of the local network), and letters may be in either case. Empty when it is one.
std::string_view WhyNoHostName(std::string_view name);

// The record as the DNS formats write it: its ASCII name in lower case, when that is a
// domain name to block; otherwise nothing, and `why` (when given) says why.
std::optional<std::string> BlockedDomainName(std::string_view record, std::string_view* why = nullptr);
