#include "targets/common/target_exporter.h"

#include <algorithm>
#include <utility>

#include "elements/strings/if_else.h"
#include "elements/strlist/record_index.h"
#include "runtime/save_failure.h"
#include "targets/common/target_messages.h"

TTargetExporter::TTargetExporter(TKXWin* parent, const TExporterSetup& setup)
    : TScheme(parent),
      setup_(setup),
      reader_element_(New<TKXMultiElement>()),
      program_(New<TKXGlobalVar>()),
      add_on_dialog_(New<TKXSDialog>()),
      error_(New<TKXMessage>()),
      warning_(New<TKXMessage>()) {
  program_.SetName(setup.program_variable);
  add_on_dialog_.Filter = setup.add_on_filter;
  add_on_dialog_.Title = setup.add_on_title;
  AsFailureBox(error_);
  warning_.Caption = kWarningCaption;
  warning_.Icon = kIconWarning;

  // The add-on file is written once the user has named it; a cancelled dialog writes nothing.
  add_on_dialog_.onExecute = MakeLink<&TTargetExporter::doAddOnFile>(*this);

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoClear] = MakeLink<&TTargetExporter::doClear>(*this);
  Port.onInput[kDoAdd] = MakeLink<&TTargetExporter::doAdd>(*this);
  Port.onInput[kDoExport] = MakeLink<&TTargetExporter::doExport>(*this);
  Port.onInput[kDoSpare] = MakeLink<&TTargetExporter::doSpare>(*this);
}

void TTargetExporter::doClear(TData&, uint16_t) {
  pending_.clear();
  spared_.clear();
}

void TTargetExporter::doSpare(TData& value, uint16_t) {
  spared_.push_back(value.kind == KindString ? std::move(value.text) : AsText(value));
}

bool TTargetExporter::DirectWrite() const { return IsOne(program_.Value()); }

void TTargetExporter::doAdd(TData& value, uint16_t) {
  if (value.kind == KindString) {
    pending_.push_back(value.text);
  } else {
    pending_.push_back(AsText(value));
  }
}

void TTargetExporter::AddRecords(RecordList records) {
  if (pending_.empty()) {
    pending_.swap(records);
  } else {
    pending_.Append(records);
  }
}

void TTargetExporter::doExisting(TData& value, uint16_t) {
  existing_.push_back(value.kind == KindString ? std::move(value.text) : AsText(value));
}

// Both modes read the file first, so that an add-on file also leaves out what the target
// already holds; with an empty path (mode "ALL To File") nothing is left out as held.
void TTargetExporter::doExport(TData&, uint16_t) {
  if (!Ready()) return;
  existing_.clear();
  TData none;
  reader_element_.doWork(none, TConfigReader::kDoRead);
  if (reader_->Source().state == TLineReader::Source::Unreadable) {
    // Neither mode can tell which records the file holds: an add-on file would repeat them.
    Tell(CannotReadMessage(reader_->Path(), reader_->Source().why) + kNothingWritten);
    existing_ = {};
    return;
  }
  if (setup_.replaces_file && DirectWrite()) replaced_ = std::exchange(existing_, {});
  LoadSettings();
  Choose();
  counts_ = {};
  Plan();
  written_ = false;
  if (DirectWrite()) {
    WriteDirect();
  } else {
    add_on_dialog_.doExecute(none, 0);
  }
  if (written_ && !left_out_.Empty()) {
    TData text = MakeText(left_out_.Message(setup_.target, pending_.size(), setup_.holds ? setup_.holds : ""));
    warning_.doMessage(text, 0);
  }
  existing_ = {};
  replaced_ = {};
  chosen_ = {};
  left_out_.Clear();
  if (setup_.empties_pending) pending_.Free();
}

std::optional<std::string> TTargetExporter::ReadBack(std::string_view record) {
  // Written as the file would hold it, and read as the file is read: a line break or a NUL
  // byte inside the record splits or ends the entry here as it would there.
  entry_.Clear();
  if (setup_.opened_by) entry_.Line({setup_.opened_by});
  const size_t before = entry_.lines;
  PutEntry(entry_, record);
  if (entry_.lines == before) return std::nullopt;
  if (setup_.closed_by) entry_.Line({setup_.closed_by});
  if (!entry_scan_) entry_scan_ = reader_->NewScan();
  TConfigScan& scan = *entry_scan_;
  scan.Restart();
  const TScanSource source = ScanText(entry_.text, scan);
  if (source.nul || scan.line_count != entry_.lines || scan.addresses.size() != 1) return std::nullopt;
  if (setup_.closed_by && scan.insert_line != entry_.lines - 1) return std::nullopt;
  if (!StandsFor(record, scan.addresses.front())) return std::nullopt;
  return std::move(scan.addresses.front());
}

std::string_view TTargetExporter::WhyNotFound(std::string_view) const { return kUnreadRecord; }

std::optional<std::string> TTargetExporter::EntryAddress(std::string_view record, std::string_view* why) {
  LoadSettings();
  std::optional<std::string> address = ReadBack(record);
  if (!address && why) {
    const std::string_view common = CommonReasonLeftOut(record);
    *why = common.empty() ? WhyNotFound(record) : common;
  }
  return address;
}

