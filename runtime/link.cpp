// All event traffic of the program runs through FireEvent's loop.
#include "runtime/link.h"

void FireEvent(const TEventLink& link, TData& value) {
  const TEventLink* current = &link;
  while (current->Linked()) {
    current->method(current->target, value, current->index);
    if (!(value.kind & KindForward)) return;
    // The receiver forwarded: deliver the same record to the link it named, without recursion.
    value.kind &= static_cast<uint8_t>(~KindForward);
    current = value.next;
    value.next = nullptr;
    if (current == nullptr) return;
  }
}

void FireEvent(const TEventLink& link, TData&& value) {
  TData local = std::move(value);
  FireEvent(link, local);
}

void FireEvent(const TEventLink& link) {
  if (!link.Linked()) return;
  TData value;
  FireEvent(link, value);
}

void FireEvent(const TEventLink& link, int32_t n) {
  if (!link.Linked()) return;
  TData value = MakeInteger(n);
  FireEvent(link, value);
}

void FireEvent(const TEventLink& link, std::string text) {
  if (!link.Linked()) return;
  TData value = MakeText(std::move(text));
  FireEvent(link, value);
}

void FireEvent(const TEventLink& link, const char* text) { FireEvent(link, std::string(text)); }

void FireEvent(const TEventLink& link, double r) {
  if (!link.Linked()) return;
  TData value = MakeReal(r);
  FireEvent(link, value);
}

void PullData(const TEventLink& link, TData& value) {
  if (link.Linked()) {
    link.method(link.target, value, link.index);
  } else {
    value.Clear();
  }
}

namespace {
// Steps 1 and 2 of the rule. Returns true and fills `out` when the value comes from
// the link or from the arriving value; false when the default applies.
bool TakeInput(TData& arriving, const TEventLink& link, bool default_is_empty, TData& out) {
  if (link.Linked()) {
    out.Clear();
    PullData(link, out);
    return true;
  }
  if (default_is_empty && !arriving.IsEmpty()) {
    out = std::move(arriving);
    arriving.Clear();
    return true;
  }
  return false;
}
}  // namespace

std::string InputText(TData& arriving, const TEventLink& link, const std::string& fallback) {
  TData v;
  if (TakeInput(arriving, link, fallback.empty(), v)) return AsText(v);
  return fallback;
}

int32_t InputInteger(TData& arriving, const TEventLink& link, int32_t fallback) {
  TData v;
  if (TakeInput(arriving, link, fallback == 0, v)) return AsInteger(v);
  return fallback;
}

double InputReal(TData& arriving, const TEventLink& link, double fallback) {
  TData v;
  if (TakeInput(arriving, link, fallback == 0.0, v)) return AsReal(v);
  return fallback;
}

void InputValue(TData& arriving, const TEventLink& link, const TData& fallback, TData& out) {
  if (!TakeInput(arriving, link, fallback.IsEmpty(), out)) out = fallback;
}

void ForwardEvent(TData& arriving, const TEventLink& link, const TData& value) {
  if (&arriving != &value) arriving = value;
  arriving.kind |= KindForward;
  arriving.next = &link;
}

void ForwardInteger(TData& arriving, const TEventLink& link, int32_t n) {
  arriving = MakeInteger(n);
  arriving.kind |= KindForward;
  arriving.next = &link;
}
