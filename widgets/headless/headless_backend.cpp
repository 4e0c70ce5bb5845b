// The in-memory window system: controls as plain records, kept by the rules the native
// backends keep.
#include "widgets/headless/headless_backend.h"

#include <algorithm>

#include "widgets/tab_chain.h"

namespace widgets {

HeadlessBackend::~HeadlessBackend() = default;

HeadlessControl* HeadlessBackend::Lookup(ControlId id) {
  if (id <= 0 || size_t(id) > controls_.size()) return nullptr;
  return controls_[size_t(id) - 1].get();
}

const HeadlessControl* HeadlessBackend::Lookup(ControlId id) const {
  if (id <= 0 || size_t(id) > controls_.size()) return nullptr;
  return controls_[size_t(id) - 1].get();
}

const HeadlessControl* HeadlessBackend::Find(ControlId id) const { return Lookup(id); }

std::vector<ControlId>& HeadlessBackend::SiblingsOf(const HeadlessControl& control) {
  HeadlessControl* parent = Lookup(control.parent);
  return parent ? parent->children : top_level_;
}

const std::vector<ControlId>& HeadlessBackend::SiblingsOf(const HeadlessControl& control) const {
  const HeadlessControl* parent = Lookup(control.parent);
  return parent ? parent->children : top_level_;
}

// --- Controls ---

ControlId HeadlessBackend::Create(ControlKind kind, ControlId parent, ControlEvents* events) {
  auto control = std::make_unique<HeadlessControl>();
  control->id = ControlId(controls_.size() + 1);
  control->kind = kind;
  control->parent = Lookup(parent) ? parent : kNoControl;
  control->events = events;
  if (kind == ControlKind::Form) {
    control->visible = false;
    control->style = kStyleMinimizeBox | kStyleMaximizeBox | kStyleSizingFrame;
  }
  const ControlId id = control->id;
  controls_.push_back(std::move(control));
  // A new control goes in front of the siblings created before it.
  SiblingsOf(*controls_.back()).push_back(id);
  if (kind == ControlKind::StatusBar) {
    if (HeadlessControl* window = Lookup(parent)) DockStatusBars(*window);
  }
  return id;
}

void HeadlessBackend::SetGeometry(ControlId id, int left, int top, int width, int height) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  c->left = left;
  c->top = top;
  c->width = width;
  c->height = height;
  if (!c->children.empty()) DockStatusBars(*c);
  if (HeadlessControl* window = Lookup(c->parent)) DockStatusBars(*window);
}

void HeadlessBackend::DockStatusBars(HeadlessControl& window) {
  std::vector<HeadlessControl*> bars;
  int bottom = 0;
  for (ControlId child : window.children) {
    HeadlessControl* c = Lookup(child);
    if (c->kind == ControlKind::StatusBar) {
      bars.push_back(c);
    } else {
      bottom = std::max(bottom, c->top + std::max(c->height, 0));
    }
  }
  if (bars.empty()) return;
  // A window without a frame: its client area is its outer size, as a native form's is before
  // the frame takes its share.
  window.grown = window.kind == ControlKind::Form ? StatusBarRoom(window.height, bottom, kStatusBarHeight) : 0;
  for (HeadlessControl* bar : bars) {
    bar->left = 0;
    bar->top = window.height + window.grown - kStatusBarHeight;
    bar->width = window.width;
    bar->height = kStatusBarHeight;
  }
}

void HeadlessBackend::GetGeometry(ControlId id, int& left, int& top, int& width, int& height) {
  if (const HeadlessControl* c = Lookup(id)) {
    left = c->left;
    top = c->top;
    width = c->width;
    height = c->height;
  }
}

void HeadlessBackend::SetText(ControlId id, const std::string& text) {
  HeadlessControl* c = Lookup(id);
  if (!c || HoldsItems(c->kind)) return;  // a list control's text is its items'
  c->text = text;
  if (c->kind == ControlKind::Edit && c->events) c->events->OnTextChanged();
}

std::string HeadlessBackend::GetText(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  if (!c) return {};
  if (c->kind == ControlKind::ComboBox) return c->selection < 0 ? std::string() : c->items[size_t(c->selection)];
  return c->text;
}

StatusLine HeadlessBackend::ShownStatus(ControlId bar) const {
  const HeadlessControl* c = Lookup(bar);
  return c ? LayOutStatusText(c->text, c->alignment) : StatusLine{};
}

void HeadlessBackend::SetFont(ControlId id, const TFontRec& font) {
  if (HeadlessControl* c = Lookup(id)) c->font = font;
}

void HeadlessBackend::SetColor(ControlId id, uint32_t color) {
  if (HeadlessControl* c = Lookup(id)) c->color = color;
}

void HeadlessBackend::SetEnabled(ControlId id, bool enabled) {
  if (HeadlessControl* c = Lookup(id)) c->enabled = enabled;
}

