// Radio buttons and their groups.
#include "widgets/radio_button.h"

#include <algorithm>
#include <map>
#include <vector>

#include "widgets/user_action.h"

namespace {
// The groups, keyed by the parent's control, each in creation order.
std::map<widgets::ControlId, std::vector<TKXRadioButton*>>& Groups() {
  static std::map<widgets::ControlId, std::vector<TKXRadioButton*>> groups;
  return groups;
}
}  // namespace

TKXRadioButton::~TKXRadioButton() {
  if (!registered_) return;
  auto& groups = Groups();
  auto group = groups.find(group_);
  if (group == groups.end()) return;
  auto& members = group->second;
  members.erase(std::remove(members.begin(), members.end(), this), members.end());
  if (members.empty()) groups.erase(group);
}

void TKXRadioButton::Init() {
  CreateNative(widgets::ControlKind::RadioButton);
  TKXWin::Init();
  if (Control() == widgets::kNoControl) return;
  Native().SetText(Control(), Caption);
  group_ = Parent() ? Parent()->Control() : widgets::kNoControl;
  auto& members = Groups()[group_];
  members.push_back(this);
  registered_ = true;
  // The first of a group starts checked, so a group always has a choice; a later
  // button's Selected takes the check over.
  Native().SetChecked(Control(), members.size() == 1);
  if (Selected) CheckOnlyThis();
}

void TKXRadioButton::CheckOnlyThis() {
  auto& native = Native();
  for (TKXRadioButton* other : Groups()[group_]) {
    if (other != this && other->Control() != widgets::kNoControl) native.SetChecked(other->Control(), false);
  }
  native.SetChecked(Control(), true);
}

void TKXRadioButton::varChecked(TData& value, uint16_t) {
  const bool checked = Control() != widgets::kNoControl && Native().GetChecked(Control());
  value = MakeInteger(checked ? 1 : 0);
}

void TKXRadioButton::OnClicked() {
  if (Control() == widgets::kNoControl) return;
  CheckOnlyThis();
  const TUserAction action;
  if (action.Go()) FireEvent(onClick);
}
