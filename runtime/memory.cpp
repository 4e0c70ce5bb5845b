// The memory element forwards rather than fires, so chains through it keep a flat stack.
#include "runtime/memory.h"

void TKXMemory::doValue(TData& value, uint16_t) {
  Value = value;
  ForwardEvent(value, onData, Value);
}

void TKXMemory::doClear(TData& value, uint16_t) {
  Value = Default;
  ForwardEvent(value, onData, Value);
}

void TKXMemory::varValue(TData& value, uint16_t) { value = Value; }
