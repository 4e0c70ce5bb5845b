// The base of every scheme that brings its own panel (pages and settings panels):
// the panel comes first, and the port's inputs 0 and 1 send it to the back or bring
// it to the front and show it. Input 2 (doRefresh, or a page's start input) and any
// further inputs are linked by the scheme itself.
#pragma once

#include "runtime/scheme.h"
#include "widgets/panel.h"

struct TPanelPlace {
  int32_t left, top, width, height;
  uint8_t bevel_inner, bevel_outer;
};

// The three pages of the main window share one place.
constexpr TPanelPlace kPagePlace{0, 20, 616, 390, 2, 1};
// So do the six panels of the settings page, which have no bevels.
constexpr TPanelPlace kSettingsPanelPlace{145, 5, 468, 382, 0, 0};

// Whether the panel shows from the start or waits for its doToFront.
enum class PanelShown : bool { kHidden = false, kShown = true };

class TPanelScheme : public TScheme {
 public:
  // The inputs every panel scheme shares; a scheme's further inputs follow kDoRefresh's place.
  enum PanelInput : uint16_t { kDoToBack = 0, kDoToFront = 1, kDoRefresh = 2 };

 protected:
  // `input_count` sizes the port's inputs once; entries 0 and 1 are linked here.
  TPanelScheme(TKXWin* parent, const TPanelPlace& place, PanelShown shown, uint16_t input_count);

  TKXPanel& Panel;
};
