#include "targets/kwf/kwf_settings_panel.h"

KwfSettingsPanel::KwfSettingsPanel(TKXWin* parent) : TPanelScheme(parent, kSettingsPanelPlace, false, 3) {}
