// The panel: its control, caption and caption alignment. Bevels are the backend's drawing.
#include "widgets/panel.h"

void TKXPanel::Init() {
  CreateNative(widgets::ControlKind::Panel);
  TKXWin::Init();
  if (Control() == widgets::kNoControl) return;
  Native().SetPanelFrame(Control(), BevelInner, BevelOuter, BevelWidth, BorderWidth);
  Native().SetText(Control(), Caption);
  Native().SetAlignment(Control(), Alignment);
}