namespace {

// No address holds a line break: the key of a record that gives no entry.
const std::string kNoAddress = "\n";

// While the pending records' addresses stand in their places: puts the records back when
// the choice is made, or when it is given up half-way.
class StandIns {
 public:
  explicit StandIns(RecordList& records) : records_(records) {}
  StandIns(const StandIns&) = delete;
  StandIns& operator=(const StandIns&) = delete;
  ~StandIns() {
    for (size_t k = 0; k < places_.size(); ++k) records_.PutBack(places_[k], originals_[k]);
  }
  void Put(size_t place, std::string_view key) {
    places_.push_back(place);
    originals_.push_back(records_.PlaceOf(place));
    records_.Substitute(place, key);
  }

 private:
  RecordList& records_;
  std::vector<size_t> places_;
  std::vector<RecordList::Place> originals_;
};

}  // namespace

// The checks run over all records at once, each with the record's address as its key: most
// records read back as themselves and are their own key, so that the pending list itself
// is the list of keys, looked up a block at a time with the memory fetched ahead.
void TTargetExporter::Choose() {
  chosen_.clear();
  left_out_.Clear();
  StandIns stand_ins(pending_);
  for (size_t i = 0; i < pending_.size(); ++i) {
    if (ReadsAsItself(pending_[i])) continue;
    std::optional<std::string> address = ReadBack(pending_[i]);
    if (!address) {
      const std::string_view common = CommonReasonLeftOut(pending_[i]);
      left_out_.Note(pending_[i], common.empty() ? WhyNotFound(pending_[i]) : common);
      stand_ins.Put(i, kNoAddress);
    } else if (*address != pending_[i]) {
      stand_ins.Put(i, *address);
    }
  }
  const std::vector<bool> held = RecordIndex(existing_).ContainsEach(pending_);
  // Numbers are given in the order keys first come: a key is new when its number is the
  // count of keys met so far.
  const std::vector<uint32_t> numbers = RecordIndex(pending_.size()).AddEach(pending_);
  uint32_t met = 0;
  for (size_t i = 0; i < pending_.size(); ++i) {
    if (numbers[i] != met) continue;
    ++met;
    if (!held[i] && pending_[i] != kNoAddress) chosen_.push_back(uint32_t(i));
  }
}

void TTargetExporter::PutEntries(TLineSink& sink) {
  for (uint32_t i : chosen_) PutEntry(sink, pending_[i]);
  counts_.names = counts_.fresh = chosen_.size();
}

void TTargetExporter::doAddOnFile(TData& value, uint16_t) {
  const std::string path = AsText(value);
  TConfigWriter writer(path, AddOnEnding());
  PutAddOnHead(writer);
  PutEntries(writer);
  Commit(writer, path);
}

bool TTargetExporter::CheckReadable(MissingFile missing) {
  const std::string& path = reader_->Path();
  const TScanSource& source = reader_->Source();
  if (path.empty()) {
    Tell(NoFileSetMessage(setup_.target));
    return false;
  }
  switch (source.state) {
    case TLineReader::Source::Missing:
      if (missing == MissingFile::kNew) return true;
      Tell(FileNotFoundMessage(path));
      return false;
    case TLineReader::Source::Unreadable:  // told before the records were chosen
    case TLineReader::Source::Open: break;
  }
  if (source.nul) {
    Tell(NotTextMessage(path));
    return false;
  }
  return true;
}

void TTargetExporter::WriteInserted(const std::optional<size_t>& insert_line, std::string_view place) {
  if (!CheckReadable(MissingFile::kNotFound)) return;
  if (!insert_line) {
    Tell(NoInsertionMessage(reader_->Path(), place));
    return;
  }
  const RecordList& lines = reader_->Lines();
  const size_t insert = std::min(*insert_line, lines.size());
  TConfigWriter writer(reader_->Path(), reader_->Source().ending, WhenRefused::AskSystem);
  for (size_t i = 0; i < insert; ++i) writer.Line({lines[i]});
  PutEntries(writer);
  for (size_t i = insert; i < lines.size(); ++i) writer.Line({lines[i]});
  Commit(writer, reader_->Path());
}

bool TTargetExporter::Commit(TConfigWriter& writer, const std::string& path) {
  std::string why;
  if (writer.Commit(&why)) {
    written_ = true;
    FireEvent(EventOutput(kOnSummary),
              ExportSummary(path, counts_.names, counts_.fresh, counts_.taken_out, left_out_.Count()));
    return true;
  }
  if (!writer.Asked()) {
    Tell(SaveFailureMessage(path, why));
  } else if (writer.Asked()->result == platform::ElevatedWrite::Result::Cancelled) {
    // The user said no in the system's prompt: that is told, but it is no error.
    TData text = MakeText(ElevationFailureMessage(path, why, *writer.Asked()));
    warning_.doMessage(text, 0);
  } else {
    Tell(ElevationFailureMessage(path, why, *writer.Asked()));
  }
  return false;
}

void TTargetExporter::Tell(const std::string& text) {
  TData message = MakeText(text);
  error_.doMessage(message, 0);
}
