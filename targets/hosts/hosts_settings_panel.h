// HostsSettingsPanel: the hosts settings on the settings page: the IP every exported name
// is mapped to, the path of the hosts file and the number of dated backups to keep.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh.
#pragma once

#include "targets/common/target_settings_panel.h"

class HostsSettingsPanel : public TTargetSettingsPanel {
 public:
  explicit HostsSettingsPanel(TKXWin* parent);
};
