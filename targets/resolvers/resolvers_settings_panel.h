// ResolversSettingsPanel: the "DNS Resolvers" panel of the settings page: the file of each
// of the five resolver formats, with "Find" beside each (a file that does not exist yet may
// be named: the export makes it) and one "Save" that stores the five paths in section
// "Resolvers". An empty path leaves the format's direct write off. The check box "compress"
// (key `compress`, off by default) is stored as soon as it is clicked.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh (every edit and the box show their variables).
#pragma once

#include "runtime/global_var.h"
#include "widgets/check_box.h"
#include "widgets/panel_scheme.h"

class ResolversSettingsPanel : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoRefresh + 1 };

  explicit ResolversSettingsPanel(TKXWin* parent);

  void doRefreshOption(TData& value, uint16_t index);

 private:
  TKXCheckBox* compress_box_ = nullptr;
  TKXGlobalVar* compress_variable_ = nullptr;
};
