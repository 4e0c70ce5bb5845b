// Links between elements and the calling rules: how an event travels, how a data
// input is read, and how a pass-through element forwards without deepening the stack.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "runtime/data.h"

// One link record: the receiving point (a bound member function) and the index
// handed to it with every call. Unlinked when `method` is null.
struct TEventLink {
  using Method = void (*)(void* target, TData& value, uint16_t index);
  Method method = nullptr;
  void* target = nullptr;
  uint16_t index = 0;

  bool Linked() const { return method != nullptr; }
};

// MakeLink<&Receiver::doY>(receiver, index): links to an action input or a readable
// output, both of which have the shape void (TData&, uint16_t).
template <auto Point, class Receiver>
TEventLink MakeLink(Receiver& receiver, uint16_t index = 0) {
  TEventLink link;
  link.method = [](void* target, TData& value, uint16_t i) { (static_cast<Receiver*>(target)->*Point)(value, i); };
  link.target = &receiver;
  link.index = index;
  return link;
}

// Delivers `value` to the link and then to every link the receivers forwarded it to.
void FireEvent(const TEventLink& link, TData& value);
void FireEvent(const TEventLink& link, TData&& value);
void FireEvent(const TEventLink& link);
void FireEvent(const TEventLink& link, int32_t n);
void FireEvent(const TEventLink& link, std::string text);
void FireEvent(const TEventLink& link, const char* text);
void FireEvent(const TEventLink& link, double r);

// Raw read of a data input: a linked one fills `value`, an unlinked one empties it.
void PullData(const TEventLink& link, TData& value);

// The data-input rule: linked inputs are pulled; an unlinked input with an empty
// default takes (and consumes) the value that arrived with the action; otherwise the default.
std::string InputText(TData& arriving, const TEventLink& link, const std::string& fallback);
int32_t InputInteger(TData& arriving, const TEventLink& link, int32_t fallback);
double InputReal(TData& arriving, const TEventLink& link, double fallback);
void InputValue(TData& arriving, const TEventLink& link, const TData& fallback, TData& out);

// Replaces the arriving record by `value` and asks the caller's FireEvent loop to
// deliver it to `link` once the current method has returned.
void ForwardEvent(TData& arriving, const TEventLink& link, const TData& value);
void ForwardInteger(TData& arriving, const TEventLink& link, int32_t n);
