// The tab strip.
#include "widgets/tab_control.h"

#include "runtime/lines.h"
#include "widgets/user_action.h"

void TKXTabControl::Init() {
  CreateNative(widgets::ControlKind::TabStrip);
  TKXWin::Init();
  if (Control() == widgets::kNoControl) return;
  for (const std::string& caption : SplitLines(Tabs)) Native().InsertItem(Control(), -1, caption);
}

void TKXTabControl::varIndex(TData& value, uint16_t) {
  value = MakeInteger(Control() == widgets::kNoControl ? -1 : Native().GetSelection(Control()));
}

void TKXTabControl::OnSelectionChanged() {
  const TUserAction action;
  if (action.Go()) FireEvent(onChange);
}
