// The panel: its control, caption and caption alignment. Bevels are the backend's drawing.
#include "widgets/panel.h"

#include "widgets/backend_codes.h"

void TKXPanel::Init() {
  CreateNative(widgets::ControlKind::Panel);
  TKXWin::Init();
  if (Control() == widgets::kNoControl) return;
  Native().SetPanelFrame(
      Control(), {widgets::BevelFromCode(BevelInner), widgets::BevelFromCode(BevelOuter), BevelWidth, BorderWidth});
  Native().SetText(Control(), Caption);
  Native().SetAlignment(Control(), widgets::AlignmentFromCode(Alignment));
}
