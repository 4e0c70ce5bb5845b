// The "Setting" page: a column of buttons, each bringing its settings panel to the front:
// the general options, the ban list header, the four targets, the DNS resolvers' files and
// the web lists.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh (every panel shows the settings). Event 0:
// a text for the status bar (the progress of the web lists' downloads).
#pragma once

#include "widgets/panel_scheme.h"

class SettingsPage : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoRefresh + 1 };
  enum Event : uint16_t { kOnStatusText = 0 };

  explicit SettingsPage(TKXWin* parent);
};
