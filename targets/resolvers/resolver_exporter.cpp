#include "targets/resolvers/resolver_exporter.h"

#include "runtime/platform/clock.h"
#include "targets/common/domain_name.h"
#include "targets/common/target_messages.h"

namespace {

TExporterSetup SetupOf(TargetId format) {
  const TTargetInfo& target = Info(format);
  return TExporterSetup{
      .target = target.title,
      .program_variable = target.program_variable,
      .add_on_filter = target.add_on_filter,
      .add_on_title = target.add_on_title,
      .replaces_file = true,
      .holds = "domain names",
  };
}

// A policy zone's owner names get the zone's name behind them when it loads, and the
// wildcard two characters more: room is left for a zone name of up to 30 characters.
constexpr size_t kLongestZoneOwner = 220;

}  // namespace

ResolverExporter::ResolverExporter(TKXWin* parent, TargetId format)
    : TTargetExporter(parent, SetupOf(format)), format_(format) {}

std::optional<std::string> ResolverExporter::Name(std::string_view record, std::string_view* why) const {
  std::optional<std::string> name = BlockedDomainName(record, why);
  if (name && format_ == TargetId::Rpz && name->size() > kLongestZoneOwner) {
    if (why) *why = kTooLongRecord;
    return std::nullopt;
  }
  return name;
}

void ResolverExporter::PutEntry(TLineSink& sink, std::string_view record) {
  if (const std::optional<std::string> name = Name(record)) PutResolverEntry(sink, format_, *name);
}

bool ResolverExporter::StandsFor(std::string_view record, std::string_view address) const {
  const std::optional<std::string> name = Name(record);
  return name && *name == address;
}

std::string_view ResolverExporter::WhyNotFound(std::string_view record) const {
  std::string_view why;
  if (!Name(record, &why)) return why;
  return TTargetExporter::WhyNotFound(record);
}

void ResolverExporter::PutAddOnHead(TLineSink& sink) {
  PutResolverHead(sink, format_, EntryCount(), platform::Now());
}

// A missing file is made; a file of another program's (the server's own configuration,
// chosen by mistake) is left alone, since the write replaces all of it.
void ResolverExporter::WriteDirect() {
  if (!CheckReadable(true)) return;
  const std::string& path = Reader().Path();
  if (!static_cast<const TResolverScan&>(Reader().Scanned()).owned) {
    Tell(NotOwnedMessage(path, Info(format_).title));
    return;
  }
  TConfigWriter writer(path, LineEnding::Lf, WhenRefused::AskSystem);
  PutResolverHead(writer, format_, EntryCount(), platform::Now());
  PutEntries(writer);
  Commit(writer, path);
}
