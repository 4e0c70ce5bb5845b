// Where a status bar's text goes and how much room its window must make for it: the rules of
// the original status bar, for every backend to show alike.
#pragma once

#include <string_view>

#include "widgets/backend.h"

namespace widgets {

// A status text as the bar shows it: one leading tab centres the rest and two right-align it;
// without a leading tab the bar's own alignment holds.
struct StatusLine {
  Alignment alignment = Alignment::Left;
  std::string_view text;  // what is shown, the leading tabs taken off
};
StatusLine LayOutStatusText(std::string_view text, Alignment bar);

// How many pixels a window's client area must grow so that its status bar, docked along its
// bottom edge, covers none of its other controls (the lowest of which ends at `controls_bottom`):
// the pages are laid out for the client area the window's outer size would give without a
// frame, and the record counts at their foot must stay in sight. 0 when it is tall enough.
int StatusBarRoom(int client_height, int controls_bottom, int bar_height);

}  // namespace widgets
