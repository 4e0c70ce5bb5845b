#include "targets/hosts/hosts_exporter.h"

#include <algorithm>

#include "elements/files/time_stamp.h"
#include "elements/strings/if_else.h"
#include "elements/strlist/record_index.h"
#include "runtime/save_failure.h"
#include "targets/common/domain_name.h"
#include "targets/common/ip_address.h"
#include "targets/common/target_messages.h"
#include "targets/hosts/hosts_file.h"
#include "targets/hosts/hosts_file_reader.h"
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

// Hands each line it is given to `each`, whole: the entries' lines are made again from the
// names wherever they are needed, not kept (a million of them would take 50 MB).
template <class Each>
class EachLine : public TLineSink {
 public:
  explicit EachLine(Each& each) : each_(each) {}
  void Line(std::initializer_list<std::string_view> pieces) override {
    line_.clear();
    for (std::string_view piece : pieces) line_ += piece;
    each_(std::string_view(line_));
  }

 private:
  Each& each_;
  std::string line_;
};

}  // namespace

std::optional<std::string_view> HostsName(std::string_view record, std::string& storage, std::string_view* why) {
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

HostsExporter::HostsExporter(TKXWin* parent)
    : TTargetExporter(parent, kSetup),
      program_dir_(New<TKXGlobalVar>()),
      path_variable_(New<TKXGlobalVar>()),
      ip_variable_(New<TKXGlobalVar>()),
      ip6_variable_(New<TKXGlobalVar>()),
      per_line_variable_(New<TKXGlobalVar>()) {
  program_dir_.SetName("VELTR_dir");
  path_variable_.SetName("hosts");
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
  // Which lines of the file are the program's own is known from its record alone: without
  // it every entry would count as the user's, and none would ever be taken out.
  own_.Clear();
  auto& reader = static_cast<HostsFileReader&>(Reader());
  reader.ClaimWith(nullptr);
  const std::string path = AsText(path_variable_.Value());
  if (!DirectWrite() || path.empty()) return true;
  record_path_ = THostsOwnEntries::RecordPath(AsText(program_dir_.Value()), path);
  std::string why;
  if (!own_.Load(record_path_, path, &why)) {
    Tell(CannotReadMessage(record_path_, why) + kNothingWritten);
    return false;
  }
  reader.ClaimWith(&own_);
  return true;
}

void HostsExporter::LoadSettings() {
  ip_ = AsText(ip_variable_.Value());
  ip6_ = AsText(ip6_variable_.Value());
  // The second line would be the first one again, which the record of the program's lines
  // could not tell from a copy the user made.
  if (ip6_ == ip_) ip6_.clear();
  per_line_ = NamesPerLine(AsText(per_line_variable_.Value()));
}

// The entry a record is read back from: its name alone on the IP's line. The lines of the
// options hold the same name, and several names a line are read name by name.
void HostsExporter::PutEntry(TLineSink& sink, std::string_view record) {
  std::string storage;
  if (const std::optional<std::string_view> name = HostsName(record, storage)) PutHostsEntry(sink, *name, ip_);
}

// The names of the chosen records, once for the lines and the counts.
void HostsExporter::Plan() {
  names_.clear();
  converted_.clear();
  names_.reserve(EntryCount());
  std::string storage;
  for (size_t k = 0; k < EntryCount(); ++k) {
    const std::string_view name = *HostsName(Chosen(k), storage);  // a chosen record has a name
    names_.push_back(name.data() == storage.data() ? std::string_view(converted_.emplace_back(name)) : name);
  }
}

void HostsExporter::PutEntries(TLineSink& sink) {
  std::string names;
  for (size_t k = 0; k < names_.size(); k += per_line_) {
    names.clear();
    for (size_t i = k; i < std::min(k + per_line_, names_.size()); ++i) {
      if (i > k) names += ' ';
      names += names_[i];
    }
    PutHostsEntry(sink, names, ip_);
    if (!ip6_.empty()) PutHostsEntry(sink, names, ip6_);
  }
  counts_.names = counts_.fresh = names_.size();
}

// A host name in ASCII is mapped as it is, and read back so: it holds no blank and no "#".
bool HostsExporter::ReadsAsItself(std::string_view record) const {
  for (char c : record)
    if (static_cast<unsigned char>(c) > 0x7F) return false;
  return WhyNoHostName(record).empty();
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
//
// The record of the program's lines is saved around the file itself, so that a run killed
// between the saves never leaves a line of the user's claimed as the program's: first, when
// the new entries are not all in it, a record that holds them too, with the entries taken
// out now (unless the user holds a copy of such a line, which would then be claimed in the
// new file); then the file; then the record of exactly the lines written.
void HostsExporter::WriteDirect() {
  // The record is needed for this write alone: a million lines are not kept between exports.
  struct Release {
    HostsExporter& exporter;
    ~Release() {
      exporter.own_.Clear();
      exporter.names_ = {};
      exporter.converted_.clear();
    }
  } release{*this};
  if (!CheckReadable(MissingFile::kNew)) return;
  const std::string& path = Reader().Path();
  const auto& scan = static_cast<const THostsScan&>(Reader().Scanned());
  const RecordList& lines = Reader().Lines();
  const size_t at = std::min(scan.own_at.value_or(lines.size()), lines.size());
  TConfigWriter writer(path, Reader().Source().ending, WhenRefused::AskSystem);
  PutHostsBanner(writer, EntryCount(), FormatTimeStamp("D.M.Y", platform::Now()));
  for (size_t i = 0; i < at; ++i) writer.Line({lines[i]});
  PutEntries(writer);
  for (size_t i = at; i < lines.size(); ++i) writer.Line({lines[i]});
  // The entries' lines, made again for each use, with the counts the first making set.
  const auto each_entry = [this](auto each) {
    const auto counts = counts_;
    EachLine<decltype(each)> sink(each);
    PutEntries(sink);
    counts_ = counts;
  };

  // The program's lines of before: written again, or taken out.
  std::vector<bool> again(own_.Size());  // by the record's lines
  std::vector<bool> renewed;             // by the lines written: one the file held
  bool unrecorded = false;
  uint32_t from = 0;
  each_entry([&](std::string_view line) {
    const uint32_t n = own_.Find(line, from);
    if (n == RecordIndex::kNone) {
      unrecorded = true;
      renewed.push_back(false);
    } else {
      again[n] = true;
      renewed.push_back(own_.Claimed(n));
    }
  });
  const size_t written = renewed.size();
  RecordIndex taken_out;
  for (uint32_t n = 0; n < own_.Size(); ++n)
    if (own_.Claimed(n) && !again[n]) taken_out.Add(own_.Line(n));
  std::vector<bool> copied(own_.Size());  // taken out, but the user holds a copy
  bool copies = false;
  if (taken_out.Size() > 0) {
    for (std::string_view line : lines) {
      if (!taken_out.Contains(line)) continue;
      copied[own_.Find(line)] = copies = true;
    }
  }
  CountNames(renewed, again);

  // Whether the record on disk holds exactly the lines written.
  bool exact = !unrecorded && own_.Size() == written;
  std::string why;
  if (unrecorded || copies) {
    size_t also = 0;  // lines taken out now, kept in this record
    const bool saved = THostsOwnEntries::Save(
        record_path_, path,
        [&](TLineSink& sink) {
          for (uint32_t n = 0; n < own_.Size(); ++n) {
            if (!own_.Claimed(n) || again[n] || copied[n]) continue;
            sink.Line({own_.Line(n)});
            ++also;
          }
          each_entry([&sink](std::string_view line) { sink.Line({line}); });
        },
        &why);
    if (!saved) {
      Tell(SaveFailureMessage(record_path_, why) + kNothingWritten);
      return;
    }
    exact = also == 0;
  }
  if (!Commit(writer, path) || exact) return;
  const bool saved = THostsOwnEntries::Save(
      record_path_, path, [&](TLineSink& sink) { each_entry([&sink](std::string_view line) { sink.Line({line}); }); },
      &why);
  if (!saved) Tell(SaveFailureMessage(record_path_, why));
}

// The names written, those new to the program's entries, and those its entries of before
// held and no longer do. A group of names written on a line the file held (`renewed`, by
// the lines written) was the program's before; so were the names of its lines taken out
// (those not written `again`, by the record's lines) that are written on another line now.
void HostsExporter::CountNames(const std::vector<bool>& renewed, const std::vector<bool>& again) {
  RecordIndex gone;
  for (uint32_t n = 0; n < own_.Size(); ++n)
    if (own_.Claimed(n) && !again[n]) ForEachHostsName(own_.Line(n), [&](std::string_view name) { gone.Add(name); });
  const std::vector<bool> found = gone.ContainsEach(names_);  // written, and on a line taken out
  size_t kept = 0, moved = 0, again_found = 0;
  const size_t copies = ip6_.empty() ? 1 : 2;
  for (size_t k = 0, line = 0; k < names_.size(); k += per_line_, line += copies) {
    const bool was = renewed[line] || (copies == 2 && renewed[line + 1]);
    for (size_t i = k; i < std::min(k + per_line_, names_.size()); ++i) {
      kept += was;
      moved += !was && found[i];
      again_found += found[i];
    }
  }
  counts_.names = names_.size();
  counts_.fresh = names_.size() - kept - moved;
  counts_.taken_out = gone.Size() - again_found;
}
