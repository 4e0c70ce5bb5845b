// The native window system, in platform-neutral terms. Window elements hold all
// behaviour a user can observe; a backend only creates and drives native controls.
// Backends: widgets/headless (in memory, scriptable: the tests' and the driver's),
// widgets/qt (Qt 6 Widgets) and widgets/win32 (Win32, the Windows build). The two on a real
// window system share every rule that needs no toolkit (widgets/native_backend.h); the
// numbers schemes use for these choices become the enumerations below in backend_codes.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/font_rec.h"

namespace widgets {

using ControlId = int32_t;  // 0 = no control; otherwise the control's handle
constexpr ControlId kNoControl = 0;

enum class ControlKind {
  Form,
  Panel,
  TabStrip,
  StatusBar,
  Button,
  Edit,
  Label,
  CheckBox,
  RadioButton,
  ListBox,
  ComboBox
};

// List boxes, combo boxes and tab strips hold items; what they show is their items.
constexpr bool HoldsItems(ControlKind kind) {
  return kind == ControlKind::ListBox || kind == ControlKind::ComboBox || kind == ControlKind::TabStrip;
}

enum class Alignment { Left, Center, Right };

// A panel's bevels, outer and inner, and the widths around them in pixels: each bevel step is
// a one-pixel 3D frame, and the border lies between the two bevels.
enum class Bevel { None, Lowered, Raised };
struct PanelFrame {
  Bevel inner = Bevel::None;
  Bevel outer = Bevel::None;
  int bevel_width = 1;
  int border_width = 1;
};

// The mouse pointer over a control; Default is its class's own.
enum class Cursor {
  Default,
  None,
  Arrow,
  Cross,
  IBeam,
  Size,
  Icon,
  SizeAll,
  SizeNESW,
  SizeNS,
  SizeNWSE,
  SizeWE,
  UpArrow,
  HourGlass,
  Drag,
  NoDrop,
  HSplit,
  VSplit,
  MultiDrag,
  SqlWait,
  No,
  AppStart,
  Help,
  HandPoint
};

enum class WindowState { Normal, Maximized, Minimized };

// A message box's buttons, its icon, and the button the user pressed (Cancel also when the
// box was closed; None when it could not be shown).
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MessageIcon { None, Error, Question, Warning, Information };
enum class MessageAnswer { None, Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// Window style bits, with the values the original platform gives them.
constexpr uint32_t kStyleMaximizeBox = 0x00010000;
constexpr uint32_t kStyleMinimizeBox = 0x00020000;
constexpr uint32_t kStyleSizingFrame = 0x00040000;

// What a native control reports back to its element. Every call happens on the GUI
// thread, from the message loop or from inside a backend call made by an element.
class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  // Button, label, check box, radio button. A check box has already toggled its native state; a radio
  // button has been checked natively (its element clears the others of its group).
  virtual void OnClicked() {}
  virtual void OnTextChanged() {}       // edit: every change of its text, by the user or by SetText
  virtual void OnEnterPressed() {}      // edit
  virtual void OnSelectionChanged() {}  // list box, combo box, tab strip: by the user only
  virtual void OnMouseEnter() {}
  virtual void OnMouseLeave() {}
  virtual void OnShown() {}                       // form: every time it becomes visible
  virtual bool OnCloseRequest() { return true; }  // form: true lets the window close
};

struct FileDialogRequest {
  bool save = false;
  std::string title;
  std::string filter;  // "description|pattern|description|pattern..."
  std::string start_dir;
  std::string initial_name;  // the file chosen last time, preset in the dialog
  int filter_index = 0;      // the filter pair to preselect, from 0 (the one chosen last time)
};

// What the user confirmed in a file dialog: the file and the filter pair in use.
struct FileDialogAnswer {
  std::string path;
  int filter_index = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Controls. `parent` is kNoControl for the main window only.
  virtual ControlId Create(ControlKind kind, ControlId parent, ControlEvents* events) = 0;
  virtual void SetGeometry(ControlId id, int left, int top, int width, int height) = 0;
  virtual void SetText(ControlId id, const std::string& text) = 0;  // caption, edit text, status text
  virtual std::string GetText(ControlId id) = 0;
  virtual void SetFont(ControlId id, const TFontRec& font) = 0;
  virtual void SetColor(ControlId id, uint32_t color) = 0;  // background
  virtual void SetEnabled(ControlId id, bool enabled) = 0;
  virtual void SetVisible(ControlId id, bool visible) = 0;
  virtual bool IsVisible(ControlId id) = 0;               // its own flag, not its parents'
  virtual void SetZOrder(ControlId id, bool to_top) = 0;  // among its siblings
  virtual void SetTooltip(ControlId id, const std::string& text) = 0;
  virtual void SetTabOrder(ControlId id, int order) = 0;  // 1-based place among its siblings
  virtual void SetCursor(ControlId id, Cursor cursor) = 0;
  virtual void SetAlignment(ControlId id, Alignment alignment) = 0;  // label, edit, panel caption, status bar
  virtual void SetPanelFrame(ControlId id, const PanelFrame& frame) = 0;
  virtual void SetChecked(ControlId id, bool checked) = 0;  // check box, radio button
  virtual bool GetChecked(ControlId id) = 0;

