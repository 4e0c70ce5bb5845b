// Gives a control of a page or panel its place and the pages' font, "MS Sans Serif" 8.
#pragma once

#include "widgets/win.h"

inline const TFontRec kPageFont{"MS Sans Serif", 8, 0, 0};

template <class Control>
Control& Placed(Control& control, int32_t left, int32_t top, int32_t width, int32_t height) {
  control.Left = left;
  control.Top = top;
  control.Width = width;
  control.Height = height;
  control.Font = kPageFont;
  return control;
}
