#include "widgets/panel_scheme.h"

namespace {
TKXPanel& MakePanel(TKXPanel& panel, const TPanelPlace& place, PanelShown shown) {
  panel.Left = place.left;
  panel.Top = place.top;
  panel.Width = place.width;
  panel.Height = place.height;
  panel.BevelInner = place.bevel_inner;
  panel.BevelOuter = place.bevel_outer;
  panel.BevelWidth = 1;
  panel.BorderWidth = 1;
  panel.Visible = shown == PanelShown::kShown;
  panel.Init();
  return panel;
}
}  // namespace

TPanelScheme::TPanelScheme(TKXWin* parent, const TPanelPlace& place, PanelShown shown, uint16_t input_count)
    : TScheme(parent), Panel(MakePanel(New<TKXPanel>(parent), place, shown)) {
  Port.SetInputCount(input_count);
  Port.onInput[kDoToBack] = MakeLink<&TKXPanel::doSendToBack>(Panel);
  Port.onInput[kDoToFront] = MakeLink<&TKXPanel::doBringToFront>(Panel);
}
