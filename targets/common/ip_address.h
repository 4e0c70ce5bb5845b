// Whether a text is an IP address a hosts file can map names to: IPv4 in dotted decimal
// ("127.0.0.1", no part above 255, no leading zeros, which some systems read as octal) or
// IPv6 in its text form ("::1", "fe80::1", "::ffff:127.0.0.1"). Nothing around it: no
// blanks, no zone ("%eth0"), no mask.
#pragma once

#include <string_view>

bool IsIpAddress(std::string_view text);
