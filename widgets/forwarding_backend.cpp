#include "widgets/forwarding_backend.h"

#include <utility>

namespace widgets {

ControlId ForwardingBackend::Create(ControlKind kind, ControlId parent, ControlEvents* events) {
  return to_.Create(kind, parent, events);
}
void ForwardingBackend::SetGeometry(ControlId id, int left, int top, int width, int height) {
  to_.SetGeometry(id, left, top, width, height);
}
void ForwardingBackend::SetText(ControlId id, const std::string& text) { to_.SetText(id, text); }
std::string ForwardingBackend::GetText(ControlId id) { return to_.GetText(id); }
void ForwardingBackend::SetFont(ControlId id, const TFontRec& font) { to_.SetFont(id, font); }
void ForwardingBackend::SetColor(ControlId id, uint32_t color) { to_.SetColor(id, color); }
void ForwardingBackend::SetEnabled(ControlId id, bool enabled) { to_.SetEnabled(id, enabled); }
void ForwardingBackend::SetVisible(ControlId id, bool visible) { to_.SetVisible(id, visible); }
bool ForwardingBackend::IsVisible(ControlId id) { return to_.IsVisible(id); }
void ForwardingBackend::SetZOrder(ControlId id, bool to_top) { to_.SetZOrder(id, to_top); }
void ForwardingBackend::SetTooltip(ControlId id, const std::string& text) { to_.SetTooltip(id, text); }
void ForwardingBackend::SetTabOrder(ControlId id, int order) { to_.SetTabOrder(id, order); }
void ForwardingBackend::SetCursor(ControlId id, Cursor cursor) { to_.SetCursor(id, cursor); }
void ForwardingBackend::SetAlignment(ControlId id, Alignment alignment) { to_.SetAlignment(id, alignment); }
void ForwardingBackend::SetPanelFrame(ControlId id, const PanelFrame& frame) { to_.SetPanelFrame(id, frame); }
void ForwardingBackend::SetChecked(ControlId id, bool checked) { to_.SetChecked(id, checked); }
bool ForwardingBackend::GetChecked(ControlId id) { return to_.GetChecked(id); }
void ForwardingBackend::InsertItem(ControlId id, int index, const std::string& text) {
  to_.InsertItem(id, index, text);
}
void ForwardingBackend::DeleteItem(ControlId id, int index) { to_.DeleteItem(id, index); }
void ForwardingBackend::SetItem(ControlId id, int index, const std::string& text) { to_.SetItem(id, index, text); }
std::string ForwardingBackend::GetItem(ControlId id, int index) { return to_.GetItem(id, index); }
int ForwardingBackend::ItemCount(ControlId id) { return to_.ItemCount(id); }
void ForwardingBackend::SetItems(ControlId id, std::vector<std::string> items) { to_.SetItems(id, std::move(items)); }
std::vector<std::string> ForwardingBackend::GetItems(ControlId id) { return to_.GetItems(id); }
int ForwardingBackend::GetSelection(ControlId id) { return to_.GetSelection(id); }
void ForwardingBackend::SetSelection(ControlId id, int index) { to_.SetSelection(id, index); }
uint32_t ForwardingBackend::GetStyle(ControlId id) { return to_.GetStyle(id); }
void ForwardingBackend::SetStyle(ControlId id, uint32_t style) { to_.SetStyle(id, style); }
void ForwardingBackend::SetIcon(ControlId id, const std::string& resource) { to_.SetIcon(id, resource); }
void ForwardingBackend::SetWindowState(ControlId form, WindowState state) { to_.SetWindowState(form, state); }
void ForwardingBackend::GetGeometry(ControlId id, int& left, int& top, int& width, int& height) {
  to_.GetGeometry(id, left, top, width, height);
}
void ForwardingBackend::Show(ControlId form) { to_.Show(form); }
void ForwardingBackend::RunMessageLoop() { to_.RunMessageLoop(); }
bool ForwardingBackend::ProcessEvents() { return to_.ProcessEvents(); }
void ForwardingBackend::RequestClose(ControlId form) { to_.RequestClose(form); }
std::optional<FileDialogAnswer> ForwardingBackend::RunFileDialog(const FileDialogRequest& request) {
  return to_.RunFileDialog(request);
}
MessageAnswer ForwardingBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                                MessageButtons buttons, MessageIcon icon) {
  return to_.ShowMessageBox(owner, text, caption, buttons, icon);
}
void ForwardingBackend::OpenDocument(const std::string& target) { to_.OpenDocument(target); }
std::string ForwardingBackend::ClipboardText() { return to_.ClipboardText(); }

}  // namespace widgets