void HeadlessBackend::MakeVisible(HeadlessControl& control) {
  if (control.visible) return;
  control.visible = true;
  if (control.kind != ControlKind::Form) return;
  control.shown = true;
  if (control.events) control.events->OnShown();
}

void HeadlessBackend::SetVisible(ControlId id, bool visible) {
  HeadlessControl* c = Lookup(id);
  if (!c || c->closed) return;
  if (visible) {
    MakeVisible(*c);
  } else {
    c->visible = false;
  }
}

bool HeadlessBackend::IsVisible(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c && c->visible;
}

void HeadlessBackend::SetZOrder(ControlId id, bool to_top) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  auto& siblings = SiblingsOf(*c);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
  if (to_top) {
    siblings.push_back(id);
  } else {
    siblings.insert(siblings.begin(), id);
  }
}

void HeadlessBackend::SetTooltip(ControlId id, const std::string& text) {
  if (HeadlessControl* c = Lookup(id)) c->tooltip = text;
}

void HeadlessBackend::SetTabOrder(ControlId id, int order) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  c->tab_order = order;
  if (HeadlessControl* parent = Lookup(c->parent)) PlaceInTabChain(parent->tab_chain, id, order);
}

void HeadlessBackend::SetCursor(ControlId id, Cursor cursor) {
  if (HeadlessControl* c = Lookup(id)) c->cursor = cursor;
}

void HeadlessBackend::SetAlignment(ControlId id, Alignment alignment) {
  if (HeadlessControl* c = Lookup(id)) c->alignment = alignment;
}

void HeadlessBackend::SetPanelFrame(ControlId id, const PanelFrame& frame) {
  if (HeadlessControl* c = Lookup(id)) c->frame = frame;
}

void HeadlessBackend::SetChecked(ControlId id, bool checked) {
  if (HeadlessControl* c = Lookup(id)) c->checked = checked;
}

bool HeadlessBackend::GetChecked(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c && c->checked;
}

// --- Items ---
// A tab strip selects its first tab as soon as it has one, as the native tab strips do.

void HeadlessBackend::InsertItem(ControlId id, int index, const std::string& text) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  c->Insert(index, text);
  if (c->Count() == 1 && c->kind == ControlKind::TabStrip) c->selection = 0;
}

void HeadlessBackend::DeleteItem(ControlId id, int index) {
  if (HeadlessControl* c = Lookup(id)) c->Remove(index);
}

void HeadlessBackend::SetItem(ControlId id, int index, const std::string& text) {
  if (HeadlessControl* c = Lookup(id)) c->Set(index, text);
}

std::string HeadlessBackend::GetItem(ControlId id, int index) {
  const HeadlessControl* c = Lookup(id);
  if (!c || !c->Has(index)) return {};
  return c->items[size_t(index)];
}

int HeadlessBackend::ItemCount(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c ? c->Count() : 0;
}

void HeadlessBackend::SetItems(ControlId id, std::vector<std::string> items) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  c->Assign(std::move(items));
  if (c->kind == ControlKind::TabStrip && !c->items.empty()) c->selection = 0;
}

std::vector<std::string> HeadlessBackend::GetItems(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  if (!c) return {};
  return std::vector<std::string>(c->items.begin(), c->items.end());
}

int HeadlessBackend::GetSelection(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c ? c->selection : -1;
}

void HeadlessBackend::SetSelection(ControlId id, int index) {
  if (HeadlessControl* c = Lookup(id)) c->Select(index);
}

// --- Main window ---

uint32_t HeadlessBackend::GetStyle(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c ? c->style : 0;
}

void HeadlessBackend::SetStyle(ControlId id, uint32_t style) {
  if (HeadlessControl* c = Lookup(id)) c->style = style;
}

void HeadlessBackend::SetIcon(ControlId id, const std::string& resource) {
  if (HeadlessControl* c = Lookup(id)) c->icon = resource;
}

void HeadlessBackend::SetWindowState(ControlId form, WindowState state) {
  if (HeadlessControl* c = Lookup(form)) c->window_state = state;
}

void HeadlessBackend::Show(ControlId form) {
  HeadlessControl* c = Lookup(form);
  if (c && !c->closed) MakeVisible(*c);
}

void HeadlessBackend::RunMessageLoop() {
  // A copy: the body may replace itself while it runs.
  auto body = loop_body_;
  if (body) body();
}

void HeadlessBackend::RequestClose(ControlId form) {
  HeadlessControl* c = Lookup(form);
  if (!c || c->closed) return;
  const bool accepted = c->events ? c->events->OnCloseRequest() : true;
  if (!accepted) return;
  c->closed = true;
  c->visible = false;
}

bool HeadlessBackend::IsClosed(ControlId form) const {
  const HeadlessControl* c = Lookup(form);
  return c && c->closed;
}

}  // namespace widgets
