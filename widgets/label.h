// TKXLabel, the static text, which may also serve as a clickable text that changes
// colour, cursor and underline while the mouse is over it.
#pragma once

#include <string>

#include "widgets/win.h"

class TKXLabel : public TKXWin {
 public:
  explicit TKXLabel(TKXWin* parent) : TKXWin(parent) {}

  std::string Caption;
  uint32_t HoverColor = 0;  // font colour under the mouse; 0 = unchanged
  int32_t HoverCursor = 0;  // cursor under the mouse; 0 = unchanged
  bool UnderlineOnHover = false;

  TEventLink dataText;
  TEventLink onClick;

  void Init() override;
  void doText(TData& value, uint16_t index);
  void varText(TData& value, uint16_t index);

  void OnClicked() override;
  void OnMouseEnter() override;
  void OnMouseLeave() override;
};
