#include "targets/aof/aof_exporter.h"

#include "targets/aof/aof_config.h"
#include "targets/aof/aof_config_reader.h"
#include "targets/target_catalog.h"

namespace {
// An entry is read inside the section, and the next section header ends it.
constexpr TExporterSetup kSetup{
    .target = Info(TargetId::Aof).title,
    .program_variable = Info(TargetId::Aof).program_variable,
    .add_on_filter = Info(TargetId::Aof).add_on_filter,
    .add_on_title = Info(TargetId::Aof).add_on_title,
    .opened_by = kAofSection.data(),
    .closed_by = "[",
};
}  // namespace

AofExporter::AofExporter(TKXWin* parent) : TTargetExporter(parent, kSetup), begin_(New<TKXGlobalVar>()) {
  begin_.SetName("begin_aofall");
  UseReader<AofConfigReader>();
}

void AofExporter::LoadSettings() { begin_text_ = AsText(begin_.Value()); }

void AofExporter::PutEntry(TLineSink& sink, std::string_view record) { PutAofEntry(sink, record, begin_text_); }

std::string_view AofExporter::WhyNotFound(std::string_view record) const {
  const bool dotless = (begin_text_ + std::string(record)).find('.') == std::string::npos;
  return dotless ? kDotlessRecord : TTargetExporter::WhyNotFound(record);
}

void AofExporter::PutAddOnHead(TLineSink& sink) { sink.Line({kAofBlockingSites}); }

void AofExporter::WriteDirect() { WriteInserted(Reader().Scanned().insert_line, "[Content\\Sites] section"); }
