// TKXRadioButton: one choice of a group formed by all radio buttons of the same
// parent window, in the order they were created; exactly one of a group is checked.
#pragma once

#include <string>

#include "widgets/win.h"

class TKXRadioButton : public TKXWin {
 public:
  explicit TKXRadioButton(TKXWin* parent) : TKXWin(parent) {}
  ~TKXRadioButton() override;

  std::string Caption;
  bool Selected = false;  // checks this one (and clears its group) when the control is created

  TEventLink onClick;  // empty value, after a user click

  void Init() override;
  void varChecked(TData& value, uint16_t index);

  void OnClicked() override;

 private:
  bool registered_ = false;
  widgets::ControlId group_ = widgets::kNoControl;  // the parent's control, kept: the parent may go first
  void CheckOnlyThis();
};
