#include "widgets/native_backend.h"

#include "widgets/tab_chain.h"

namespace widgets {

namespace {

bool Checkable(ControlKind kind) { return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton; }

}  // namespace

std::vector<std::string> NativeItems::All() const {
  std::vector<std::string> all;
  all.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) all.push_back(At(i));
  return all;
}

ControlId NativeBackend::NextControlId() {
  static ControlId last = kNoControl;
  return ++last;
}

ControlId NativeBackend::Create(ControlKind kind, ControlId parent, ControlEvents* events) {
  NativeControl* owner = Record(parent);
  if (kind != ControlKind::Form && !owner) return kNoControl;  // a control needs a window
  const ControlId id = Make(kind, owner, events);
  if (id != kNoControl && kind == ControlKind::Form && !owner && first_form_ == kNoControl) first_form_ = id;
  return id;
}

// ---- texts and states ----

void NativeBackend::SetText(ControlId id, const std::string& text) {
  NativeControl* c = Record(id);
  if (!c || HoldsItems(c->kind)) return;  // a list control's text is its items'
  c->text = text;
  if (c->kind != ControlKind::Edit) {
    ShowText(*c);
    return;
  }
  // Reported exactly once, even when the text stays the same: the element counts on it.
  {
    QuietChange quiet(*c);
    ShowText(*c);
  }
  if (c->events) c->events->OnTextChanged();
}

std::string NativeBackend::GetText(ControlId id) {
  NativeControl* c = Record(id);
  if (!c) return {};
  switch (c->kind) {
    case ControlKind::StatusBar: return c->text;
    case ControlKind::ComboBox: {
      const int selected = c->items->Selection();
      return selected < 0 ? std::string() : c->items->At(selected);
    }
    case ControlKind::TabStrip:
    case ControlKind::ListBox: return {};
    default: return ShownText(*c);
  }
}

void NativeBackend::SetAlignment(ControlId id, Alignment alignment) {
  NativeControl* c = Record(id);
  if (!c) return;
  c->alignment = alignment;
  if (c->kind == ControlKind::StatusBar) {
    ShowText(*c);  // leading tabs in its text take precedence
  } else {
    ShowAlignment(*c);
  }
}

void NativeBackend::SetChecked(ControlId id, bool checked) {
  NativeControl* c = Record(id);
  if (!c || !Checkable(c->kind)) return;
  QuietChange quiet(*c);
  ShowChecked(*c, checked);
}

bool NativeBackend::GetChecked(ControlId id) {
  NativeControl* c = Record(id);
  return c && Checkable(c->kind) && ShownChecked(*c);
}

uint32_t NativeBackend::GetStyle(ControlId id) {
  const NativeControl* c = Record(id);
  return c ? c->style : 0;
}

void NativeBackend::SetStyle(ControlId id, uint32_t style) {
  NativeControl* c = Record(id);
  if (!c) return;
  c->style = style;
  if (c->kind == ControlKind::Form) ShowStyle(*c);
}

void NativeBackend::SetTabOrder(ControlId id, int order) {
  NativeControl* c = Record(id);
  NativeControl* parent = c ? Record(c->parent) : nullptr;
  if (!parent) return;
  PlaceInTabChain(parent->tab_chain, id, order);
  ShowTabChain(*parent, *c);
}

// ---- items ----

NativeItems* NativeBackend::ItemsOf(ControlId id, NativeControl*& c) const {
  c = Record(id);
  return c ? c->items.get() : nullptr;
}

void NativeBackend::InsertItem(ControlId id, int index, const std::string& text) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  if (!items) return;
  const int count = items->Count();
  QuietChange quiet(*c);
  items->Insert(index < 0 || index > count ? count : index, text);
}

void NativeBackend::DeleteItem(ControlId id, int index) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  if (!items || index < 0 || index >= items->Count()) return;
  QuietChange quiet(*c);
  items->Remove(index);
}

void NativeBackend::SetItem(ControlId id, int index, const std::string& text) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  if (!items || index < 0 || index >= items->Count()) return;
  QuietChange quiet(*c);
  items->Set(index, text);
}

std::string NativeBackend::GetItem(ControlId id, int index) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  if (!items || index < 0 || index >= items->Count()) return {};
  return items->At(index);
}

int NativeBackend::ItemCount(ControlId id) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  return items ? items->Count() : 0;
}

void NativeBackend::SetItems(ControlId id, std::vector<std::string> texts) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  if (!items) return;
  QuietChange quiet(*c);
  items->Assign(std::move(texts));
}

std::vector<std::string> NativeBackend::GetItems(ControlId id) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  return items ? items->All() : std::vector<std::string>{};
}

int NativeBackend::GetSelection(ControlId id) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  return items ? items->Selection() : -1;
}

void NativeBackend::SetSelection(ControlId id, int index) {
  NativeControl* c = nullptr;
  NativeItems* items = ItemsOf(id, c);
  if (!items) return;
  QuietChange quiet(*c);
  items->Select(index >= 0 && index < items->Count() ? index : -1);
}

// ---- the main form and the message loop ----

bool NativeBackend::IsMainForm(const NativeControl& c) const {
  if (c.kind != ControlKind::Form) return false;
  const ControlId main = MainWindowControl();
  if (main != kNoControl && Record(main)) return c.id == main;
  return c.id == first_form_;
}

bool NativeBackend::FormCloseRequested(NativeControl& form) {
  if (form.events && !form.events->OnCloseRequest()) return false;
  if (IsMainForm(form)) {
    main_closed_ = true;
    if (in_loop_) QuitLoop();
  }
  return true;
}

void NativeBackend::RunMessageLoop() {
  const ControlId main = MainWindowControl() != kNoControl ? MainWindowControl() : first_form_;
  const NativeControl* form = Record(main);
  // A loop that no window could ever end would hang the program.
  if (!form || main_closed_ || !OnScreen(*form)) return;
  in_loop_ = true;
  RunLoop(main);
  in_loop_ = false;
}

}  // namespace widgets
