// GeneralOptionsPanel: the general options of the settings page (the start-up duplicate
// search, the start-up correction, keeping the window position), the button that opens
// the update page, and "Default Setting".
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh. Event 0 onDefaults, after "Default
// Setting" has written its values.
#pragma once

#include "runtime/scheme.h"
#include "widgets/check_box.h"
#include "widgets/message.h"
#include "widgets/panel_scheme.h"

// The page the update button opens and "Default Setting" writes into the ban list header.
inline constexpr const char* kUpdateAddress = "https://www.veltrane.org/update";

class GeneralOptionsPanel : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoRefresh + 1 };
  enum Event : uint16_t { kOnDefaults = 0 };

  explicit GeneralOptionsPanel(TKXWin* parent);

  void doRefresh(TData& value, uint16_t index);
  void doWriteDefaults(TData& value, uint16_t index);

 private:
  TKXCheckBox& doubles_;
  TKXCheckBox& correction_;
  TKXCheckBox& save_position_;
  TKXMessage& save_error_;
};
