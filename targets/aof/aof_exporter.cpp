#include "targets/aof/aof_exporter.h"

#include "targets/aof/aof_config.h"
#include "targets/aof/aof_config_reader.h"

namespace {
constexpr TExporterSetup kSetup{"Agnitum Outpost Firewall", "aof_program",
                                "Agnitum Outpost Firewall - Blocking Sites File|*.ct", "Save Blocking Sites File"};
}  // namespace

AofExporter::AofExporter(TKXWin* parent) : TTargetExporter(parent, kSetup), begin_(New<TKXGlobalVar>()) {
  begin_.SetName("begin_aofall");
  UseReader<AofConfigReader>();
}

void AofExporter::PutEntries(TLineSink& sink) {
  const std::string begin = AsText(begin_.Value());
  for (const std::string& record : pending_) PutAofEntry(sink, record, begin);
}

void AofExporter::PutAddOnHead(TLineSink& sink) { sink.Line({kAofBlockingSites}); }

void AofExporter::WriteDirect() { WriteInserted(Reader().Scanned().insert_line, "[Content\\Sites] section"); }
