// The in-memory window system: controls as plain records, a scripted user, and
// dialog answers taken from queues.
#include "widgets/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>

namespace widgets {
namespace {

bool IsList(ControlKind kind) {
  return kind == ControlKind::ListBox || kind == ControlKind::ComboBox || kind == ControlKind::TabStrip;
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form: return "Form";
    case ControlKind::Panel: return "Panel";
    case ControlKind::TabStrip: return "TabStrip";
    case ControlKind::StatusBar: return "StatusBar";
    case ControlKind::Button: return "Button";
    case ControlKind::Edit: return "Edit";
    case ControlKind::Label: return "Label";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::RadioButton: return "RadioButton";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::ComboBox: return "ComboBox";
  }
  return "Control";
}


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

}  // namespace

// Texts are bytes: line breaks and other control bytes are escaped so that one
// control stays on one line of the dump.
std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", unsigned(c));
      out += hex;
    } else {
      out += char(c);
    }
  }
  out += '"';
  return out;
}

namespace {

bool Contains(const HeadlessControl& outer, const HeadlessControl& inner) {
  const long long outer_right = (long long)outer.left + outer.width;
  const long long outer_bottom = (long long)outer.top + outer.height;
  return outer.left <= inner.left && outer.top <= inner.top && outer_right >= (long long)inner.left + inner.width &&
         outer_bottom >= (long long)inner.top + inner.height;
}

}  // namespace

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
  return id;
}

void HeadlessBackend::SetGeometry(ControlId id, int left, int top, int width, int height) {
  if (HeadlessControl* c = Lookup(id)) {
    c->left = left;
    c->top = top;
    c->width = width;
    c->height = height;
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
  if (!c) return;
  c->text = text;
  if (c->kind == ControlKind::Edit && c->events) c->events->OnTextChanged();
}

std::string HeadlessBackend::GetText(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c ? c->text : std::string();
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
  if (HeadlessControl* c = Lookup(id)) c->tab_order = order;
}

void HeadlessBackend::SetCursor(ControlId id, int cursor) {
  if (HeadlessControl* c = Lookup(id)) c->cursor = cursor;
}

void HeadlessBackend::SetAlignment(ControlId id, int alignment) {
  if (HeadlessControl* c = Lookup(id)) c->alignment = alignment;
}

void HeadlessBackend::SetPanelFrame(ControlId id, int bevel_inner, int bevel_outer, int bevel_width, int border_width) {
  if (HeadlessControl* c = Lookup(id)) {
    c->bevel_inner = bevel_inner;
    c->bevel_outer = bevel_outer;
    c->bevel_width = bevel_width;
    c->border_width = border_width;
  }
}

void HeadlessBackend::SetChecked(ControlId id, bool checked) {
  if (HeadlessControl* c = Lookup(id)) c->checked = checked;
}

bool HeadlessBackend::GetChecked(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c && c->checked;
}

// --- Items ---
// The selection follows its item when items are inserted or deleted before it, as
// the native list controls do; a tab strip selects its first tab as soon as it has one.

void HeadlessBackend::InsertItem(ControlId id, int index, const std::string& text) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  auto& items = c->items;
  const bool was_empty = items.empty();
  if (index < 0 || size_t(index) >= items.size()) {
    index = int(items.size());
    items.push_back(text);
  } else if (index == 0) {
    items.push_front(text);
  } else {
    items.insert(items.begin() + index, text);
  }
  if (c->selection >= index) ++c->selection;
  if (was_empty && c->kind == ControlKind::TabStrip) c->selection = 0;
}

void HeadlessBackend::DeleteItem(ControlId id, int index) {
  HeadlessControl* c = Lookup(id);
  if (!c || index < 0 || size_t(index) >= c->items.size()) return;
  if (index == 0) {
    c->items.pop_front();
  } else {
    c->items.erase(c->items.begin() + index);
  }
  if (c->selection == index) {
    c->selection = -1;
  } else if (c->selection > index) {
    --c->selection;
  }
}

void HeadlessBackend::SetItem(ControlId id, int index, const std::string& text) {
  HeadlessControl* c = Lookup(id);
  if (c && index >= 0 && size_t(index) < c->items.size()) c->items[size_t(index)] = text;
}

std::string HeadlessBackend::GetItem(ControlId id, int index) {
  const HeadlessControl* c = Lookup(id);
  if (!c || index < 0 || size_t(index) >= c->items.size()) return {};
  return c->items[size_t(index)];
}

int HeadlessBackend::ItemCount(ControlId id) {
  const HeadlessControl* c = Lookup(id);
  return c ? int(c->items.size()) : 0;
}

