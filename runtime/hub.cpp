// Hub fan-out: output k and everything it sets off finish before output k+1 starts.
#include "runtime/hub.h"

#include <algorithm>

void TKXHub::SetCount(uint16_t n) {
  onEvent.resize(n);
  count_ = n;
}

void TKXHub::SetOutputs(std::initializer_list<TEventLink> outputs) {
  SetCount(static_cast<uint16_t>(outputs.size()));
  std::copy(outputs.begin(), outputs.end(), onEvent.begin());
}

void TKXHub::doEvent(TData& value, uint16_t) {
  const size_t count = std::min<size_t>(count_, onEvent.size());
  for (size_t k = 0; k < count; ++k) {
    const TEventLink& link = onEvent[k];
    if (!link.Linked()) continue;
    // A fresh copy per output: what one receiver does to its value (consuming it,
    // forwarding through it) must not reach the next one, nor the sender.
    TData copy = value;
    FireEvent(link, copy);
  }
}
