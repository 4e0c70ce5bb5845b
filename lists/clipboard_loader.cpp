#include "lists/clipboard_loader.h"

#include "elements/strlist/records_view.h"
#include "lists/clipboard_address.h"
#include "lists/list_catalog.h"

ClipboardLoader::ClipboardLoader(TKXWin* parent) : TScheme(parent), clipboard_(New<TKXClipboard>()) {
  for (size_t i = 0; i < counters_.size(); ++i) {
    counters_[i] = &New<TKXGlobalVar>();
    counters_[i]->SetName(Info(kAllRecordsOrder[i]).counter);
  }
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoLoad] = MakeLink<&ClipboardLoader::doLoad>(*this);
}

void ClipboardLoader::doLoad(TData&, uint16_t) {
  TData text;
  clipboard_.varText(text, 0);
  const std::vector<std::string> candidates = ClipboardCandidates(AsText(text));
  if (candidates.empty()) {
    FireEvent(EventOutput(kOnCancel));
    return;
  }
  TData known_value;
  PullData(DataInput(kDataKnown), known_value);
  const TRecordsView known(known_value);
  TListCounts counts{};
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = AsInteger(counters_[i]->Value());
  const std::vector<std::string> report = AlreadyExistsReport(candidates, known.Records(), counts);

  const TEventLink on_line = EventOutput(kOnLine);
  if (report.empty()) {
    for (auto candidate = candidates.rbegin(); candidate != candidates.rend(); ++candidate)
      FireEvent(on_line, *candidate);
    return;
  }
  for (auto line = report.rbegin(); line != report.rend(); ++line) {
    FireEvent(EventOutput(kOnCancel));
    FireEvent(on_line, *line);
    FireEvent(EventOutput(kOnCountLine));
  }
}
