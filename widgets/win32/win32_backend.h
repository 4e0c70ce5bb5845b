// The window system on Win32: every control of the backend interface as a native window
// (user32 and the common controls 6.0), the common file dialogs, message boxes and the shell.
// Text crosses to the system through the wide API as Windows-1251 (runtime/platform/code_page.h).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "widgets/backend.h"

struct HWND__;
typedef HWND__* HWND;

namespace widgets {

namespace win32impl {
struct Control;
}

class Win32Backend : public Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

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

  // The native window behind a control (nullptr for an unknown id), for tests and tools.
  HWND Window(ControlId id) const;

  // Called by the window procedures.
  win32impl::Control* Find(ControlId id) const;
  bool FormCloseRequested(win32impl::Control& c);
  bool IsMainForm(const win32impl::Control& c) const;

 private:
  void SyncList(win32impl::Control& c, int top_shift);
  void ApplyStatusText(win32impl::Control& c);
  void ApplyFormStyle(win32impl::Control& c);
  // The pages are laid out for the client area the form's outer size would have without a
  // frame: a form too short for its controls and its status bar grows, so that the bar
  // covers none of them (the record counts at the bottom of a page).
  void MakeRoomForStatusBar(win32impl::Control& form);

  std::map<ControlId, std::unique_ptr<win32impl::Control>> controls_;
  ControlId first_form_ = kNoControl;
  bool main_closed_ = false;
  bool in_loop_ = false;
};

// The live Win32 backend's window for a control (nullptr when there is none).
HWND WindowOf(ControlId id);

// Handles every window message waiting in the queue, so that windows are painted.
void PumpMessages();

// Paints a form with everything on it and writes it as a PNG file; false when the form is
// unknown or the file cannot be written.
bool SaveWindowShot(ControlId form, const std::string& png_path);

}  // namespace widgets
