#include "targets/hosts/hosts_exporter.h"

#include "elements/files/time_stamp.h"
#include "targets/hosts/hosts_file.h"
#include "targets/hosts/hosts_file_reader.h"

namespace {
constexpr TExporterSetup kSetup{"Hosts", "hosts_program", "Add on to Hosts|*.txt", "Save File"};
}  // namespace

HostsExporter::HostsExporter(TKXWin* parent) : TTargetExporter(parent, kSetup), ip_(New<TKXGlobalVar>()) {
  ip_.SetName("ip");
  UseReader<HostsFileReader>();
}

void HostsExporter::Filtered() { work_ = std::exchange(pending_, {}); }

void HostsExporter::PutEntries(TLineSink& sink) {
  const std::string ip = AsText(ip_.Value());
  for (const std::string& record : work_) PutHostsEntry(sink, record, ip);
}

// A hosts file that does not exist yet is made; one that cannot be read is left alone,
// since writing it would drop what it holds.
void HostsExporter::WriteDirect() {
  if (!CheckReadable(true)) return;
  const std::string& path = Reader().Path();
  TConfigWriter writer(path, Reader().Source().ending);
  PutHostsBanner(writer, existing_.size() + work_.size(), FormatTimeStamp("D.M.Y", platform::Now()));
  for (const std::string& line : Reader().Lines()) writer.Line({line});
  PutEntries(writer);
  Commit(writer, path);
}
