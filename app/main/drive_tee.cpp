#include "app/main/drive_tee.h"

namespace drive {

using widgets::ControlId;

ControlId TeeBackend::RealId(ControlId id) const {
  const auto found = real_ids_.find(id);
  return found == real_ids_.end() ? widgets::kNoControl : found->second;
}

void TeeBackend::MirrorUserChange(ControlId id, widgets::ControlKind kind, const std::string& text, int index) {
  if (!real_) return;
  const ControlId r = RealId(id);
  switch (kind) {
    case widgets::ControlKind::CheckBox: real_->SetChecked(r, !real_->GetChecked(r)); break;
    case widgets::ControlKind::RadioButton: real_->SetChecked(r, true); break;
    case widgets::ControlKind::Edit: real_->SetText(r, text); break;
    case widgets::ControlKind::ListBox:
    case widgets::ControlKind::ComboBox:
    case widgets::ControlKind::TabStrip: real_->SetSelection(r, index); break;
    default: break;
  }
}

ControlId TeeBackend::Create(widgets::ControlKind kind, ControlId parent, widgets::ControlEvents* events) {
  const ControlId id = mirror_.Create(kind, parent, events);
  if (real_) real_ids_[id] = real_->Create(kind, RealId(parent), &silent_);
  return id;
}

// Writes go to both window systems.
#define VELTRANE_TEE(call_mirror, call_real) \
  do {                                       \
    mirror_.call_mirror;                     \
    if (real_) real_->call_real;             \
  } while (0)

void TeeBackend::SetGeometry(ControlId id, int l, int t, int w, int h) {
  VELTRANE_TEE(SetGeometry(id, l, t, w, h), SetGeometry(RealId(id), l, t, w, h));
}
void TeeBackend::SetText(ControlId id, const std::string& text) {
  VELTRANE_TEE(SetText(id, text), SetText(RealId(id), text));
}
void TeeBackend::SetFont(ControlId id, const TFontRec& font) {
  VELTRANE_TEE(SetFont(id, font), SetFont(RealId(id), font));
}
void TeeBackend::SetColor(ControlId id, uint32_t c) { VELTRANE_TEE(SetColor(id, c), SetColor(RealId(id), c)); }
void TeeBackend::SetEnabled(ControlId id, bool e) { VELTRANE_TEE(SetEnabled(id, e), SetEnabled(RealId(id), e)); }
void TeeBackend::SetVisible(ControlId id, bool v) { VELTRANE_TEE(SetVisible(id, v), SetVisible(RealId(id), v)); }
void TeeBackend::SetZOrder(ControlId id, bool top) { VELTRANE_TEE(SetZOrder(id, top), SetZOrder(RealId(id), top)); }
void TeeBackend::SetTooltip(ControlId id, const std::string& t) {
  VELTRANE_TEE(SetTooltip(id, t), SetTooltip(RealId(id), t));
}
void TeeBackend::SetTabOrder(ControlId id, int o) { VELTRANE_TEE(SetTabOrder(id, o), SetTabOrder(RealId(id), o)); }
void TeeBackend::SetCursor(ControlId id, widgets::Cursor c) {
  VELTRANE_TEE(SetCursor(id, c), SetCursor(RealId(id), c));
}
void TeeBackend::SetAlignment(ControlId id, widgets::Alignment a) {
  VELTRANE_TEE(SetAlignment(id, a), SetAlignment(RealId(id), a));
}
void TeeBackend::SetPanelFrame(ControlId id, const widgets::PanelFrame& f) {
  VELTRANE_TEE(SetPanelFrame(id, f), SetPanelFrame(RealId(id), f));
}
void TeeBackend::SetChecked(ControlId id, bool c) { VELTRANE_TEE(SetChecked(id, c), SetChecked(RealId(id), c)); }
void TeeBackend::InsertItem(ControlId id, int i, const std::string& t) {
  VELTRANE_TEE(InsertItem(id, i, t), InsertItem(RealId(id), i, t));
}
void TeeBackend::DeleteItem(ControlId id, int i) { VELTRANE_TEE(DeleteItem(id, i), DeleteItem(RealId(id), i)); }
void TeeBackend::SetItem(ControlId id, int i, const std::string& t) {
  VELTRANE_TEE(SetItem(id, i, t), SetItem(RealId(id), i, t));
}
void TeeBackend::SetItems(ControlId id, std::vector<std::string> items) {
  if (real_) real_->SetItems(RealId(id), items);
  mirror_.SetItems(id, std::move(items));
}
void TeeBackend::SetSelection(ControlId id, int i) { VELTRANE_TEE(SetSelection(id, i), SetSelection(RealId(id), i)); }
void TeeBackend::SetStyle(ControlId id, uint32_t s) { VELTRANE_TEE(SetStyle(id, s), SetStyle(RealId(id), s)); }
void TeeBackend::SetIcon(ControlId id, const std::string& r) { VELTRANE_TEE(SetIcon(id, r), SetIcon(RealId(id), r)); }
void TeeBackend::SetWindowState(ControlId id, widgets::WindowState s) {
  VELTRANE_TEE(SetWindowState(id, s), SetWindowState(RealId(id), s));
}
void TeeBackend::Show(ControlId form) { VELTRANE_TEE(Show(form), Show(RealId(form))); }

#undef VELTRANE_TEE

// Reads come from the real widgets when they exist.
std::string TeeBackend::GetText(ControlId id) { return real_ ? real_->GetText(RealId(id)) : mirror_.GetText(id); }
bool TeeBackend::IsVisible(ControlId id) { return real_ ? real_->IsVisible(RealId(id)) : mirror_.IsVisible(id); }
bool TeeBackend::GetChecked(ControlId id) { return real_ ? real_->GetChecked(RealId(id)) : mirror_.GetChecked(id); }
std::string TeeBackend::GetItem(ControlId id, int i) {
  return real_ ? real_->GetItem(RealId(id), i) : mirror_.GetItem(id, i);
}
int TeeBackend::ItemCount(ControlId id) { return real_ ? real_->ItemCount(RealId(id)) : mirror_.ItemCount(id); }
std::vector<std::string> TeeBackend::GetItems(ControlId id) {
  return real_ ? real_->GetItems(RealId(id)) : mirror_.GetItems(id);
}
int TeeBackend::GetSelection(ControlId id) {
  return real_ ? real_->GetSelection(RealId(id)) : mirror_.GetSelection(id);
}
uint32_t TeeBackend::GetStyle(ControlId id) { return real_ ? real_->GetStyle(RealId(id)) : mirror_.GetStyle(id); }
void TeeBackend::GetGeometry(ControlId id, int& l, int& t, int& w, int& h) {
  if (real_) real_->GetGeometry(RealId(id), l, t, w, h);
  else mirror_.GetGeometry(id, l, t, w, h);
}

// The session itself, dialogs, the shell and the clipboard belong to the headless user.
void TeeBackend::RunMessageLoop() { mirror_.RunMessageLoop(); }
bool TeeBackend::ProcessEvents() {
  if (real_) real_->ProcessEvents();
  return mirror_.ProcessEvents();  // the user's keys are the script's
}
void TeeBackend::RequestClose(ControlId form) {
  mirror_.RequestClose(form);
  if (real_ && mirror_.IsClosed(form)) real_->SetVisible(RealId(form), false);
}
std::optional<widgets::FileDialogAnswer> TeeBackend::RunFileDialog(const widgets::FileDialogRequest& request) {
  return mirror_.RunFileDialog(request);
}
widgets::MessageAnswer TeeBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                                  widgets::MessageButtons buttons, widgets::MessageIcon icon) {
  return mirror_.ShowMessageBox(owner, text, caption, buttons, icon);
}
void TeeBackend::OpenDocument(const std::string& target) { mirror_.OpenDocument(target); }
std::string TeeBackend::ClipboardText() { return mirror_.ClipboardText(); }

}  // namespace drive