  // Items of list boxes, combo boxes and tab strips. Indexes from 0; `index` -1 appends. Lists hold up to
  // millions of items: inserting at the front or the back must not cost more than O(1) amortised.
  virtual void InsertItem(ControlId id, int index, const std::string& text) = 0;
  virtual void DeleteItem(ControlId id, int index) = 0;
  virtual void SetItem(ControlId id, int index, const std::string& text) = 0;
  virtual std::string GetItem(ControlId id, int index) = 0;
  virtual int ItemCount(ControlId id) = 0;
  virtual void SetItems(ControlId id, std::vector<std::string> items) = 0;  // replaces all at once
  virtual std::vector<std::string> GetItems(ControlId id) = 0;
  virtual int GetSelection(ControlId id) = 0;              // -1 when none
  virtual void SetSelection(ControlId id, int index) = 0;  // does not report OnSelectionChanged

  // Main window.
  virtual uint32_t GetStyle(ControlId id) = 0;
  virtual void SetStyle(ControlId id, uint32_t style) = 0;
  virtual void SetIcon(ControlId id, const std::string& resource) = 0;
  virtual void SetWindowState(ControlId /*form*/, WindowState /*state*/) {}
  virtual void GetGeometry(ControlId id, int& left, int& top, int& width, int& height) = 0;
  virtual void Show(ControlId form) = 0;  // makes the form visible; the first time reports OnShown
  virtual void RunMessageLoop() = 0;      // returns when the main window has closed
  // While the GUI thread waits for work on another thread (a download): lets the window
  // system paint and handle its own events once. The window takes no input meanwhile but
  // Esc, the user's "stop": true when Esc was pressed since the last call. Other keys and
  // clicks made while the work runs are dropped, so that none acts on a window that has
  // changed under it. In-memory backends have nothing to do but the escapes queued.
  virtual bool ProcessEvents() { return false; }
  virtual void RequestClose(ControlId form) = 0;  // as the user closing it: asks OnCloseRequest

  // Modal dialogs, the shell and the clipboard.
  virtual std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) = 0;  // nothing: cancelled
  virtual MessageAnswer ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) = 0;
  virtual void OpenDocument(const std::string& target) = 0;
  virtual std::string ClipboardText() = 0;
};

// The backend of this process (the "application object"). Set once by main or by a test.
Backend& CurrentBackend();
void SetCurrentBackend(Backend* backend);

// The main window's control, owner of every dialog and message box; kNoControl before it exists.
ControlId MainWindowControl();
void SetMainWindowControl(ControlId id);

}  // namespace widgets
