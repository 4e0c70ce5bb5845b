// The receiver that element tests link event outputs to: it keeps what arrives, in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "runtime/link.h"

struct Probe {
  Probe() = default;
  // Also writes "name:text" into `log`, which several probes share to show the order of arrival.
  Probe(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}

  std::vector<TData> got;          // the values as they came
  std::vector<std::string> texts;  // the same as text, "N:" in front when linked with point N above 0
  std::vector<std::string>* log = nullptr;
  std::string name;

  void doIt(TData& v, uint16_t point) {
    got.push_back(v);
    texts.push_back((point ? std::to_string(point) + ":" : "") + AsText(v));
    if (log) log->push_back(name + ":" + AsText(v));
  }
  TEventLink Link(uint16_t point = 0) { return MakeLink<&Probe::doIt>(*this, point); }
};
