// Schemes: the scheme element a parent scheme holds (TKXMultiElement, TKXChildPanel),
// the port element inside every scheme (TKXEditMulti) and TScheme, the base of every
// scheme class, which creates and owns the scheme's elements.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXWin;
class TKXMultiElement;
class TScheme;

// Builds an inner scheme. `argument` is handed through untouched; `parent` is the
// control the scheme places its windows on (nullptr for schemes without a panel).
using TSchemeFactory = std::unique_ptr<TScheme> (*)(void* argument, TKXWin* parent);

// The port: the inside face of a scheme. Inner elements fire into doEvent k to reach
// the scheme's event output k and read varGet k to reach its data input k; the parent's
// calls on input k and readable output k are routed through onInput[k] and dataVar[k].
class TKXEditMulti : public TKXObject {
 public:
  std::vector<TEventLink> onInput;  // entry k: where the scheme's action input k leads inside
  std::vector<TEventLink> dataVar;  // entry k: the inner readable output behind the scheme's output k

  void SetInputCount(uint16_t n) { onInput.resize(n); }
  void SetVarCount(uint16_t n) { dataVar.resize(n); }
  void SetOwner(TKXMultiElement* owner) { owner_ = owner; }
  TKXMultiElement* Owner() const { return owner_; }

  void doEvent(TData& value, uint16_t index);
  void varGet(TData& value, uint16_t index);

 private:
  TKXMultiElement* owner_ = nullptr;
};

// The scheme element: the outside face of a scheme, as its parent scheme links it.
// It owns its inner scheme and frees it with itself.
class TKXMultiElement : public TKXObject {
 public:
  TKXMultiElement() = default;
  ~TKXMultiElement() override;

  uint8_t Lazy = 0;                  // 0: the inner scheme is built as soon as the factory is set
  std::vector<TEventLink> onEvent;   // the scheme's event outputs towards the parent
  std::vector<TEventLink> dataData;  // the scheme's data inputs from the parent

  // Set once while the parent is built; with Lazy 0 the whole inner tree is built here.
  void SetFactory(TSchemeFactory factory, void* argument);
  // The usual factory: constructs the scheme class S on this element's parent control.
  template <class S>
  void SetScheme() {
    SetFactory([](void*, TKXWin* parent) -> std::unique_ptr<TScheme> { return std::make_unique<S>(parent); }, nullptr);
  }
  void SetEventCount(uint16_t n) { onEvent.resize(n); }
  void SetDataCount(uint16_t n) { dataData.resize(n); }

  void doWork(TData& value, uint16_t index);
  void varData(TData& value, uint16_t index);

  TScheme* Scheme() const { return scheme_.get(); }

 protected:
  TKXWin* parent_control_ = nullptr;

 private:
  void Build();

  TSchemeFactory factory_ = nullptr;
  void* argument_ = nullptr;
  std::unique_ptr<TScheme> scheme_;
  TKXEditMulti* port_ = nullptr;
};

// A scheme element whose scheme brings its own panel, created on `parent`.
class TKXChildPanel : public TKXMultiElement {
 public:
  explicit TKXChildPanel(TKXWin* parent) { parent_control_ = parent; }
};

// The base of every scheme class. A scheme's constructor creates its elements with New,
// sets their properties and makes the links, the port's counts and inner links last.
// Elements are freed in creation order, the port first.
class TScheme : public TKXObject {
 private:
  // Declared before Port so that the storage exists when the port is created.
  std::vector<std::unique_ptr<TKXObject>> elements_;

 public:
  // `parent` is the control the scheme places its windows on; a scheme class with a panel
  // keeps it for its own controls, and this base needs nothing of it.
  explicit TScheme(TKXWin* parent);
  ~TScheme() override;

  TKXEditMulti& Result() { return Port; }

 protected:
  // The scheme's event output k and data input k, as inner elements link to them.
  TEventLink EventOutput(uint16_t k) { return MakeLink<&TKXEditMulti::doEvent>(Port, k); }
  TEventLink DataInput(uint16_t k) { return MakeLink<&TKXEditMulti::varGet>(Port, k); }

  template <class E, class... Args>
  E& New(Args&&... args) {
    auto element = std::make_unique<E>(std::forward<Args>(args)...);
    E& ref = *element;
    elements_.push_back(std::move(element));
    return ref;
  }

  // A scheme element of scheme S, made in this scheme: a TKXMultiElement, or a TKXChildPanel
  // (E) on the control given in `args`.
  template <class S, class E = TKXMultiElement, class... Args>
  E& NewScheme(Args&&... args) {
    E& element = New<E>(std::forward<Args>(args)...);
    element.template SetScheme<S>();
    return element;
  }

  TKXEditMulti& Port;
};
