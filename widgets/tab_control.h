// TKXTabControl, the tab strip: one tab per line of Tabs, and the selected tab's index.
#pragma once

#include <string>

#include "widgets/win.h"

class TKXTabControl : public TKXWin {
 public:
  explicit TKXTabControl(TKXWin* parent) : TKXWin(parent) {}

  std::string Tabs;  // one caption per line
  TEventLink onChange;

  void Init() override;
  void varIndex(TData& value, uint16_t index);  // the selected tab from 0; -1 when none

  void OnSelectionChanged() override;
};
