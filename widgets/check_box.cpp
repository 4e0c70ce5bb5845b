// The check box.
#include "widgets/check_box.h"

#include "widgets/user_action.h"

void TKXCheckBox::Init() {
  CreateNative(widgets::ControlKind::CheckBox);
  TKXWin::Init();
  if (Control() == widgets::kNoControl) return;
  Native().SetText(Control(), Caption);
  Native().SetChecked(Control(), Checked);
}

bool TKXCheckBox::IsChecked() { return Control() == widgets::kNoControl ? Checked : Native().GetChecked(Control()); }

// Setting the state from a scheme is not a user's click, so onCheck stays silent.
void TKXCheckBox::doCheck(TData& value, uint16_t) {
  Checked = AsTruth(value);
  if (Control() != widgets::kNoControl) Native().SetChecked(Control(), Checked);
}

void TKXCheckBox::varChecked(TData& value, uint16_t) { value = MakeInteger(IsChecked() ? 1 : 0); }

void TKXCheckBox::OnClicked() {
  const TUserAction action;
  // The click had no effect: the box shows what it showed before.
  if (!action.Go()) Native().SetChecked(Control(), Checked);
  Checked = IsChecked();
  if (!action.Go()) return;
  FireEvent(onCheck, Checked ? 1 : 0);
}
