// An in-memory window system for tests and the driver: it records every control and
// every property set on it, plays a scripted user, and answers dialogs and message
// boxes from queues while keeping a record of everything shown.
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

namespace widgets {

// Everything the backend knows about one control.
struct HeadlessControl {
  ControlId id = kNoControl;
  ControlKind kind = ControlKind::Panel;
  ControlId parent = kNoControl;
  ControlEvents* events = nullptr;
  int left = 0, top = 0, width = 0, height = 0;
  std::string text;             // caption, edit text or status text
  TFontRec font;
  uint32_t color = 0;
  bool enabled = true;
  bool visible = true;          // its own flag; a form starts hidden until shown
  std::string tooltip;
  int tab_order = 0;
  int cursor = 0;
  int alignment = 0;
  bool checked = false;
  int bevel_inner = 0, bevel_outer = 0, bevel_width = 1, border_width = 1;  // panels
  std::deque<std::string> items;
  int selection = -1;
  uint32_t style = 0;           // a new form: minimize box, maximize box and sizing frame
  std::string icon;
  int window_state = 0;
  bool shown = false;           // a form that has been visible at least once
  bool closed = false;          // a form whose close request was accepted
  std::vector<ControlId> children;  // in sibling order, back first, front last
};

enum class DialogKind { Open, Save, Message, Shell };

// One file dialog or message box as it was shown, with the answer it got; or a
// document the shell was asked to open (its target in `text`).
struct ShownDialog {
  DialogKind kind = DialogKind::Message;
  std::string title;            // dialog title or message box caption
  std::string filter;
  std::string start_dir;
  std::string initial_name;
  std::string text;             // message box text
  int type = 0;
  int icon = 0;
  ControlId owner = kNoControl;
  std::optional<std::string> path;  // file dialogs: the chosen file; nothing when cancelled
  int filter_index = 0;         // file dialogs: the filter pair preselected
  int chosen_filter = 0;        // file dialogs: the filter pair in use when the user confirmed
  int code = 0;                 // message boxes: the button code
  bool defaulted = false;       // no queued answer was waiting
};

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend() = default;
  ~HeadlessBackend() override;

  // --- Backend ---
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
  void RequestClose(ControlId form) override;

  std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request) override;
  int ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption, int type, int icon) override;
  void OpenDocument(const std::string& target) override;
  std::string ClipboardText() override;

  // --- Inspection ---
  const HeadlessControl* Find(ControlId id) const;  // nullptr for an unknown id
  size_t ControlCount() const { return controls_.size(); }
  // It and all its ancestors are visible, and no visible sibling panel in front of
  // it (or of any ancestor) covers it wholly: of pages sharing one place only the front one is seen.
  bool IsSeen(ControlId id) const;
  // The user can act on it: it and its ancestors are visible and enabled.
  bool CanAct(ControlId id) const;

  // --- Finding controls as a user would (creation order, seen controls only) ---
  ControlId FindSeen(const std::string& text) const;  // first whose caption or text is `text`
  std::vector<ControlId> FindAllSeen(const std::string& text) const;
  ControlId NthSeen(ControlKind kind, int n) const;   // n from 0
  ControlId FindSeenWithItem(ControlKind kind, const std::string& item) const;
  std::vector<ControlId> FindAllSeenWithItem(ControlKind kind, const std::string& item) const;
  // The control's address among the seen controls, "button 2" or "list 0": its kind and its
  // place among the seen controls of that kind, in creation order; empty for windows
  // that are no controls a user addresses (the form, panels, the status bar).
  std::string Address(ControlId id) const;
  // The seen edit on the same row as `label`, to its right and nearest to it.
  ControlId EditBeside(ControlId label) const;
  ControlId FindComboWithItem(const std::string& item) const {
    return FindSeenWithItem(ControlKind::ComboBox, item);
  }

  // --- The scripted user; each returns false when the control cannot take the action ---
  bool Click(ControlId id);                       // button, label, check box (toggles), radio button (checks)
  bool Type(ControlId id, const std::string& text);  // edit: replaces its text
  bool PressEnter(ControlId id);                  // edit
  bool Choose(ControlId id, int index);           // list box, combo box, tab strip
  bool ChooseText(ControlId id, const std::string& item);  // the first item equal to `item`

  // --- The message loop ---
  // RunMessageLoop runs this once (the user's whole session) and returns.
  void SetLoopBody(std::function<void()> body) { loop_body_ = std::move(body); }
  bool IsClosed(ControlId form) const;

  // --- Dialog and message box answers, taken first in first out ---
  // A file answer may also switch the dialog to another filter pair (from 0); -1 keeps the preselected one.
  void QueueOpenAnswer(std::optional<std::string> path, int filter_index = -1) {
    open_answers_.push_back({std::move(path), filter_index});
  }
  void QueueSaveAnswer(std::optional<std::string> path, int filter_index = -1) {
    save_answers_.push_back({std::move(path), filter_index});
  }
  void QueueMessageAnswer(int code) { message_answers_.push_back(code); }
  size_t PendingOpenAnswers() const { return open_answers_.size(); }
  size_t PendingSaveAnswers() const { return save_answers_.size(); }
  size_t PendingMessageAnswers() const { return message_answers_.size(); }
  const std::vector<ShownDialog>& ShownDialogs() const { return shown_; }
  void ClearShownDialogs() { shown_.clear(); }

  // --- Shell and clipboard ---
  void SetClipboardText(std::string text) { clipboard_ = std::move(text); }
  const std::vector<std::string>& OpenedDocuments() const { return opened_; }

  // Every seen control, one per line, indented under its parent, in creation order:
  // its address (or kind), caption or text, disabled, checked state, selection and items
  // (lists longer than `max_items` show their first `max_items` and a count of the rest).
  std::string Dump(size_t max_items = 20) const;
  // One control's line of the dump, without its items and children.
  std::string DumpLine(ControlId id) const;
  // One control as the dump shows it, with its items but without its children.
  std::string DumpOne(ControlId id, size_t max_items = 20) const;

  // The button code a message box of `type` returns when nobody answers: its first button.
  static int DefaultMessageAnswer(int type);

 private:
  HeadlessControl* Lookup(ControlId id);
  const HeadlessControl* Lookup(ControlId id) const;
  std::vector<ControlId>& SiblingsOf(const HeadlessControl& control);
  const std::vector<ControlId>& SiblingsOf(const HeadlessControl& control) const;
  bool CoveredBySibling(const HeadlessControl& control) const;
  void MakeVisible(HeadlessControl& control);
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
  std::deque<int> message_answers_;
  std::vector<ShownDialog> shown_;
  std::string clipboard_;
  std::vector<std::string> opened_;
};

// A text in double quotes, with backslash, quote, CR, LF, tab and other control bytes
// escaped, so that it stays on one line and reads back unambiguously.
std::string Quote(const std::string& text);

}  // namespace widgets
