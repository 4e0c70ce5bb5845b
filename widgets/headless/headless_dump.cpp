// What the headless backend's scripted user reads: every control it sees, one per line.
#include <algorithm>
#include <cstdio>

#include "widgets/headless/headless_backend.h"

namespace widgets {

namespace {

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

std::string HeadlessBackend::DumpLine(ControlId id) const {
  const HeadlessControl* control = Lookup(id);
  if (!control) return {};
  const HeadlessControl& c = *control;
  const std::string address = Address(c.id);
  std::string out = address.empty() ? std::string(KindName(c.kind)) : address;
  // Built piece by piece: GCC 12 takes a text put in front of a temporary for an overlapping copy.
  if (!HoldsItems(c.kind) && (c.kind != ControlKind::Panel || !c.text.empty())) out.append(" ").append(Quote(c.text));
  if (!CanAct(c.id)) out += " disabled";
  if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
    out += c.checked ? " checked" : " unchecked";
  }
  if (HoldsItems(c.kind)) {
    out.append(" selected ").append(std::to_string(c.selection));
    if (c.selection >= 0) out.append(" ").append(Quote(c.items[size_t(c.selection)]));
    out.append(", ").append(std::to_string(c.items.size())).append(c.items.size() == 1 ? " item" : " items");
  }
  return out;
}

std::string HeadlessBackend::DumpOne(ControlId id, size_t max_items) const {
  const HeadlessControl* c = Lookup(id);
  if (!c) return {};
  std::string out = DumpLine(id) + '\n';
  if (HoldsItems(c->kind)) {
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
