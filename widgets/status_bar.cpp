// The status bar: its text and the text's alignment.
#include "widgets/status_bar.h"

#include <algorithm>

#include "widgets/backend_codes.h"

void TKXStatusBar::Init() {
  CreateNative(widgets::ControlKind::StatusBar);
  TKXWin::Init();
  if (Control() == widgets::kNoControl) return;
  auto& native = Native();
  native.SetText(Control(), Text);
  // The native bar knows only left, centre and right.
  native.SetAlignment(Control(), widgets::AlignmentFromCode(std::clamp(Alignment, 0, 2)));
  native.SetVisible(Control(), Visible);
}

void TKXStatusBar::doText(TData& value, uint16_t) {
  if (Control() == widgets::kNoControl) return;
  const std::string text = AsText(value);
  Native().SetText(Control(), text.empty() ? Text : text);
}
