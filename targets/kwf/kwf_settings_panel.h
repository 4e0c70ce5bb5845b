// KwfSettingsPanel: the Kerio Winroute Firewall settings on the settings page: the affixes
// of every exported address, the URL group, the path of "winroute.cfg" and the number of
// dated backups to keep.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh.
#pragma once

#include "targets/common/target_settings_panel.h"

class KwfSettingsPanel : public TTargetSettingsPanel {
 public:
  explicit KwfSettingsPanel(TKXWin* parent);
};
