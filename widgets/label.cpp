// The static text and clickable label.
#include "widgets/label.h"

#include "widgets/backend_codes.h"
#include "widgets/user_action.h"

namespace {
constexpr uint8_t kUnderline = 4;
}

void TKXLabel::Init() {
  CreateNative(widgets::ControlKind::Label);
  TKXWin::Init();
  if (Control() != widgets::kNoControl) Native().SetText(Control(), Caption);
}

void TKXLabel::doText(TData& value, uint16_t) {
  Caption = InputText(value, dataText, "");
  if (Control() != widgets::kNoControl) Native().SetText(Control(), Caption);
}

void TKXLabel::varText(TData& value, uint16_t) {
  value = MakeText(Control() == widgets::kNoControl ? Caption : Native().GetText(Control()));
}

void TKXLabel::OnClicked() {
  const TUserAction action;
  if (action.Go()) FireEvent(onClick);
}

void TKXLabel::OnMouseEnter() {
  if (Control() == widgets::kNoControl) return;
  if (HoverColor != 0 || UnderlineOnHover) {
    TFontRec hover = EffectiveFont();
    if (HoverColor != 0) hover.color = HoverColor;
    if (UnderlineOnHover) hover.style |= kUnderline;
    Native().SetFont(Control(), hover);
  }
  if (HoverCursor != 0) Native().SetCursor(Control(), widgets::CursorFromCode(HoverCursor));
}

void TKXLabel::OnMouseLeave() {
  if (Control() == widgets::kNoControl) return;
  if (HoverColor != 0 || UnderlineOnHover) Native().SetFont(Control(), EffectiveFont());
  if (HoverCursor != 0) Native().SetCursor(Control(), widgets::CursorFromCode(Cursor));
}
