// AofSettingsPanel: the Outpost settings on the settings page: the affix put in front of
// every exported site, the path of the configuration file and the number of dated backups.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh.
#pragma once

#include "targets/common/target_settings_panel.h"

class AofSettingsPanel : public TTargetSettingsPanel {
 public:
  explicit AofSettingsPanel(TKXWin* parent);
};
