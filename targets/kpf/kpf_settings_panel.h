// KpfSettingsPanel: the Kerio Personal Firewall settings on the settings page: the affixes
// of IP-style records, the path of "update.cfg" and the number of dated backups to keep.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh.
#pragma once

#include "targets/common/target_settings_panel.h"

class KpfSettingsPanel : public TTargetSettingsPanel {
 public:
  explicit KpfSettingsPanel(TKXWin* parent);
};
