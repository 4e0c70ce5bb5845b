#include "targets/common/target_exporter.h"

#include <algorithm>

#include "elements/strings/if_else.h"
#include "lists/record_index.h"
#include "runtime/save_failure.h"
#include "targets/common/target_messages.h"

TTargetExporter::TTargetExporter(TKXWin* parent, const TExporterSetup& setup)
    : TScheme(parent),
      setup_(setup),
      reader_element_(New<TKXMultiElement>()),
      program_(New<TKXGlobalVar>()),
      add_on_dialog_(New<TKXSDialog>()),
      error_(New<TKXMessage>()) {
  program_.SetName(setup.program_variable);
  add_on_dialog_.Filter = setup.add_on_filter;
  add_on_dialog_.Title = setup.add_on_title;
  error_.Caption = kSaveFailureCaption;
  error_.Icon = 1;

  // The add-on file is written once the user has named it; a cancelled dialog writes nothing.
  add_on_dialog_.onExecute = MakeLink<&TTargetExporter::doAddOnFile>(*this);

  Port.SetInputCount(3);
  Port.onInput[0] = MakeLink<&TTargetExporter::doClear>(*this);
  Port.onInput[1] = MakeLink<&TTargetExporter::doAdd>(*this);
  Port.onInput[2] = MakeLink<&TTargetExporter::doExport>(*this);
}

void TTargetExporter::doClear(TData&, uint16_t) { pending_.clear(); }

void TTargetExporter::doAdd(TData& value, uint16_t) {
  pending_.push_back(value.kind == KindString ? std::move(value.text) : AsText(value));
}

void TTargetExporter::doExisting(TData& value, uint16_t) {
  existing_.push_back(value.kind == KindString ? std::move(value.text) : AsText(value));
}

// Both modes read the file first, so that an add-on file also leaves out what the target
// already holds; with an empty path (mode "ALL To File") nothing is left out.
void TTargetExporter::doExport(TData&, uint16_t) {
  existing_.clear();
  TData none;
  reader_element_.doWork(none, 0);
  if (reader_->Source().state == TLineReader::Source::Unreadable) {
    // Neither mode can tell which records the file holds: an add-on file would repeat them.
    Tell(CannotReadMessage(reader_->Path(), reader_->Source().why) + kNothingWritten);
    existing_ = {};
    return;
  }
  RemoveKnown(pending_, RecordIndex(existing_));
  Filtered();
  if (CompareValues(CompareEqual, program_.Value(), MakeInteger(1))) {
    WriteDirect();
  } else {
    add_on_dialog_.doExecute(none, 0);
  }
  existing_ = {};
}

void TTargetExporter::doAddOnFile(TData& value, uint16_t) {
  const std::string path = AsText(value);
  TConfigWriter writer(path, LineEnding::CrLf);
  PutAddOnHead(writer);
  PutEntries(writer);
  Commit(writer, path);
}

bool TTargetExporter::CheckReadable(bool missing_is_new) {
  const std::string& path = reader_->Path();
  const TScanSource& source = reader_->Source();
  if (path.empty()) {
    Tell(NoFileSetMessage(setup_.target));
    return false;
  }
  switch (source.state) {
    case TLineReader::Source::Missing:
      if (missing_is_new) return true;
      Tell(FileNotFoundMessage(path));
      return false;
    case TLineReader::Source::Unreadable:  // told before the records were filtered
    case TLineReader::Source::Open: break;
  }
  if (source.nul) {
    Tell(NotTextMessage(path));
    return false;
  }
  return true;
}

void TTargetExporter::WriteInserted(const std::optional<size_t>& insert_line, std::string_view place) {
  if (!CheckReadable(false)) return;
  if (!insert_line) {
    Tell(NoInsertionMessage(reader_->Path(), place));
    return;
  }
  const std::vector<std::string>& lines = reader_->Lines();
  const size_t insert = std::min(*insert_line, lines.size());
  TConfigWriter writer(reader_->Path(), reader_->Source().ending);
  for (size_t i = 0; i < insert; ++i) writer.Line({lines[i]});
  PutEntries(writer);
  for (size_t i = insert; i < lines.size(); ++i) writer.Line({lines[i]});
  Commit(writer, reader_->Path());
}

bool TTargetExporter::Commit(TConfigWriter& writer, const std::string& path) {
  std::string why;
  if (writer.Commit(&why)) return true;
  Tell(SaveFailureMessage(path, why));
  return false;
}

void TTargetExporter::Tell(const std::string& text) {
  TData message = MakeText(text);
  error_.doMessage(message, 0);
}
