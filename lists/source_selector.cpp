#include "lists/source_selector.h"

SourceSelector::SourceSelector(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoSelect] = MakeLink<&SourceSelector::doSelect>(*this);
}

void SourceSelector::doSelect(TData& value, uint16_t) {
  const std::string text = AsText(value);
  for (uint16_t k = 0; k < kSources.size(); ++k) {
    if (text != kSources[k]) continue;
    FireEvent(EventOutput(k));
    // A source that is itself a list file gets its record back; any other source is only a
    // working list, so moving a record out of a category deletes it from that list.
    const bool list_file = k == kOnBanList || k == kOnUnsorted;
    FireEvent(EventOutput(kOnMoveLeftCaption), list_file ? "<<<" : "<- Delete");
    return;
  }
  if (text != kWebListSource) return;
  FireEvent(EventOutput(kOnWebList));
  FireEvent(EventOutput(kOnMoveLeftCaption), "<- Delete");
}
