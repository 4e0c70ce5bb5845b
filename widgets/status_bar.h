// TKXStatusBar, the one-panel status bar at the foot of the main window.
#pragma once

#include <cstdint>
#include <string>

#include "widgets/win.h"

class TKXStatusBar : public TKXWin {
 public:
  explicit TKXStatusBar(TKXWin* parent) : TKXWin(parent) {}

  bool SizeGrip = false;
  std::string Text;       // the first panel's text
  int32_t Alignment = 0;  // 0 left, 1 centre, 2 right
  std::string Strings;    // further panels, "text=width" per line; the program has none

  void Init() override;
  // Shows the arriving text in the first panel for the time being (a summary, the progress
  // of a download); the empty text shows `Text` again.
  void doText(TData& value, uint16_t index);
};
