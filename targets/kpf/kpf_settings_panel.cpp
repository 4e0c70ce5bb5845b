#include "targets/kpf/kpf_settings_panel.h"

KpfSettingsPanel::KpfSettingsPanel(TKXWin* parent) : TPanelScheme(parent, kSettingsPanelPlace, false, 3) {}
