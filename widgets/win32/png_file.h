// A PNG writer for window shots: 24-bit colour, stored (uncompressed) deflate blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace widgets::win32impl {

// `rgb` holds height rows of width pixels, three bytes each (red, green, blue), top row first.
std::string EncodePng(int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace widgets::win32impl
