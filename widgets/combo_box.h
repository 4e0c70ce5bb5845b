// TKXComboBox, the drop-down list of choices (category and load-source choosers).
#pragma once

#include "widgets/win_list.h"

class TKXComboBox : public TKXWinList {
 public:
  explicit TKXComboBox(TKXWin* parent) : TKXWinList(parent) {}

  bool Editable = false;    // the user may type a text; off, it is a pure drop-down list
  bool SelectText = false;  // onClick carries the selected item's text instead of its index

  TEventLink onClick;  // after the user picked another item

  void Init() override;
  void varSelected(TData& value, uint16_t index);
  void OnSelectionChanged() override;
};
