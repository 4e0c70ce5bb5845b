// The driver's window system: the headless backend carries the program and plays the
// user; with a second, real backend (Qt) every control is built there too and every
// property set on it, so that the same session runs on real widgets and can be
// photographed. Reads come from the real backend when there is one, so what the
// program reads back is what the real widgets hold.
#pragma once

#include <unordered_map>

#include "widgets/headless/headless_backend.h"

namespace drive {

class TeeBackend : public widgets::Backend {
 public:
  TeeBackend(widgets::HeadlessBackend& mirror, widgets::Backend* real) : mirror_(mirror), real_(real) {}

  widgets::HeadlessBackend& Mirror() { return mirror_; }
  // The real control behind a mirror control, or kNoControl without a real backend.
  widgets::ControlId RealId(widgets::ControlId id) const;

  // The user's own change of a control's native state, made on the real widget before
  // the headless user reports it to the program.
  void MirrorUserChange(widgets::ControlId id, widgets::ControlKind kind, const std::string& text, int index);

  widgets::ControlId Create(widgets::ControlKind kind, widgets::ControlId parent,
                            widgets::ControlEvents* events) override;
  void SetGeometry(widgets::ControlId id, int left, int top, int width, int height) override;
  void SetText(widgets::ControlId id, const std::string& text) override;
  std::string GetText(widgets::ControlId id) override;
  void SetFont(widgets::ControlId id, const TFontRec& font) override;
  void SetColor(widgets::ControlId id, uint32_t color) override;
  void SetEnabled(widgets::ControlId id, bool enabled) override;
  void SetVisible(widgets::ControlId id, bool visible) override;
  bool IsVisible(widgets::ControlId id) override;
  void SetZOrder(widgets::ControlId id, bool to_top) override;
  void SetTooltip(widgets::ControlId id, const std::string& text) override;
  void SetTabOrder(widgets::ControlId id, int order) override;
  void SetCursor(widgets::ControlId id, widgets::Cursor cursor) override;
  void SetAlignment(widgets::ControlId id, widgets::Alignment alignment) override;
  void SetPanelFrame(widgets::ControlId id, const widgets::PanelFrame& frame) override;
  void SetChecked(widgets::ControlId id, bool checked) override;
  bool GetChecked(widgets::ControlId id) override;
  void InsertItem(widgets::ControlId id, int index, const std::string& text) override;
  void DeleteItem(widgets::ControlId id, int index) override;
  void SetItem(widgets::ControlId id, int index, const std::string& text) override;
  std::string GetItem(widgets::ControlId id, int index) override;
  int ItemCount(widgets::ControlId id) override;
  void SetItems(widgets::ControlId id, std::vector<std::string> items) override;
  std::vector<std::string> GetItems(widgets::ControlId id) override;
  int GetSelection(widgets::ControlId id) override;
  void SetSelection(widgets::ControlId id, int index) override;
  uint32_t GetStyle(widgets::ControlId id) override;
  void SetStyle(widgets::ControlId id, uint32_t style) override;
  void SetIcon(widgets::ControlId id, const std::string& resource) override;
  void SetWindowState(widgets::ControlId form, widgets::WindowState state) override;
  void GetGeometry(widgets::ControlId id, int& left, int& top, int& width, int& height) override;
  void Show(widgets::ControlId form) override;
  void RunMessageLoop() override;
  bool ProcessEvents() override;
  void RequestClose(widgets::ControlId form) override;
  std::optional<widgets::FileDialogAnswer> RunFileDialog(const widgets::FileDialogRequest& request) override;
  widgets::MessageAnswer ShowMessageBox(widgets::ControlId owner, const std::string& text, const std::string& caption,
                                        widgets::MessageButtons buttons, widgets::MessageIcon icon) override;
  void OpenDocument(const std::string& target) override;
  std::string ClipboardText() override;

 private:
  // The real widgets report nothing back: the headless user is the only one acting.
  struct Silent : widgets::ControlEvents {};

  widgets::HeadlessBackend& mirror_;
  widgets::Backend* real_;
  Silent silent_;
  std::unordered_map<widgets::ControlId, widgets::ControlId> real_ids_;
};

}  // namespace drive
