// The receiver that element tests link event outputs to: it keeps what arrives, in order.
#pragma once

#include <functional>
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
  std::function<void()> then;      // runs after each arrival
  std::vector<std::string>* log = nullptr;
  std::string name;

  void doIt(TData& v, uint16_t point) {
    got.push_back(v);
    texts.push_back((point ? std::to_string(point) + ":" : "") + AsText(v));
    if (log) log->push_back(name + ":" + AsText(v));
    if (then) then();
  }
  // Takes the value and leaves another in its place, to show whether the sender reuses it.
  void doSpoil(TData& v, uint16_t point) {
    TData taken = std::exchange(v, MakeText("spoilt"));
    doIt(taken, point);
  }
  TEventLink Link(uint16_t point = 0) { return MakeLink<&Probe::doIt>(*this, point); }
};

// Values as text, integers marked with "#" so that 2 and "2" differ.
inline std::vector<std::string> Marked(const std::vector<TData>& values) {
  std::vector<std::string> marked;
  for (const TData& v : values) marked.push_back(v.kind == KindInteger ? "#" + AsText(v) : AsText(v));
  return marked;
}
