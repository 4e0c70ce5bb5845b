// TKXCheckBox: an on/off box that the schemes set and read, reporting the user's clicks.
#pragma once

#include <string>

#include "widgets/win.h"

class TKXCheckBox : public TKXWin {
 public:
  explicit TKXCheckBox(TKXWin* parent) : TKXWin(parent) {}

  std::string Caption;
  bool Checked = false;  // initial state

  TEventLink onCheck;  // the new state, 1 or 0, after a user click

  void Init() override;
  void doCheck(TData& value, uint16_t index);
  void varChecked(TData& value, uint16_t index);

  void OnClicked() override;

 private:
  bool IsChecked();
};
