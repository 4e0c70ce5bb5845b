// The headless backend's scripted user: what it sees, how it finds a control as a person
// would, and what it does to one.
#include <algorithm>

#include "widgets/headless/headless_backend.h"
#include "widgets/tab_chain.h"

namespace widgets {

namespace {

// How a script names each kind of control; empty for those it does not address.
const char* AddressName(ControlKind kind) {
  switch (kind) {
    case ControlKind::TabStrip: return "tab";
    case ControlKind::Button: return "button";
    case ControlKind::Edit: return "edit";
    case ControlKind::Label: return "label";
    case ControlKind::CheckBox: return "checkbox";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::ListBox: return "list";
    case ControlKind::ComboBox: return "combo";
    default: return "";
  }
}

bool Contains(const HeadlessControl& outer, const HeadlessControl& inner) {
  const long long outer_right = (long long)outer.left + outer.width;
  const long long outer_bottom = (long long)outer.top + outer.height;
  return outer.left <= inner.left && outer.top <= inner.top && outer_right >= (long long)inner.left + inner.width &&
         outer_bottom >= (long long)inner.top + inner.height;
}

}  // namespace

// --- What the user sees ---

bool HeadlessBackend::CoveredBySibling(const HeadlessControl& control) const {
  const auto& siblings = SiblingsOf(control);
  auto it = std::find(siblings.begin(), siblings.end(), control.id);
  if (it == siblings.end()) return false;
  for (++it; it != siblings.end(); ++it) {
    const HeadlessControl* above = Lookup(*it);
    if (above && above->kind == ControlKind::Panel && above->visible && Contains(*above, control)) return true;
  }
  return false;
}

bool HeadlessBackend::IsSeen(ControlId id) const {
  const HeadlessControl* c = Lookup(id);
  if (!c) return false;
  for (; c; c = Lookup(c->parent)) {
    if (!c->visible || c->closed || CoveredBySibling(*c)) return false;
  }
  return true;
}

bool HeadlessBackend::CanAct(ControlId id) const {
  if (!IsSeen(id)) return false;
  for (const HeadlessControl* c = Lookup(id); c; c = Lookup(c->parent)) {
    if (!c->enabled) return false;
  }
  return true;
}

ControlId HeadlessBackend::ControlAt(ControlId parent, int x, int y) const {
  const HeadlessControl* p = Lookup(parent);
  if (!p) return kNoControl;
  for (auto it = p->children.rbegin(); it != p->children.rend(); ++it) {
    const HeadlessControl* c = Lookup(*it);
    if (c->visible && x >= c->left && x < c->left + c->width && y >= c->top && y < c->top + c->height) return c->id;
  }
  return kNoControl;
}

ControlId HeadlessBackend::NextTabStop(ControlId from, bool backwards) const {
  const HeadlessControl* c = Lookup(from);
  const HeadlessControl* parent = c ? Lookup(c->parent) : nullptr;
  if (!parent) return kNoControl;
  ControlId next = NextInTabChain(parent->tab_chain, from, backwards);
  while (next != kNoControl && next != from && !CanAct(next)) next = NextInTabChain(parent->tab_chain, next, backwards);
  return next;
}

// --- Finding controls ---

ControlId HeadlessBackend::FindSeen(const std::string& text) const {
  for (const auto& c : controls_) {
    if (!HoldsItems(c->kind) && c->text == text && IsSeen(c->id)) return c->id;
  }
  return kNoControl;
}

std::vector<ControlId> HeadlessBackend::FindAllSeen(const std::string& text) const {
  std::vector<ControlId> found;
  for (const auto& c : controls_) {
    if (!HoldsItems(c->kind) && c->text == text && IsSeen(c->id)) found.push_back(c->id);
  }
  return found;
}

ControlId HeadlessBackend::NthSeen(ControlKind kind, int n) const {
  if (n < 0) return kNoControl;
  for (const auto& c : controls_) {
    if (c->kind == kind && IsSeen(c->id) && n-- == 0) return c->id;
  }
  return kNoControl;
}

ControlId HeadlessBackend::FindSeenWithItem(ControlKind kind, const std::string& item) const {
  for (const auto& c : controls_) {
    if (c->kind != kind || !IsSeen(c->id)) continue;
    if (std::find(c->items.begin(), c->items.end(), item) != c->items.end()) return c->id;
  }
  return kNoControl;
}

std::vector<ControlId> HeadlessBackend::FindAllSeenWithItem(ControlKind kind, const std::string& item) const {
  std::vector<ControlId> found;
  for (const auto& c : controls_) {
    if (c->kind != kind || !IsSeen(c->id)) continue;
    if (std::find(c->items.begin(), c->items.end(), item) != c->items.end()) found.push_back(c->id);
  }
  return found;
}

std::string HeadlessBackend::Address(ControlId id) const {
  const HeadlessControl* control = Lookup(id);
  if (!control || !*AddressName(control->kind)) return {};
  int n = 0;
  for (const auto& c : controls_) {
    if (c->id == id) return std::string(AddressName(c->kind)) + " " + std::to_string(n);
    if (c->kind == control->kind && IsSeen(c->id)) ++n;
  }
  return {};
}

ControlId HeadlessBackend::EditBeside(ControlId label) const {
  const HeadlessControl* l = Lookup(label);
  if (!l) return kNoControl;
  ControlId best = kNoControl;
  long long best_distance = 0;
  for (const auto& c : controls_) {
    if (c->kind != ControlKind::Edit || c->parent != l->parent || c->left <= l->left || !IsSeen(c->id)) continue;
    const bool same_row = c->top < l->top + l->height && l->top < c->top + c->height;
    const long long distance = (long long)c->left - l->left;
    if (same_row && (best == kNoControl || distance < best_distance)) {
      best = c->id;
      best_distance = distance;
    }
  }
  return best;
}

// --- What the user does ---

bool HeadlessBackend::Click(ControlId id) {
  if (!CanAct(id)) return false;
  HeadlessControl* c = Lookup(id);
  switch (c->kind) {
    case ControlKind::Button:
    case ControlKind::Label: break;
    case ControlKind::CheckBox: c->checked = !c->checked; break;
    case ControlKind::RadioButton: c->checked = true; break;
    default: return false;
  }
  if (c->events) c->events->OnClicked();
  return true;
}

bool HeadlessBackend::Type(ControlId id, const std::string& text) {
  if (!CanAct(id)) return false;
  HeadlessControl* c = Lookup(id);
  if (c->kind != ControlKind::Edit) return false;
  c->text = text;
  if (c->events) c->events->OnTextChanged();
  return true;
}

bool HeadlessBackend::PressEnter(ControlId id) {
  if (!CanAct(id)) return false;
  HeadlessControl* c = Lookup(id);
  if (c->kind != ControlKind::Edit) return false;
  if (c->events) c->events->OnEnterPressed();
  return true;
}

bool HeadlessBackend::Choose(ControlId id, int index) {
  if (!CanAct(id)) return false;
  HeadlessControl* c = Lookup(id);
  if (!HoldsItems(c->kind) || !c->Has(index)) return false;
  // A tab strip reports only a change of tab; list and combo boxes report every pick.
  if (c->kind == ControlKind::TabStrip && c->selection == index) return true;
  c->selection = index;
  if (c->events) c->events->OnSelectionChanged();
  return true;
}

bool HeadlessBackend::ChooseText(ControlId id, const std::string& item) {
  const HeadlessControl* c = Lookup(id);
  if (!c) return false;
  auto it = std::find(c->items.begin(), c->items.end(), item);
  if (it == c->items.end()) return false;
  return Choose(id, int(it - c->items.begin()));
}

}  // namespace widgets
