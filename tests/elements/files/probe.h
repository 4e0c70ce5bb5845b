// Records what arrives at the event outputs of the element under test, in order.
#pragma once

#include <string>
#include <vector>

#include "runtime/link.h"

struct Probe {
  std::vector<std::string> texts;
  std::vector<TData> values;
  void doIt(TData& value, uint16_t) {
    texts.push_back(AsText(value));
    values.push_back(value);
  }
  TEventLink Link() { return MakeLink<&Probe::doIt>(*this); }
  size_t Count() const { return texts.size(); }
};

// Answers a data input with a fixed value.
struct Source {
  TData value;
  void varValue(TData& result, uint16_t) { result = value; }
  TEventLink Link() { return MakeLink<&Source::varValue>(*this); }
};
