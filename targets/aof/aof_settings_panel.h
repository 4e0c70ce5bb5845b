// AofSettingsPanel: the settings of the target on the settings page.
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh.
#pragma once

#include "widgets/panel_scheme.h"

class AofSettingsPanel : public TPanelScheme {
 public:
  explicit AofSettingsPanel(TKXWin* parent);
};
