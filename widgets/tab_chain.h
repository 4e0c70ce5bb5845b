// The order in which Tab and Shift+Tab visit a window's controls: only the controls given a
// tab place take part, each at the place it was given when it was given it.
#pragma once

#include <vector>

#include "widgets/backend.h"

namespace widgets {

// Puts `id` at 1-based place `order` of `chain` (taking it out of its old place first); a place
// beyond the end is the end, and the controls from that place on move one further back.
void PlaceInTabChain(std::vector<ControlId>& chain, ControlId id, int order);

// The control that Tab (or Shift+Tab, `backwards`) moves the focus to from `from`, round the
// chain; `from` itself when it is alone, kNoControl when it has no place.
ControlId NextInTabChain(const std::vector<ControlId>& chain, ControlId from, bool backwards);

}  // namespace widgets
