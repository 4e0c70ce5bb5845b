// ResolverExporter: writes the records it is given as one of the five resolver formats, as
// a whole file: "To Programm" makes the configured file anew from the records (never
// replacing a file that is not the program's), the two file modes write a file the user
// names, "NEW To File" leaving out the names the configured file holds. A record becomes a
// name in ASCII (A-labels for internationalised names) in lower case; records that are no
// domain names (IP addresses, single labels, characters no host name has) are left out and
// counted in one message, and each name is written once.
//
// Inputs: 0 doClear, 1 doAdd (one record), 2 doExport.
#pragma once

#include "targets/common/config_reader.h"
#include "targets/common/target_exporter.h"
#include "targets/resolvers/resolver_formats.h"

class ResolverExporter : public TTargetExporter {
 protected:
  ResolverExporter(TKXWin* parent, TargetId format);

  void PutEntry(TLineSink& sink, std::string_view record) override;
  bool StandsFor(std::string_view record, std::string_view address) const override;
  std::string_view WhyNotFound(std::string_view record) const override;
  void WriteDirect() override;
  void PutAddOnHead(TLineSink& sink) override;
  LineEnding AddOnEnding() const override { return LineEnding::Lf; }

 private:
  // The record as the format writes it, or nothing (and why).
  std::optional<std::string> Name(std::string_view record, std::string_view* why = nullptr) const;

  TargetId format_;
};

// The reader of a format's file, named by the format's path variable ("dnsmasq").
template <TargetId F>
class ResolverFileReader : public TConfigReader {
 public:
  explicit ResolverFileReader(TKXWin* parent) : TConfigReader(parent, Info(F).path_key) {}

  std::unique_ptr<TConfigScan> NewScan() const override { return std::make_unique<TResolverScan>(F); }
};

template <TargetId F>
class ResolverExporterOf : public ResolverExporter {
 public:
  explicit ResolverExporterOf(TKXWin* parent) : ResolverExporter(parent, F) { UseReader<ResolverFileReader<F>>(); }
};

using DnsmasqExporter = ResolverExporterOf<TargetId::Dnsmasq>;
using UnboundExporter = ResolverExporterOf<TargetId::Unbound>;
using RpzExporter = ResolverExporterOf<TargetId::Rpz>;
using AdblockExporter = ResolverExporterOf<TargetId::Adblock>;
using DomainsExporter = ResolverExporterOf<TargetId::Domains>;
