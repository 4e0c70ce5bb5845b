#include "targets/hosts/hosts_settings_panel.h"

HostsSettingsPanel::HostsSettingsPanel(TKXWin* parent) : TPanelScheme(parent, kSettingsPanelPlace, false, 3) {}
