// The list box.
#include "widgets/list_box.h"

#include "widgets/user_action.h"

void TKXListBox::Init() {
  CreateNative(widgets::ControlKind::ListBox);
  TKXWin::Init();
  FillInitialItems();
}

void TKXListBox::OnSelectionChanged() {
  const TUserAction action;
  if (action.Go()) FireSelection(onClick, SelectText);
}
