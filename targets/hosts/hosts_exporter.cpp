#include "targets/hosts/hosts_exporter.h"

#include "elements/files/time_stamp.h"
#include "targets/common/target_messages.h"
#include "targets/hosts/hosts_file.h"
#include "targets/hosts/hosts_file_reader.h"
#include "targets/hosts/ip_address.h"

namespace {
constexpr TExporterSetup kSetup{
    .target = "Hosts",
    .program_variable = "hosts_program",
    .add_on_filter = "Add on to Hosts|*.txt",
    .add_on_title = "Save File",
    .empties_pending = true,
};
}  // namespace

HostsExporter::HostsExporter(TKXWin* parent) : TTargetExporter(parent, kSetup), ip_variable_(New<TKXGlobalVar>()) {
  ip_variable_.SetName("ip");
  UseReader<HostsFileReader>();
}

// A fresh program folder has no IP until "Default Setting"; entries without one are lines
// the reader cannot tell from a bare name, and every export would add them again.
bool HostsExporter::Ready() {
  const std::string ip = AsText(ip_variable_.Value());
  if (IsIpAddress(ip)) return true;
  Tell(HostsIpMessage(ip));
  return false;
}

void HostsExporter::LoadSettings() { ip_ = AsText(ip_variable_.Value()); }

void HostsExporter::PutEntry(TLineSink& sink, std::string_view record) { PutHostsEntry(sink, record, ip_); }

// A name is mapped as it is: one the reader would cut short (at a "#", a blank) is not the
// record's name.
bool HostsExporter::StandsFor(std::string_view record, std::string_view address) const { return address == record; }

std::string_view HostsExporter::WhyNotFound(std::string_view record) const {
  for (char c : record)
    if (static_cast<unsigned char>(c) <= 32 || c == '#') return "with a blank or \"#\" in it";
  return TTargetExporter::WhyNotFound(record);
}

// A hosts file that does not exist yet is made; one that cannot be read is left alone,
// since writing it would drop what it holds.
void HostsExporter::WriteDirect() {
  if (!CheckReadable(true)) return;
  const std::string& path = Reader().Path();
  TConfigWriter writer(path, Reader().Source().ending, WhenRefused::AskSystem);
  PutHostsBanner(writer, existing_.size() + EntryCount(), FormatTimeStamp("D.M.Y", platform::Now()));
  for (const std::string& line : Reader().Lines()) writer.Line({line});
  PutEntries(writer);
  Commit(writer, path);
}
