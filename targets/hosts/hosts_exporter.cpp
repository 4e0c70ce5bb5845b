#include "targets/hosts/hosts_exporter.h"

#include <algorithm>

#include "elements/files/time_stamp.h"
#include "targets/common/domain_name.h"
#include "targets/common/target_messages.h"
#include "targets/hosts/hosts_file.h"
#include "targets/hosts/hosts_file_reader.h"
#include "targets/common/ip_address.h"
#include "targets/target_catalog.h"

namespace {
constexpr TExporterSetup kSetup{
    .target = Info(TargetId::Hosts).title,
    .program_variable = Info(TargetId::Hosts).program_variable,
    .add_on_filter = Info(TargetId::Hosts).add_on_filter,
    .add_on_title = Info(TargetId::Hosts).add_on_title,
    .empties_pending = true,
    .holds = "host names",
};
// The number of names a line maps, from the setting; 0 when it is none of 1 to 9.
size_t NamesPerLine(const std::string& setting) {
  if (setting.empty()) return 1;
  return setting.size() == 1 && setting[0] >= '1' && setting[0] <= '9' ? size_t(setting[0] - '0') : 0;
}

// The name as the hosts file maps it: an internationalised name as A-labels, any other
// record as it is (`storage` holds a converted name). Nothing for a record that is no host
// name the system's resolver could look up (an address, a label over 63 characters, a
// character no host name has): `why`, when given, says why.
std::optional<std::string_view> HostsName(std::string_view record, std::string& storage,
                                          std::string_view* why = nullptr) {
  std::string_view name = record;
  for (char c : record) {
    if (static_cast<unsigned char>(c) <= 0x7F) continue;
    std::optional<std::string> ascii = AsciiName(record);
    if (!ascii) {
      if (why) *why = kNoHostNameRecord;
      return std::nullopt;
    }
    storage = std::move(*ascii);
    name = storage;
    break;
  }
  const std::string_view problem = WhyNoHostName(name);
  if (problem.empty()) return name;
  if (why) *why = problem;
  return std::nullopt;
}

}  // namespace

HostsExporter::HostsExporter(TKXWin* parent)
    : TTargetExporter(parent, kSetup),
      ip_variable_(New<TKXGlobalVar>()),
      ip6_variable_(New<TKXGlobalVar>()),
      per_line_variable_(New<TKXGlobalVar>()) {
  ip_variable_.SetName("ip");
  ip6_variable_.SetName("ip6");
  per_line_variable_.SetName("per_line");
  UseReader<HostsFileReader>();
}

// A fresh program folder has no IP until "Default Setting"; entries without one are lines
// the reader cannot tell from a bare name, and every export would add them again.
bool HostsExporter::Ready() {
  const std::string ip = AsText(ip_variable_.Value());
  if (!IsIpAddress(ip)) {
    Tell(HostsIpMessage(ip));
    return false;
  }
  const std::string ip6 = AsText(ip6_variable_.Value());
  if (!ip6.empty() && (!IsIpAddress(ip6) || ip6.find(':') == std::string::npos)) {
    Tell(HostsIp6Message(ip6));
    return false;
  }
  const std::string per_line = AsText(per_line_variable_.Value());
  if (NamesPerLine(per_line) == 0) {
    Tell(HostsPerLineMessage(per_line));
    return false;
  }
  return true;
}

void HostsExporter::LoadSettings() {
  ip_ = AsText(ip_variable_.Value());
  ip6_ = AsText(ip6_variable_.Value());
  per_line_ = NamesPerLine(AsText(per_line_variable_.Value()));
}

// The entry a record is read back from: its name alone on the IP's line. The lines of the
// options hold the same name, and several names a line are read name by name.
void HostsExporter::PutEntry(TLineSink& sink, std::string_view record) {
  std::string storage;
  if (const std::optional<std::string_view> name = HostsName(record, storage)) PutHostsEntry(sink, *name, ip_);
}

void HostsExporter::PutEntries(TLineSink& sink) {
  std::string names, storage;
  for (size_t k = 0; k < EntryCount(); k += per_line_) {
    names.clear();
    for (size_t i = k; i < std::min(k + per_line_, EntryCount()); ++i) {
      if (i > k) names += ' ';
      names += *HostsName(Chosen(i), storage);  // a chosen record has a name
    }
    PutHostsEntry(sink, names, ip_);
    if (!ip6_.empty()) PutHostsEntry(sink, names, ip6_);
  }
}

// A name is mapped as it is, or as its A-labels: one the reader would cut short (at a "#",
// a blank) is not the record's name.
bool HostsExporter::StandsFor(std::string_view record, std::string_view address) const {
  std::string storage;
  const std::optional<std::string_view> name = HostsName(record, storage);
  return name && address == *name;
}

std::string_view HostsExporter::WhyNotFound(std::string_view record) const {
  for (char c : record)
    if (static_cast<unsigned char>(c) <= 32 || c == '#') return "with a blank or \"#\" in it";
  std::string storage;
  std::string_view why;
  if (!HostsName(record, storage, &why)) return why;
  return TTargetExporter::WhyNotFound(record);
}

// A hosts file that does not exist yet is made; one that cannot be read is left alone,
// since writing it would drop what it holds.
void HostsExporter::WriteDirect() {
  if (!CheckReadable(true)) return;
  const std::string& path = Reader().Path();
  TConfigWriter writer(path, Reader().Source().ending, WhenRefused::AskSystem);
  // The names as the reader counts them: one mapped to both addresses counts twice, as
  // localhost does in a Debian hosts file.
  const size_t mapped = EntryCount() * (ip6_.empty() ? 1 : 2);
  PutHostsBanner(writer, existing_.size() + mapped, FormatTimeStamp("D.M.Y", platform::Now()));
  for (const std::string& line : Reader().Lines()) writer.Line({line});
  PutEntries(writer);
  Commit(writer, path);
}
