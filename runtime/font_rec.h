// The font description that window elements take as a property.
#pragma once

#include <cstdint>
#include <string>

struct TFontRec {
  std::string name = "MS Sans Serif";
  uint8_t size = 8;    // points
  uint8_t style = 0;   // bits: 1 bold, 2 italic, 4 underline, 8 strike-out; 0 = regular
  uint32_t color = 0;  // 0x00BBGGRR; a top byte of 0xFF names a system colour by its low byte
};
