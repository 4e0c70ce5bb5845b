// The "Setting" page: the target settings panels, the ban list header and the general
// options. Input 2, doRefresh, fills every panel from the settings.
#pragma once

#include "widgets/panel_scheme.h"

class SettingsPage : public TPanelScheme {
 public:
  explicit SettingsPage(TKXWin* parent) : TPanelScheme(parent, kPagePlace, false, 3) {}
};
