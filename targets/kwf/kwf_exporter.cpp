#include "targets/kwf/kwf_exporter.h"

#include "targets/kwf/kwf_config.h"
#include "targets/kwf/kwf_config_reader.h"
#include "targets/target_catalog.h"

namespace {
constexpr TExporterSetup kSetup{
    .target = Info(TargetId::Kwf).title,
    .program_variable = Info(TargetId::Kwf).program_variable,
    .add_on_filter = Info(TargetId::Kwf).add_on_filter,
    .add_on_title = Info(TargetId::Kwf).add_on_title,
    .opened_by = kKwfListStart.data(),
    .closed_by = kKwfListEnd.data(),
};
}  // namespace

KwfExporter::KwfExporter(TKXWin* parent)
    : TTargetExporter(parent, kSetup),
      begin_(New<TKXGlobalVar>()),
      end_(New<TKXGlobalVar>()),
      group_(New<TKXGlobalVar>()) {
  begin_.SetName("begin_kwfall");
  end_.SetName("end_kwfall");
  group_.SetName("group_name");
  UseReader<KwfConfigReader>();
}

void KwfExporter::LoadSettings() {
  begin_text_ = AsText(begin_.Value());
  end_text_ = AsText(end_.Value());
  group_text_ = AsText(group_.Value());
}

void KwfExporter::PutEntry(TLineSink& sink, std::string_view record) {
  PutKwfEntry(sink, record, TKwfSettings{begin_text_, end_text_, group_text_});
}

std::string_view KwfExporter::WhyNotFound(std::string_view record) const {
  const bool dotless = (begin_text_ + std::string(record) + end_text_).find('.') == std::string::npos;
  return dotless ? kDotlessRecord : TTargetExporter::WhyNotFound(record);
}

void KwfExporter::WriteDirect() {
  const auto& scan = static_cast<const TKwfScan&>(Reader().Scanned());
  WriteInserted(scan.CanInsert() ? scan.insert_line : std::nullopt,
                "URL group list (a line with <list name=\"UrlGroups\"> and, below it, a line with </list>)");
}
