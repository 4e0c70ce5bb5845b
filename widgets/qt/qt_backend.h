// The window system on Qt 6 Widgets: every control of the backend interface as a native Qt widget.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "widgets/backend.h"

class QSize;
class QUrl;
class QWidget;

namespace widgets {

namespace qtimpl {
struct Control;
}

class QtBackend : public Backend {
 public:
  // Uses the running QApplication or creates one (from the given arguments, which must
  // outlive it, or from a fixed program name); a created one is deleted with the last backend.
  QtBackend();
  QtBackend(int& argc, char** argv);
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

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
  void SetCursor(ControlId id, int cursor) override;
  void SetAlignment(ControlId id, int alignment) override;
  void SetPanelFrame(ControlId id, int bevel_inner, int bevel_outer, int bevel_width, int border_width) override;
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
  void SetWindowState(ControlId form, int state) override;
  void GetGeometry(ControlId id, int& left, int& top, int& width, int& height) override;
  void Show(ControlId form) override;
  void RunMessageLoop() override;
  void ProcessEvents() override;
  void RequestClose(ControlId form) override;

  std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) override;
  int ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption, int type, int icon) override;
  void OpenDocument(const std::string& target) override;
  std::string ClipboardText() override;

  // The native widget behind a control (nullptr for an unknown id), for tests that act as the user.
  QWidget* Widget(ControlId id) const;

 private:
  qtimpl::Control* Find(ControlId id) const;
  void ApplyFormGeometry(qtimpl::Control& c);
  // Sizes a form's client area: the outer size asked for less the frame `extra`, and tall
  // enough that its status bar sits below its other controls instead of over the lowest.
  void SizeClient(qtimpl::Control& c, const QSize& extra);
  void ApplyFormStyle(qtimpl::Control& c);
  void DockStatusBar(qtimpl::Control& c);
  void KeepStatusBarOnTop(ControlId parent);
  void ApplyStatusText(qtimpl::Control& c);
  void ScheduleListSync(qtimpl::Control& c);
  void SyncListSelection(qtimpl::Control& c);
  void FormFrameChanged(qtimpl::Control& c);
  void FormShown(qtimpl::Control& c);
  bool FormCloseRequested(qtimpl::Control& c);
  bool IsMainForm(const qtimpl::Control& c) const;

  std::map<ControlId, std::unique_ptr<qtimpl::Control>> controls_;
  ControlId first_form_ = kNoControl;
  bool main_closed_ = false;
  bool in_loop_ = false;
  std::shared_ptr<bool> alive_;  // false once destruction begins: late widget signals are dropped
};

// What OpenDocument hands to the desktop: an address with a scheme as it is, "www." as a
// web address, anything else as a local file (the program's "\" paths allowed). Empty when
// there is nothing to open.
QUrl DocumentUrl(const std::string& target);

// The live Qt backend's widget for a control (nullptr when there is none).
QWidget* WidgetOf(ControlId id);

// Renders a form with everything on it into a PNG file; false when the form is unknown or the
// file cannot be written. Works on the offscreen platform.
bool SaveWindowShot(ControlId form, const std::string& png_path);

}  // namespace widgets
