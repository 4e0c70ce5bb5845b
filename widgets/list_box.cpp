// The list box.
#include "widgets/list_box.h"

void TKXListBox::Init() {
  CreateNative(widgets::ControlKind::ListBox);
  TKXWin::Init();
  FillInitialItems();
}

void TKXListBox::OnSelectionChanged() { FireSelection(onClick, SelectText); }
