#include "widgets/panel_scheme.h"

namespace {
TKXPanel& MakePanel(TKXPanel& panel, const TPanelPlace& place, bool visible) {
  panel.Left = place.left;
  panel.Top = place.top;
  panel.Width = place.width;
  panel.Height = place.height;
  panel.BevelInner = place.bevel_inner;
  panel.BevelOuter = place.bevel_outer;
  panel.BevelWidth = 1;
  panel.BorderWidth = 1;
  panel.Visible = visible;
  panel.Init();
  return panel;
}
}  // namespace

TPanelScheme::TPanelScheme(TKXWin* parent, const TPanelPlace& place, bool visible, uint16_t input_count)
    : TScheme(parent), Panel(MakePanel(New<TKXPanel>(parent), place, visible)) {
  Port.SetInputCount(input_count);
  Port.onInput[0] = MakeLink<&TKXPanel::doSendToBack>(Panel);
  Port.onInput[1] = MakeLink<&TKXPanel::doBringToFront>(Panel);
}