void HeadlessBackend::SetItems(ControlId id, std::vector<std::string> items) {
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  c->items.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
  c->selection = (c->kind == ControlKind::TabStrip && !c->items.empty()) ? 0 : -1;
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
  HeadlessControl* c = Lookup(id);
  if (!c) return;
  c->selection = (index >= 0 && size_t(index) < c->items.size()) ? index : -1;
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

void HeadlessBackend::SetWindowState(ControlId form, int state) {
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

// --- Dialogs, shell, clipboard ---

std::optional<FileDialogAnswer> HeadlessBackend::RunFileDialog(const FileDialogRequest& request) {
  ShownDialog shown;
  shown.kind = request.save ? DialogKind::Save : DialogKind::Open;
  shown.title = request.title;
  shown.filter = request.filter;
  shown.start_dir = request.start_dir;
  shown.initial_name = request.initial_name;
  shown.owner = MainWindowControl();
  shown.filter_index = request.filter_index;
  shown.chosen_filter = request.filter_index;
  auto& answers = request.save ? save_answers_ : open_answers_;
  if (answers.empty()) {
    shown.defaulted = true;  // nobody there to choose: the dialog counts as cancelled
  } else {
    shown.path = std::move(answers.front().path);
    if (answers.front().filter_index >= 0) shown.chosen_filter = answers.front().filter_index;
    answers.pop_front();
  }
  shown_.push_back(shown);
  if (!shown.path) return std::nullopt;
  return FileDialogAnswer{*shown.path, shown.chosen_filter};
}

int HeadlessBackend::DefaultMessageAnswer(int type) {
  switch (type) {
    case 2:
    case 3: return 6;  // Yes
    case 4: return 4;  // Retry
    case 5: return 3;  // Abort
    default: return 1; // OK
  }
}

int HeadlessBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption, int type,
                                int icon) {
  ShownDialog shown;
  shown.kind = DialogKind::Message;
  shown.title = caption;
  shown.text = text;
  shown.type = type;
  shown.icon = icon;
  shown.owner = owner;
  if (message_answers_.empty()) {
    shown.defaulted = true;
    shown.code = DefaultMessageAnswer(type);
  } else {
    shown.code = message_answers_.front();
    message_answers_.pop_front();
  }
  shown_.push_back(shown);
  return shown.code;
}

void HeadlessBackend::OpenDocument(const std::string& target) {
  opened_.push_back(target);
  ShownDialog shown;
  shown.kind = DialogKind::Shell;
  shown.text = target;
  shown_.push_back(shown);
}

std::string HeadlessBackend::ClipboardText() { return clipboard_; }

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

ControlId HeadlessBackend::FindSeen(const std::string& text) const {
  for (const auto& c : controls_) {
    if (!IsList(c->kind) && c->text == text && IsSeen(c->id)) return c->id;
  }
  return kNoControl;
}

std::vector<ControlId> HeadlessBackend::FindAllSeen(const std::string& text) const {
  std::vector<ControlId> found;
  for (const auto& c : controls_) {
    if (!IsList(c->kind) && c->text == text && IsSeen(c->id)) found.push_back(c->id);
  }
  return found;
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

// --- The scripted user ---

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
  if (!IsList(c->kind) || index < 0 || size_t(index) >= c->items.size()) return false;
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

// --- The dump ---

std::string HeadlessBackend::DumpLine(ControlId id) const {
  const HeadlessControl* control = Lookup(id);
  if (!control) return {};
  const HeadlessControl& c = *control;
  const std::string address = Address(c.id);
  std::string out = address.empty() ? std::string(KindName(c.kind)) : address;
  if (!IsList(c.kind) && (c.kind != ControlKind::Panel || !c.text.empty())) out += " " + Quote(c.text);
  if (!CanAct(c.id)) out += " disabled";
  if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
    out += c.checked ? " checked" : " unchecked";
  }
  if (IsList(c.kind)) {
    out += " selected " + std::to_string(c.selection);
    if (c.selection >= 0) out += " " + Quote(c.items[size_t(c.selection)]);
    out += ", " + std::to_string(c.items.size()) + (c.items.size() == 1 ? " item" : " items");
  }
  return out;
}

std::string HeadlessBackend::DumpOne(ControlId id, size_t max_items) const {
  const HeadlessControl* c = Lookup(id);
  if (!c) return {};
  std::string out = DumpLine(id) + '\n';
  if (IsList(c->kind)) {
    const size_t shown = std::min(c->items.size(), max_items);
    for (size_t i = 0; i < shown; ++i) out += "  - " + Quote(c->items[i]) + '\n';
    if (shown < c->items.size()) out += "  ... " + std::to_string(c->items.size() - shown) + " more\n";
  }
  return out;
}

void HeadlessBackend::DumpControl(const HeadlessControl& c, int depth, size_t max_items, std::string& out) const {
  const std::string indent(size_t(depth) * 2, ' ');
  std::string one = DumpOne(c.id, max_items);
  for (size_t at = 0; at < one.size();) {
    const size_t end = one.find('\n', at);
    out += indent + one.substr(at, end + 1 - at);
    at = end + 1;
  }
  std::vector<ControlId> children = c.children;
  std::sort(children.begin(), children.end());
  for (ControlId child : children) {
    if (IsSeen(child)) DumpControl(*Lookup(child), depth + 1, max_items, out);
  }
}

std::string HeadlessBackend::Dump(size_t max_items) const {
  std::string out;
  std::vector<ControlId> roots = top_level_;
  std::sort(roots.begin(), roots.end());
  for (ControlId root : roots) {
    if (IsSeen(root)) DumpControl(*Lookup(root), 0, max_items, out);
  }
  return out;
}

}  // namespace widgets
