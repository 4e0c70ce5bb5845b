// The single-line text field.
#include "widgets/edit.h"

#include "widgets/user_action.h"

void TKXEdit::Init() {
  CreateNative(widgets::ControlKind::Edit);
  TKXWin::Init();
  SetOwnText(Text);
}

void TKXEdit::SetOwnText(const std::string& text) {
  if (Control() == widgets::kNoControl) return;
  notify_state_ = 2;
  Native().SetText(Control(), text);
  // The control reports the change from inside SetText. Setting the text it already
  // holds may report nothing; the state must not stay at 2 then, or the user's next
  // keystroke would be swallowed.
  notify_state_ = 1;
}

std::string TKXEdit::CurrentText() { return Control() == widgets::kNoControl ? Text : Native().GetText(Control()); }

void TKXEdit::doText(TData& value, uint16_t) { SetOwnText(InputText(value, dataText, "")); }

void TKXEdit::varText(TData& value, uint16_t) { value = MakeText(CurrentText()); }

void TKXEdit::OnTextChanged() {
  const bool users_change = notify_state_ == 1;
  notify_state_ = 1;
  if (users_change) FireEvent(onChange, CurrentText());
}

void TKXEdit::OnEnterPressed() {
  const TUserAction action;
  if (action.Go()) FireEvent(onEnter, CurrentText());
}
