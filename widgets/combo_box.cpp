// The combo box.
#include "widgets/combo_box.h"

#include "widgets/user_action.h"

void TKXComboBox::Init() {
  CreateNative(widgets::ControlKind::ComboBox);
  TKXWin::Init();
  FillInitialItems();
}

void TKXComboBox::varSelected(TData& value, uint16_t) { value = MakeText(SelectedText()); }

void TKXComboBox::OnSelectionChanged() {
  const TUserAction action;
  if (action.Go()) FireSelection(onClick, SelectText);
}
