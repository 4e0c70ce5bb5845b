// TTargetSettingsPanel: what the four target panels of the settings page share. Each shows
// its settings in edits bound to their keys; "Find" puts a chosen file into the path edit;
// "Save" stores the edits in the target's order, and after the path writes the target's
// switch (p_kwf and its siblings): 1 when the path is longer than one character, else 0;
// read back from the settings file into its variable, as every setting is, so that the
// target is on or off at once (the generate page's buttons follow it).
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh (every edit shows its variable).
#pragma once

#include <span>

#include "runtime/global_var.h"
#include "runtime/ini.h"
#include "targets/target_catalog.h"
#include "widgets/panel_scheme.h"
#include "widgets/setting_edit.h"

struct TPlace {
  int32_t left, top, width, height;
};

struct TPanelControl {
  enum Kind { Label, Edit, Find, Save } kind;
  TPlace place;
  const char* text = "";      // a label's caption, or an edit's first text
  const char* key = nullptr;  // an edit's key in the panel's section, and its global variable
  const char* variable = nullptr;
  bool optional = false;  // an edit of an option: empty, it writes no key the file lacks
};

struct TTargetPanelSetup {
  const char* section;
  const char* switch_key;  // in section "VELTR_Setting"
  const char* path_key;    // the edit holding the target's file
  const char* find_filter;
  const char* find_title;
  std::span<const TPanelControl> controls;   // in the order they are made
  std::span<const char* const> store_order;  // the keys "Save" stores, in order
};

// The panel of a target of the catalog: its section, switch, path key and "Find" dialog.
constexpr TTargetPanelSetup PanelSetupOf(const TTargetInfo& target, std::span<const TPanelControl> controls,
                                         std::span<const char* const> store_order) {
  return {target.section,    target.switch_key, target.path_key, target.find_filter,
          target.find_title, controls,          store_order};
}

class TTargetSettingsPanel : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoRefresh + 1 };

  void doPathStored(TData& value, uint16_t index);

 protected:
  TTargetSettingsPanel(TKXWin* parent, const TTargetPanelSetup& setup);

 private:
  SettingEdit* path_ = nullptr;
  TKXini& switch_;
  TKXGlobalVar& switch_variable_;
};
