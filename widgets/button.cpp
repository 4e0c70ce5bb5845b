// The push button.
#include "widgets/button.h"

#include "widgets/user_action.h"

void TKXButton::Init() {
  CreateNative(widgets::ControlKind::Button);
  TKXWin::Init();
  if (Control() != widgets::kNoControl) Native().SetText(Control(), Caption);
}

void TKXButton::doCaption(TData& value, uint16_t) {
  Caption = AsText(value);
  if (Control() != widgets::kNoControl) Native().SetText(Control(), Caption);
}

void TKXButton::OnClicked() {
  const TUserAction action;
  if (!action.Go()) return;
  // A copy, so that a receiver that changes what it gets cannot change the next click.
  TData value = Data;
  FireEvent(onClick, value);
}
