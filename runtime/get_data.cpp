// The data splitter passes every read straight through to its source.
#include "runtime/get_data.h"

void TKXGetData::varData(TData& value, uint16_t) { PullData(dataData, value); }
