// TKXPanel, a plain container window with bevels; every page and settings panel is one.
#pragma once

#include <cstdint>
#include <string>

#include "widgets/win.h"

class TKXPanel : public TKXWin {
 public:
  explicit TKXPanel(TKXWin* parent) : TKXWin(parent) {}

  std::string Caption;
  uint8_t BevelInner = 0;  // bevel styles; 0 draws none (pages use 2 and 1, settings panels 0 and 0)
  uint8_t BevelOuter = 0;
  uint16_t BevelWidth = 1;   // pixels per bevel step
  uint16_t BorderWidth = 1;  // pixels between the bevels
  int32_t Alignment = 0;     // of the caption: 0 left, 1 centre, 2 right

  void Init() override;
};
