// The window system on Qt 6 Widgets: every control of the backend interface as a native Qt
// widget. The rules every native backend keeps come from widgets/native_backend.h; what is
// here translates them to Qt. Files: qt_backend.cpp (lifetime and the control factory),
// qt_form.cpp (the form, its frame and the message loop), qt_properties.cpp (what a control
// shows), qt_items.cpp (items of list controls), qt_dialogs.cpp (dialogs, the shell, the
// clipboard), qt_start.cpp (the display Qt needs, and its start without one); qt_controls.*
// hold the widgets, qt_look.cpp fonts, colours, cursors, the icon.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "widgets/native_backend.h"

class QSize;
class QUrl;
class QWidget;

namespace widgets {

namespace qtimpl {
struct Control;
}

class QtBackend : public NativeBackend {
 public:
  // Uses the running QApplication or creates one (from the given arguments, which must
  // outlive it, or from a fixed program name); a created one is deleted with the last backend.
  QtBackend();
  QtBackend(int& argc, char** argv);
  // As above, where Qt cannot start its window system (a display that is set but does not
  // answer, a platform that cannot be loaded): `cannot_start` is told Qt's reason, and the
  // process ends with exit code 1 instead of Qt's abort.
  using StartFailure = std::function<void(const std::string& why)>;
  QtBackend(int& argc, char** argv, const StartFailure& cannot_start);
  // Why Qt has no display to open a window on, seen from the environment alone: on Linux
  // when neither DISPLAY, WAYLAND_DISPLAY nor QT_QPA_PLATFORM is set. Empty otherwise.
  static std::string MissingDisplay();
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

  void SetGeometry(ControlId id, int left, int top, int width, int height) override;
  void GetGeometry(ControlId id, int& left, int& top, int& width, int& height) override;
  void SetFont(ControlId id, const TFontRec& font) override;
  void SetColor(ControlId id, uint32_t color) override;
  void SetEnabled(ControlId id, bool enabled) override;
  void SetVisible(ControlId id, bool visible) override;
  bool IsVisible(ControlId id) override;
  void SetZOrder(ControlId id, bool to_top) override;
  void SetTooltip(ControlId id, const std::string& text) override;
  void SetCursor(ControlId id, Cursor cursor) override;
  void SetPanelFrame(ControlId id, const PanelFrame& frame) override;

  void SetIcon(ControlId id, const std::string& resource) override;
  void SetWindowState(ControlId form, WindowState state) override;
  void Show(ControlId form) override;
  bool ProcessEvents() override;
  void RequestClose(ControlId form) override;

  std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) override;
  MessageAnswer ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;
  void OpenDocument(const std::string& target) override;
  std::string ClipboardText() override;

  // The native widget behind a control (nullptr for an unknown id), for tests that act as the user.
  QWidget* Widget(ControlId id) const;

 protected:
  NativeControl* Record(ControlId id) const override;
  ControlId Make(ControlKind kind, NativeControl* owner, ControlEvents* events) override;
  void ShowText(NativeControl& c) override;
  std::string ShownText(const NativeControl& c) const override;
  void ShowAlignment(NativeControl& c) override;
  void ShowChecked(NativeControl& c, bool checked) override;
  void ShowStyle(NativeControl& form) override;
  bool ShownChecked(const NativeControl& c) const override;
  void ShowTabChain(NativeControl& parent, NativeControl& placed) override;
  bool OnScreen(const NativeControl& form) const override;
  void RunLoop(ControlId main) override;
  void QuitLoop() override;

 private:
  qtimpl::Control* Find(ControlId id) const;
  QWidget* MakeWidget(qtimpl::Control& c, QWidget* parent);
  void ApplyFormGeometry(qtimpl::Control& c);
  // Sizes a form's client area: the outer size asked for less the frame `extra`, and tall
  // enough that its status bar sits below its other controls instead of over the lowest.
  void SizeClient(qtimpl::Control& c, const QSize& extra);
  void DockStatusBar(qtimpl::Control& c);
  void KeepStatusBarOnTop(ControlId parent);
  void FormFrameChanged(qtimpl::Control& c);

  std::map<ControlId, std::unique_ptr<qtimpl::Control>> controls_;
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
