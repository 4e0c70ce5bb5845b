// Crossing a scheme boundary: one more call through a link in each direction.
#include "runtime/scheme.h"

namespace {
// Wiring never addresses an entry beyond the array, but a stray index must not crash.
const TEventLink* Entry(const std::vector<TEventLink>& links, uint16_t index) {
  return index < links.size() ? &links[index] : nullptr;
}
}  // namespace

void TKXEditMulti::doEvent(TData& value, uint16_t index) {
  if (!owner_) return;
  if (const TEventLink* link = Entry(owner_->onEvent, index)) FireEvent(*link, value);
}

void TKXEditMulti::varGet(TData& value, uint16_t index) {
  const TEventLink* link = owner_ ? Entry(owner_->dataData, index) : nullptr;
  if (link) PullData(*link, value);
  else value.Clear();
}

TKXMultiElement::~TKXMultiElement() = default;

void TKXMultiElement::SetFactory(TSchemeFactory factory, void* argument) {
  factory_ = factory;
  argument_ = argument;
  if (Lazy == 0) Build();
}

void TKXMultiElement::Build() {
  if (scheme_ || !factory_) return;
  scheme_ = factory_(argument_, parent_control_);
  if (!scheme_) return;
  port_ = &scheme_->Result();
  port_->SetOwner(this);
}

void TKXMultiElement::doWork(TData& value, uint16_t index) {
  Build();
  if (!port_) return;
  // The same record goes in, so that forwarding inside reaches this call's FireEvent loop.
  if (const TEventLink* link = Entry(port_->onInput, index)) FireEvent(*link, value);
}

void TKXMultiElement::varData(TData& value, uint16_t index) {
  Build();
  const TEventLink* link = port_ ? Entry(port_->dataVar, index) : nullptr;
  if (link) PullData(*link, value);
  else value.Clear();
}

TScheme::TScheme(TKXWin*) : Port(New<TKXEditMulti>()) {}

TScheme::~TScheme() {
  for (auto& element : elements_) element.reset();
}
