// The resolver files the program writes for DNS servers, line by line, exactly as it writes
// them. The side that writes with the system's permission judges every file it would put in a
// server's folder by this grammar, and the exporters' tests run it over what they write, so
// that the two never drift apart: a server reads more than names to block from such a file
// (dnsmasq runs the scripts its configuration names, Unbound and BIND include other files),
// and nothing but the program's own lines may reach it that way.
//
// A file of each format is its first line, the program's mark ("# Created with Veltrane: ",
// ";" for a zone), then only these lines (NAME: a domain name as the program writes it, lower
// case ASCII, A-labels for internationalised names, two labels or more):
// - comment lines of printable ASCII starting with the format's comment mark, empty lines;
// - dnsmasq: `address=/NAME/` (blocked), `server=/NAME/#` (left to the usual servers);
// - Unbound: one `server:` before its entries, `local-zone: "NAME." always_nxdomain` and
//   `local-zone: "NAME." transparent`, indented by blanks or not;
// - a response policy zone: the head `$TTL N`, `@ IN SOA localhost. hostmaster.localhost.`
//   with five numbers, `@ IN NS localhost.`, once each and in that order, then
//   `NAME CNAME .` and `NAME CNAME rpz-passthru.`, NAME bare or behind "*.".
// Lines end with LF or CR LF; a CR anywhere else is no line end any server agrees on.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// The DNS servers' formats a resolver file in a server's folder may have.
enum class ResolverGrammar { Dnsmasq, Unbound, Rpz };

// Where a content stops being a file of the format: `line` is the first line (counted from 1)
// that is no line the program writes, with `why`; 0 when the whole content is such a file.
struct GrammarVerdict {
  size_t line = 0;
  std::string_view why;
  bool Fits() const { return line == 0; }
};

GrammarVerdict JudgeResolverFile(ResolverGrammar format, std::string_view content);

}  // namespace platform
