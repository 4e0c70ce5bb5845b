// The window system on Win32: every control of the backend interface as a native window
// (user32 and the common controls 6.0), the common file dialogs, message boxes and the shell.
// Text crosses to the system through the wide API as Windows-1251 (runtime/platform/code_page.h).
// The rules every native backend keeps come from widgets/native_backend.h; what is here
// translates them to Win32. Files: win32_backend.cpp (lifetime and the control factory),
// win32_form.cpp (the form, its frame and the message loop), win32_properties.cpp (what a
// control shows), win32_items.cpp (items of list controls), win32_dialogs.cpp (dialogs, the
// shell, the clipboard), win32_procs.cpp (the window procedures), win32_look.cpp (fonts,
// colours, cursors).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "widgets/native_backend.h"

struct HWND__;
typedef HWND__* HWND;

namespace widgets {

namespace win32impl {
struct Control;
}

class Win32Backend : public NativeBackend {
 public:
  Win32Backend();
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

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

  // The native window behind a control (nullptr for an unknown id), for tests and tools.
  HWND Window(ControlId id) const;

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
  win32impl::Control* Find(ControlId id) const;
  // The pages are laid out for the client area the form's outer size would have without a
  // frame: a form too short for its controls and its status bar grows (widgets/status_bar_layout.h).
  void MakeRoomForStatusBar(win32impl::Control& form);

  std::map<ControlId, std::unique_ptr<win32impl::Control>> controls_;
};

// The live Win32 backend's window for a control (nullptr when there is none).
HWND WindowOf(ControlId id);

// Handles every window message waiting in the queue, so that windows are painted.
void PumpMessages();

// Paints a form with everything on it and writes it as a PNG file; false when the form is
// unknown or the file cannot be written.
bool SaveWindowShot(ControlId form, const std::string& png_path);

}  // namespace widgets
