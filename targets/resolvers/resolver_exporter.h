// ResolverExporter: writes the records it is given as one of the five resolver formats, as
// a whole file: "To Programm" makes the configured file anew from the records (never
// replacing a file that is not the program's), the two file modes write a file the user
// names, "NEW To File" leaving out the names the configured file holds. A record becomes a
// name in ASCII (A-labels for internationalised names) in lower case; records that are no
// domain names (IP addresses, single labels, characters no host name has) are left out and
// counted in one message, and each name is written once.
//
// The names never to block (the lines of User_NO_BadList) that lie below a blocked name are
// written as the format's exceptions (resolver_plan.h); the domain list, which holds none,
// leaves out the blocked names above them instead, and tells it. With the option `compress`
// (key "compress", section "Resolvers"; off by default) the names below a written name are
// left out, as its entry blocks them already.
//
// Inputs: 0 doClear, 1 doAdd (one record), 2 doExport, 3 doSpare. Event 0: the summary.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/global_var.h"
#include "targets/common/config_reader.h"
#include "targets/common/target_exporter.h"
#include "targets/resolvers/resolver_formats.h"
#include "targets/resolvers/resolver_plan.h"

// Why a domain list leaves out a blocked name.
inline constexpr std::string_view kAboveSparedRecord =
    "above a name never to block, which a domain list cannot hold as an exception";

// The record as the format writes it (lower-case ASCII), or nothing and `why`.
std::optional<std::string> ResolverName(TargetId format, std::string_view record, std::string_view* why = nullptr);

class ResolverExporter : public TTargetExporter {
 protected:
  ResolverExporter(TKXWin* parent, TargetId format);

  void LoadSettings() override;
  void Plan() override;
  void PutEntry(TLineSink& sink, std::string_view record) override;
  void PutEntries(TLineSink& sink) override;
  bool ReadsAsItself(std::string_view record) const override;
  bool StandsFor(std::string_view record, std::string_view address) const override;
  std::string_view WhyNotFound(std::string_view record) const override;
  void WriteDirect() override;
  void PutAddOnHead(TLineSink& sink) override;
  LineEnding AddOnEnding() const override { return LineEnding::Lf; }

 private:
  TargetId format_;
  TKXGlobalVar& compress_variable_;
  bool compress_ = false;
  // The export's names: those of the configured file an add-on is for ("NEW To File"),
  // then those of the chosen records, in their order.
  std::vector<std::string_view> names_;
  std::deque<std::string> converted_;  // the names that are not their record's own text
  size_t held_ = 0;                    // how many of names_ the configured file holds
  TResolverPlan plan_;
  std::vector<uint32_t> exceptions_;  // those of plan_ the file is to get
  size_t entries_ = 0;                // the names this export writes
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
