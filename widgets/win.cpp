#include "widgets/win.h"

#include "widgets/backend_codes.h"

const TFontRec& TKXWin::EffectiveFont() const {
  if (ParentFont && parent_) return parent_->EffectiveFont();
  return Font;
}

void TKXWin::CreateNative(widgets::ControlKind kind) {
  control_ = Native().Create(kind, parent_ ? parent_->Control() : widgets::kNoControl, this);
}

void TKXWin::Init() {
  if (control_ == widgets::kNoControl) return;
  auto& native = Native();
  native.SetGeometry(control_, Left, Top, Width, Height);
  native.SetColor(control_, Color);
  native.SetEnabled(control_, Enabled);
  native.SetVisible(control_, Visible);
  native.SetCursor(control_, widgets::CursorFromCode(Cursor));
  native.SetFont(control_, EffectiveFont());
  if (TabOrder > 0) native.SetTabOrder(control_, TabOrder);
  if (!Hint.empty()) native.SetTooltip(control_, Hint);
}

void TKXWin::doEnabled(TData& value, uint16_t) {
  Enabled = AsTruth(value);
  if (control_ != widgets::kNoControl) Native().SetEnabled(control_, Enabled);
}

void TKXWin::doSendToBack(TData&, uint16_t) {
  if (control_ != widgets::kNoControl) Native().SetZOrder(control_, false);
}

void TKXWin::doBringToFront(TData&, uint16_t) {
  if (control_ == widgets::kNoControl) return;
  Native().SetZOrder(control_, true);
  Visible = true;
  Native().SetVisible(control_, true);
}

void TKXWin::varHandle(TData& value, uint16_t) { value = MakeInteger(control_); }
