// The five files the program writes for DNS resolvers, whole, as the program owns them:
// dnsmasq, Unbound, a response policy zone, an Adblock-style list and a plain list of
// domain names. Each starts with comment lines naming the program, the number of names and
// the date; its first line marks the file as the program's, so a direct write never
// replaces a file of someone else's.
//
// A listed name is blocked together with every name below it. Where the file decides the
// answer, it is NXDOMAIN ("no such domain"), the answer both servers' documentation gives
// for blocking a domain with its subdomains, for every record type:
// - dnsmasq, "address=/NAME/": an address line without an address returns NXDOMAIN for the
//   name and all its subdomains. The NULL address ("#", 0.0.0.0 and ::) would answer A and
//   AAAA only, forward every other type upstream, and, as dnsmasq's manual warns, send
//   clients to themselves, since 0.0.0.0 works like localhost.
// - Unbound, `local-zone: "NAME." always_nxdomain`: NXDOMAIN for the zone and every name in it.
// - A response policy zone, "NAME CNAME ." and "*.NAME CNAME .": the NXDOMAIN action, for
//   the name and, by the wildcard, every name below it.
// - The Adblock-style list ("||NAME^") and the domain list leave the answer to the program
//   that reads them (AdGuard Home and Pi-hole answer by their own blocking mode).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/platform/clock.h"
#include "targets/common/config_scan.h"
#include "targets/common/line_sink.h"
#include "targets/target_catalog.h"

// The comment lines, and what the format needs before its entries (Unbound's "server:",
// the zone's $TTL, SOA and NS records). `names` is the number of entries that follow.
void PutResolverHead(TLineSink& sink, TargetId format, size_t names, const platform::LocalTime& when);

// The lines that block `name` (ASCII, lower case, a domain name of two labels or more).
// `below_exception`: a name never to block stands above it, whose Adblock-style exception
// would win over a plain rule ("||NAME^$important" wins over it).
void PutResolverEntry(TLineSink& sink, TargetId format, std::string_view name, bool below_exception = false);

// The comment line before the exceptions, and the lines that leave `name` to the usual
// servers (with `whole_domain`, every name below it too, where the format tells the two
// apart: a policy zone, whose wildcard blocks them otherwise). Not for the domain list,
// which holds no exception.
void PutResolverExceptionHead(TLineSink& sink, TargetId format);
void PutResolverException(TLineSink& sink, TargetId format, std::string_view name, bool whole_domain);

// The zone's serial: the seconds from 1970 to `when`, read as universal time, so every
// write of the zone has a larger one than the last (in 32 bits until 2106).
uint32_t ZoneSerial(const platform::LocalTime& when);

// Reads a file of the format: the names its entry lines block (what the program writes, with
// any blanks around), the names its exception lines leave alone, and whether the file is the
// program's: empty, or its first line the program's first comment line. Comment lines and the
// head's records are no entries.
class TResolverScan : public TConfigScan {
 public:
  explicit TResolverScan(TargetId format) : format_(format) {}

  bool owned = true;
  std::vector<std::string> exceptions;  // in file order

  void Line(std::string_view line) override;
  void Restart() override;

 private:
  TargetId format_;
  bool first_ = true;
};
