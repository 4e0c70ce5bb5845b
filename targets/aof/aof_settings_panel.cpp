#include "targets/aof/aof_settings_panel.h"

AofSettingsPanel::AofSettingsPanel(TKXWin* parent) : TPanelScheme(parent, kSettingsPanelPlace, false, 3) {}
