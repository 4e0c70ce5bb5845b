#include "targets/kpf/kpf_exporter.h"

#include "targets/kpf/kpf_config.h"
#include "targets/kpf/kpf_config_reader.h"
#include "targets/target_catalog.h"

namespace {
constexpr TExporterSetup kSetup{
    .target = Info(TargetId::Kpf).title,
    .program_variable = Info(TargetId::Kpf).program_variable,
    .add_on_filter = Info(TargetId::Kpf).add_on_filter,
    .add_on_title = Info(TargetId::Kpf).add_on_title,
    .closed_by = kKpfListEnd.data(),
};
}  // namespace

KpfExporter::KpfExporter(TKXWin* parent)
    : TTargetExporter(parent, kSetup), begin_(New<TKXGlobalVar>()), end_(New<TKXGlobalVar>()) {
  begin_.SetName("begin_kpfip");
  end_.SetName("end_kpfip");
  UseReader<KpfConfigReader>();
}

void KpfExporter::LoadSettings() {
  begin_text_ = AsText(begin_.Value());
  end_text_ = AsText(end_.Value());
}

void KpfExporter::PutEntry(TLineSink& sink, std::string_view record) {
  PutKpfEntry(sink, record, begin_text_, end_text_);
}

std::string_view KpfExporter::WhyNotFound(std::string_view record) const {
  const bool dotless = (begin_text_ + std::string(record) + end_text_).find('.') == std::string::npos;
  return dotless ? kDotlessRecord : TTargetExporter::WhyNotFound(record);
}

void KpfExporter::WriteDirect() {
  WriteInserted(Reader().Scanned().insert_line, "line with </list> to put the entries before");
}
