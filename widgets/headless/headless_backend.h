// An in-memory window system for tests and the driver: it records every control and
// every property set on it, plays a scripted user, and answers dialogs and message
// boxes from queues while keeping a record of everything shown. It keeps the rules the
// native backends keep (widgets/item_list.h, widgets/status_bar_layout.h, widgets/tab_chain.h),
// so that what the program does on it, it does on a real window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "widgets/backend.h"
#include "widgets/item_list.h"
#include "widgets/status_bar_layout.h"

namespace widgets {

// Everything the backend knows about one control. A list box, combo box or tab strip keeps
// its items and selection in the ItemList it is.
struct HeadlessControl : ItemList {
  ControlId id = kNoControl;
  ControlKind kind = ControlKind::Panel;
  ControlId parent = kNoControl;
  ControlEvents* events = nullptr;
  int left = 0, top = 0, width = 0, height = 0;  // a status bar's follow its window's bottom edge
  std::string text;                              // caption, edit text or status text
  TFontRec font;
  uint32_t color = 0;
  bool enabled = true;
  bool visible = true;  // its own flag; a form starts hidden until shown
  std::string tooltip;
  int tab_order = 0;  // as the program set it; the place it took is in its parent's tab_chain
  Cursor cursor = Cursor::Default;
  Alignment alignment = Alignment::Left;
  bool checked = false;
  PanelFrame frame;
  uint32_t style = 0;  // a new form: minimize box, maximize box and sizing frame
  std::string icon;
  WindowState window_state = WindowState::Normal;
  bool shown = false;                // a form that has been visible at least once
  bool closed = false;               // a form whose close request was accepted
  int grown = 0;                     // a form: pixels it grew to make room for its status bar, as a native one does
  std::vector<ControlId> children;   // in sibling order, back first, front last
  std::vector<ControlId> tab_chain;  // the children given a tab place, in tab order
};

enum class DialogKind { Open, Save, Message, Shell };

// One file dialog or message box as it was shown, with the answer it got; or a
// document the shell was asked to open (its target in `text`).
struct ShownDialog {
  DialogKind kind = DialogKind::Message;
  std::string title;  // dialog title or message box caption
  std::string filter;
  std::string start_dir;
  std::string initial_name;
  std::string text;  // message box text
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  ControlId owner = kNoControl;
  std::optional<std::string> path;             // file dialogs: the chosen file; nothing when cancelled
  int filter_index = 0;                        // file dialogs: the filter pair preselected
  int chosen_filter = 0;                       // file dialogs: the filter pair in use when the user confirmed
  MessageAnswer answer = MessageAnswer::None;  // message boxes: the button pressed
  bool defaulted = false;                      // no queued answer was waiting
};

class HeadlessBackend : public Backend {
 public:
  // A status bar's height, about what a native one takes with the program's font.
  static constexpr int kStatusBarHeight = 20;

  HeadlessBackend() = default;
  ~HeadlessBackend() override;

  // --- Backend (headless_backend.cpp; dialogs and the shell in headless_dialogs.cpp) ---
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
  void RequestClose(ControlId form) override;

  std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) override;
  MessageAnswer ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;
  void OpenDocument(const std::string& target) override;
  std::string ClipboardText() override;

  // --- Inspection ---
  const HeadlessControl* Find(ControlId id) const;  // nullptr for an unknown id
  // A status bar's text as the bar shows it.
  StatusLine ShownStatus(ControlId bar) const;

  // --- The message loop ---
  // RunMessageLoop runs this once (the user's whole session) and returns.
  void SetLoopBody(std::function<void()> body) { loop_body_ = std::move(body); }
  bool IsClosed(ControlId form) const;

