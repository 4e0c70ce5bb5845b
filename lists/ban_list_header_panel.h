// BanListHeaderPanel: the header values of the ban list file on the settings page: who
// prepared the list, its web address, and the file "Generate BanList" writes (empty: ask).
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh.
#pragma once

#include <array>

#include "widgets/panel_scheme.h"
#include "widgets/setting_edit.h"

class BanListHeaderPanel : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoRefresh + 1 };

  explicit BanListHeaderPanel(TKXWin* parent);
};
