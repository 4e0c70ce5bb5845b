// TKXListBox, the list of texts on the edit-lists and generate pages.
#pragma once

#include "widgets/win_list.h"

class TKXListBox : public TKXWinList {
 public:
  explicit TKXListBox(TKXWin* parent) : TKXWinList(parent) {}

  bool SelectText = false;  // onClick carries the selected item's text instead of its index
  bool MultiSelect = false;

  TEventLink onClick;  // after the user changed the selection

  void Init() override;
  void OnSelectionChanged() override;
};
