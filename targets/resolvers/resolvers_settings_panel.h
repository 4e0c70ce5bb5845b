// ResolversSettingsPanel: the "DNS Resolvers" panel of the settings page: the file of each
// of the five resolver formats, with "Find" beside each (a file that does not exist yet may
// be named: the export makes it) and one "Save" that stores the five paths in section
// "Resolvers". An empty path leaves the format's direct write off.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh (every edit shows its variable).
#pragma once

#include "widgets/panel_scheme.h"

class ResolversSettingsPanel : public TPanelScheme {
 public:
  explicit ResolversSettingsPanel(TKXWin* parent);
};
