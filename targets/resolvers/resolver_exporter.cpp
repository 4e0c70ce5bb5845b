#include "targets/resolvers/resolver_exporter.h"

#include <algorithm>

#include "elements/strings/if_else.h"
#include "elements/strings/trim.h"
#include "elements/strlist/kept_in_order.h"
#include "elements/strlist/record_index.h"
#include "runtime/platform/clock.h"
#include "targets/common/domain_name.h"
#include "targets/common/never_block.h"
#include "targets/common/target_messages.h"

namespace {

TExporterSetup SetupOf(TargetId format) {
  const TTargetInfo& target = Info(format);
  return TExporterSetup{
      .target = target.title,
      .program_variable = target.program_variable,
      .add_on_filter = target.add_on_filter,
      .add_on_title = target.add_on_title,
      .replaces_file = true,
      .holds = "domain names",
  };
}

// A policy zone's owner names get the zone's name behind them when it loads, and the
// wildcard two characters more: room is left for a zone name of up to 30 characters.
constexpr size_t kLongestZoneOwner = 220;

// Lower-case ASCII of the bytes a name has: a record written so is its own name, once it is
// known to be one.
bool IsOwnName(std::string_view record) {
  for (char c : record)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.')) return false;
  return true;
}

}  // namespace

std::optional<std::string> ResolverName(TargetId format, std::string_view record, std::string_view* why) {
  std::optional<std::string> name = BlockedDomainName(record, why);
  if (name && format == TargetId::Rpz && name->size() > kLongestZoneOwner) {
    if (why) *why = kTooLongRecord;
    return std::nullopt;
  }
  return name;
}

ResolverExporter::ResolverExporter(TKXWin* parent, TargetId format)
    : TTargetExporter(parent, SetupOf(format)), format_(format), compress_variable_(New<TKXGlobalVar>()) {
  compress_variable_.SetName("compress");
}

void ResolverExporter::LoadSettings() { compress_ = IsOne(compress_variable_.Value()); }

// The names of the file an add-on goes with come first, so that what lies below them, or
// needs an exception below them, is decided as it is for the whole file.
void ResolverExporter::Plan() {
  names_.clear();
  converted_.clear();
  exceptions_.clear();
  RecordIndex held(existing_.size());
  const std::vector<uint32_t> numbers = held.AddEach(existing_);
  for (size_t i = 0; i < existing_.size(); ++i)
    if (numbers[i] == names_.size()) names_.push_back(existing_[i]);
  held_ = names_.size();
  names_.reserve(held_ + EntryCount());
  for (size_t k = 0; k < EntryCount(); ++k) {
    const std::string_view record = Chosen(k);  // a chosen record is a name
    names_.push_back(IsOwnName(record) ? record
                                       : std::string_view(converted_.emplace_back(*ResolverName(format_, record))));
  }

  std::vector<TSparedName> spared;
  for (const std::string& line : Spared()) {
    const std::optional<std::string_view> domain = WholeDomainOf(line);
    if (std::optional<std::string> name = ResolverName(format_, domain ? *domain : TrimBlanks(line)))
      spared.push_back({std::move(*name), domain.has_value()});
  }
  plan_ = PlanResolverFile(format_, names_, spared, compress_ && BlocksBelow(format_));
  for (uint32_t at : plan_.above_exception)
    if (at >= held_) LeaveOut(Chosen(at - held_), kAboveSparedRecord);

  // An add-on file leaves out the exceptions the configured file has; a direct write makes
  // the whole file.
  RecordIndex in_file;
  if (!DirectWrite()) in_file.AddAll(static_cast<const TResolverScan&>(Reader().Scanned()).exceptions);
  for (uint32_t i = 0; i < plan_.exceptions.size(); ++i)
    if (!in_file.Contains(plan_.exceptions[i].name)) exceptions_.push_back(i);

  std::vector<std::string_view> written;
  written.reserve(plan_.blocked.size());
  for (const TResolverPlan::Entry& entry : plan_.blocked)
    if (entry.name >= held_) written.push_back(names_[entry.name]);
  entries_ = written.size();
  counts_.names = counts_.fresh = entries_;
  if (!replaced_.empty()) {
    const size_t again = KeptInOrder(replaced_, written);
    counts_.fresh = entries_ - again;
    counts_.taken_out = replaced_.size() - again;
    replaced_ = {};
  }
}

// A record in lower-case ASCII is its own name once it is found to be one, as most are: it
// is neither copied nor converted, and each format's reader takes such a name back as it is.
bool ResolverExporter::ReadsAsItself(std::string_view record) const {
  return IsOwnName(record) && WhyNoDomainName(record).empty() &&
         (format_ != TargetId::Rpz || record.size() <= kLongestZoneOwner);
}

void ResolverExporter::PutEntry(TLineSink& sink, std::string_view record) {
  if (ReadsAsItself(record)) {
    PutResolverEntry(sink, format_, record);
  } else if (const std::optional<std::string> name = ResolverName(format_, record)) {
    PutResolverEntry(sink, format_, *name);
  }
}

void ResolverExporter::PutEntries(TLineSink& sink) {
  for (const TResolverPlan::Entry& entry : plan_.blocked)
    if (entry.name >= held_) PutResolverEntry(sink, format_, names_[entry.name], entry.below_exception);
  if (!exceptions_.empty()) {
    PutResolverExceptionHead(sink, format_);
    for (uint32_t i : exceptions_)
      PutResolverException(sink, format_, plan_.exceptions[i].name, plan_.exceptions[i].whole_domain);
  }
  // The file is made: what it was made of is not kept between exports.
  names_ = {};
  converted_.clear();
  plan_ = {};
  exceptions_.clear();
}

// The entry of the record was made, so the record is a name: in lower-case ASCII, itself.
bool ResolverExporter::StandsFor(std::string_view record, std::string_view address) const {
  if (IsOwnName(record)) return address == record;
  const std::optional<std::string> name = ResolverName(format_, record);
  return name && *name == address;
}

std::string_view ResolverExporter::WhyNotFound(std::string_view record) const {
  std::string_view why;
  if (!ResolverName(format_, record, &why)) return why;
  return TTargetExporter::WhyNotFound(record);
}

void ResolverExporter::PutAddOnHead(TLineSink& sink) { PutResolverHead(sink, format_, entries_, platform::Now()); }

// A missing file is made; a file of another program's (the server's own configuration,
// chosen by mistake) is left alone, since the write replaces all of it.
void ResolverExporter::WriteDirect() {
  if (!CheckReadable(MissingFile::kNew)) return;
  const std::string& path = Reader().Path();
  if (!static_cast<const TResolverScan&>(Reader().Scanned()).owned) {
    Tell(NotOwnedMessage(path, Info(format_).title));
    return;
  }
  TConfigWriter writer(path, LineEnding::Lf, WhenRefused::AskSystem);
  PutResolverHead(writer, format_, entries_, platform::Now());
  PutEntries(writer);
  Commit(writer, path);
}