  // --- The scripted user: what it sees (headless_user.cpp) ---
  // It and all its ancestors are visible, and no visible sibling panel in front of
  // it (or of any ancestor) covers it wholly: of pages sharing one place only the front one is seen.
  bool IsSeen(ControlId id) const;
  // The user can act on it: it and its ancestors are visible and enabled.
  bool CanAct(ControlId id) const;
  // Finding controls as a user would (creation order, seen controls only).
  ControlId FindSeen(const std::string& text) const;  // first whose caption or text is `text`
  std::vector<ControlId> FindAllSeen(const std::string& text) const;
  ControlId NthSeen(ControlKind kind, int n) const;  // n from 0
  ControlId FindSeenWithItem(ControlKind kind, const std::string& item) const;
  std::vector<ControlId> FindAllSeenWithItem(ControlKind kind, const std::string& item) const;
  ControlId FindComboWithItem(const std::string& item) const { return FindSeenWithItem(ControlKind::ComboBox, item); }
  // The control's address among the seen controls, "button 2" or "list 0": its kind and its
  // place among the seen controls of that kind, in creation order; empty for windows
  // that are no controls a user addresses (the form, panels, the status bar).
  std::string Address(ControlId id) const;
  // The seen edit on the same row as `label`, to its right and nearest to it.
  ControlId EditBeside(ControlId label) const;
  // The visible child of `parent` in front at point (x, y) of it; kNoControl where there is none.
  ControlId ControlAt(ControlId parent, int x, int y) const;
  // Where Tab (or Shift+Tab, `backwards`) moves the focus from `from`: the next control of its
  // window's tab chain that the user can act on; kNoControl when `from` has no tab place.
  ControlId NextTabStop(ControlId from, bool backwards) const;

  // --- The scripted user: what it does; each returns false when the control cannot take it ---
  bool Click(ControlId id);                                // button, label, check box (toggles), radio button (checks)
  bool Type(ControlId id, const std::string& text);        // edit: replaces its text
  bool PressEnter(ControlId id);                           // edit
  bool Choose(ControlId id, int index);                    // list box, combo box, tab strip
  bool ChooseText(ControlId id, const std::string& item);  // the first item equal to `item`

  // --- The scripted user: its answers to dialogs and message boxes, taken first in first out ---
  // A file answer may also switch the dialog to another filter pair (from 0); -1 keeps the preselected one.
  void QueueOpenAnswer(std::optional<std::string> path, int filter_index = -1) {
    open_answers_.push_back({std::move(path), filter_index});
  }
  void QueueSaveAnswer(std::optional<std::string> path, int filter_index = -1) {
    save_answers_.push_back({std::move(path), filter_index});
  }
  void QueueMessageAnswer(MessageAnswer answer) { message_answers_.push_back(answer); }
  // Esc pressed while the program works (a download): the next wait that lets the window
  // system run (ProcessEvents) reports it.
  void QueueEscape() { ++escapes_; }
  bool ProcessEvents() override {
    if (escapes_ == 0) return false;
    --escapes_;
    return true;
  }
  const std::vector<ShownDialog>& ShownDialogs() const { return shown_; }
  void ClearShownDialogs() { shown_.clear(); }
  // Shell and clipboard.
  void SetClipboardText(std::string text) { clipboard_ = std::move(text); }
  const std::vector<std::string>& OpenedDocuments() const { return opened_; }

  // --- The scripted user: what it reads (headless_dump.cpp) ---
  // Every seen control, one per line, indented under its parent, in creation order:
  // its address (or kind), caption or text, disabled, checked state, selection and items
  // (lists longer than `max_items` show their first `max_items` and a count of the rest).
  std::string Dump(size_t max_items = 20) const;
  // One control's line of the dump, without its items and children.
  std::string DumpLine(ControlId id) const;
  // One control as the dump shows it, with its items but without its children.
  std::string DumpOne(ControlId id, size_t max_items = 20) const;

 private:
  HeadlessControl* Lookup(ControlId id);
  const HeadlessControl* Lookup(ControlId id) const;
  std::vector<ControlId>& SiblingsOf(const HeadlessControl& control);
  const std::vector<ControlId>& SiblingsOf(const HeadlessControl& control) const;
  bool CoveredBySibling(const HeadlessControl& control) const;
  void MakeVisible(HeadlessControl& control);
  // Docks the status bars on `window` along its bottom edge, the window (a form) growing
  // until they cover none of its other controls.
  void DockStatusBars(HeadlessControl& window);
  void DumpControl(const HeadlessControl& control, int depth, size_t max_items, std::string& out) const;

  std::vector<std::unique_ptr<HeadlessControl>> controls_;  // id - 1
  std::vector<ControlId> top_level_;                        // windows without a parent, back first
  std::function<void()> loop_body_;
  struct FileAnswer {
    std::optional<std::string> path;
    int filter_index = -1;
  };
  std::deque<FileAnswer> open_answers_;
  std::deque<FileAnswer> save_answers_;
  std::deque<MessageAnswer> message_answers_;
  int escapes_ = 0;
  std::vector<ShownDialog> shown_;
  std::string clipboard_;
  std::vector<std::string> opened_;
};

// A text in double quotes, with backslash, quote, CR, LF, tab and other control bytes
// escaped, so that it stays on one line and reads back unambiguously.
std::string Quote(const std::string& text);

}  // namespace widgets
