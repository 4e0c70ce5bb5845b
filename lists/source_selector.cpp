#include "lists/source_selector.h"

SourceSelector::SourceSelector(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&SourceSelector::doSelect>(*this);
}

void SourceSelector::doSelect(TData& value, uint16_t) {
  const std::string text = AsText(value);
  for (uint16_t k = 0; k < kSources.size(); ++k) {
    if (text != kSources[k]) continue;
    FireEvent(EventOutput(k));
    // A source that is itself a list file gets its record back; any other source is only a
    // working list, so moving a record out of a category deletes it from that list.
    const bool list_file = k == 0 || k == 5;
    FireEvent(EventOutput(7), list_file ? "<<<" : "<- Delete");
    return;
  }
  if (text != kWebListSource) return;
  FireEvent(EventOutput(kWebListOutput));
  FireEvent(EventOutput(7), "<- Delete");
}
