// Measuring a text.
#include "elements/strings/length.h"

#include <algorithm>
#include <cstdint>
#include <limits>

void TKXLength::doLength(TData& value, uint16_t) {
  const size_t size = InputText(value, dataStr, std::string()).size();
  // The value carries 32-bit integers; a longer text reports the largest one rather than a wrapped count.
  const size_t largest = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  FireEvent(onLength, static_cast<int32_t>(std::min(size, largest)));
}
