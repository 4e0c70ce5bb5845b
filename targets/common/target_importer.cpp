#include "targets/common/target_importer.h"

#include "elements/strlist/record_index.h"
#include "elements/strlist/records_view.h"
#include "runtime/save_failure.h"
#include "targets/common/target_messages.h"

TTargetImporter::TTargetImporter(TKXWin* parent, const char* filter, bool reversed)
    : TScheme(parent), reversed_(reversed), dialog_(New<TKXODialog>()), error_(New<TKXMessage>()) {
  dialog_.Filter = filter;
  dialog_.Title = " Open Configuration File";
  AsFailureBox(error_);

  // The user picks the file every time; a cancelled dialog loads nothing.
  dialog_.onExecute = MakeLink<&TTargetImporter::doFile>(*this);
  dialog_.onCancel = EventOutput(kOnCancel);

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoImport] = MakeLink<&TTargetImporter::doImport>(*this);
}

void TTargetImporter::doImport(TData&, uint16_t) {
  TData none;
  dialog_.doExecute(none, 0);
}

void TTargetImporter::doFile(TData& value, uint16_t) {
  const std::string path = AsText(value);
  TScanSource source;
  std::vector<std::string> addresses = Extract(path, source);
  if (source.state == TLineReader::Source::Unreadable) {
    // Unlike a missing file, which simply holds nothing, this one may hold addresses.
    TData text = MakeText(CannotReadMessage(path, source.why));
    error_.doMessage(text, 0);
    FireEvent(EventOutput(kOnCancel));
    return;
  }
  {
    TData known_value;
    PullData(DataInput(kDataKnown), known_value);
    const TRecordsView known(known_value);
    RemoveKnown(addresses, RecordIndex(known.Records()));
  }
  const TEventLink on_address = EventOutput(kOnAddress);
  if (reversed_) {
    for (auto address = addresses.rbegin(); address != addresses.rend(); ++address) FireEvent(on_address, *address);
  } else {
    for (const std::string& address : addresses) FireEvent(on_address, address);
  }
}
