// TKXHub: fans one event out to its outputs, strictly in order, each with its own copy.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXHub : public TKXObject {
 public:
  uint8_t InCount = 0;              // inputs shown in the wiring; every input runs all outputs
  std::vector<TEventLink> onEvent;  // outputs 0 ... count-1

  void SetCount(uint16_t n);
  // Sizes the outputs to the links given and fills them in order: the usual wiring of a hub.
  void SetOutputs(std::initializer_list<TEventLink> outputs);
  uint16_t Count() const { return count_; }

  void doEvent(TData& value, uint16_t index);

 private:
  // Kept as wide as the array: a hub sized beyond 255 outputs still runs every one of them.
  uint16_t count_ = 0;
};
