#include "targets/kwf/kwf_exporter.h"

#include "targets/kwf/kwf_config.h"
#include "targets/kwf/kwf_config_reader.h"

namespace {
constexpr TExporterSetup kSetup{"Kerio Winroute Firewall", "kwf_program", "Add on to Kerio Winroute Firewall|*.txt",
                                "Save File"};
}  // namespace

KwfExporter::KwfExporter(TKXWin* parent)
    : TTargetExporter(parent, kSetup), begin_(New<TKXGlobalVar>()), end_(New<TKXGlobalVar>()),
      group_(New<TKXGlobalVar>()) {
  begin_.SetName("begin_kwfall");
  end_.SetName("end_kwfall");
  group_.SetName("group_name");
  UseReader<KwfConfigReader>();
}

void KwfExporter::PutEntries(TLineSink& sink) {
  const std::string begin = AsText(begin_.Value()), end = AsText(end_.Value()), group = AsText(group_.Value());
  const TKwfSettings settings{begin, end, group};
  for (const std::string& record : pending_) PutKwfEntry(sink, record, settings);
}

void KwfExporter::WriteDirect() {
  const auto& scan = static_cast<const TKwfScan&>(Reader().Scanned());
  WriteInserted(scan.CanInsert() ? scan.insert_line : std::nullopt,
                "URL group list (a line with <list name=\"UrlGroups\"> and, below it, a line with </list>)");
}
