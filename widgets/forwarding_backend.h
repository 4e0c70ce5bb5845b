// A window system that hands every call to another one: the base of a backend that stands
// in front of the current one for a while to watch or change a few of its calls, such as
// the export from the command line, which tells a failed export by the boxes it shows.
#pragma once

#include "widgets/backend.h"

namespace widgets {

class ForwardingBackend : public Backend {
 public:
  explicit ForwardingBackend(Backend& to) : to_(to) {}

  ControlId Create(ControlKind kind, ControlId parent, ControlEvents* events) override;
  void SetGeometry(ControlId id, int left, int top, int width, int height) override;
  void SetText(ControlId id, const std::string& text) override;
  std::string GetText(ControlId id) override;
  void SetFont(ControlId id, const TFontRec& font) override;
  void SetColor(ControlId id, uint32_t color) override;
  void SetEnabled(ControlId id, bool enabled) override;
  void SetVisible(ControlId id, bool visible) override;
  bool IsVisible(ControlId id) override;
  void SetZOrder(ControlId id, bool to_top) override;
  void SetTooltip(ControlId id, const std::string& text) override;
  void SetTabOrder(ControlId id, int order) override;
  void SetCursor(ControlId id, Cursor cursor) override;
  void SetAlignment(ControlId id, Alignment alignment) override;
  void SetPanelFrame(ControlId id, const PanelFrame& frame) override;
  void SetChecked(ControlId id, bool checked) override;
  bool GetChecked(ControlId id) override;
  void InsertItem(ControlId id, int index, const std::string& text) override;
  void DeleteItem(ControlId id, int index) override;
  void SetItem(ControlId id, int index, const std::string& text) override;
  std::string GetItem(ControlId id, int index) override;
  int ItemCount(ControlId id) override;
  void SetItems(ControlId id, std::vector<std::string> items) override;
  std::vector<std::string> GetItems(ControlId id) override;
  int GetSelection(ControlId id) override;
  void SetSelection(ControlId id, int index) override;
  uint32_t GetStyle(ControlId id) override;
  void SetStyle(ControlId id, uint32_t style) override;
  void SetIcon(ControlId id, const std::string& resource) override;
  void SetWindowState(ControlId form, WindowState state) override;
  void GetGeometry(ControlId id, int& left, int& top, int& width, int& height) override;
  void Show(ControlId form) override;
  void RunMessageLoop() override;
  bool ProcessEvents() override;
  void RequestClose(ControlId form) override;
  std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) override;
  MessageAnswer ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;
  void OpenDocument(const std::string& target) override;
  std::string ClipboardText() override;

 private:
  Backend& to_;
};

}  // namespace widgets
