#include "targets/kpf/kpf_exporter.h"

#include "targets/kpf/kpf_config.h"
#include "targets/kpf/kpf_config_reader.h"

namespace {
constexpr TExporterSetup kSetup{"Kerio Personal Firewall", "kpf_program", "Add on to Kerio Personal Firewall|*.txt",
                                "Save File"};
}  // namespace

KpfExporter::KpfExporter(TKXWin* parent)
    : TTargetExporter(parent, kSetup), begin_(New<TKXGlobalVar>()), end_(New<TKXGlobalVar>()) {
  begin_.SetName("begin_kpfip");
  end_.SetName("end_kpfip");
  UseReader<KpfConfigReader>();
}

void KpfExporter::PutEntries(TLineSink& sink) {
  const std::string begin = AsText(begin_.Value()), end = AsText(end_.Value());
  for (const std::string& record : pending_) PutKpfEntry(sink, record, begin, end);
}

void KpfExporter::WriteDirect() {
  WriteInserted(Reader().Scanned().insert_line, "line with </list> to put the entries before");
}
