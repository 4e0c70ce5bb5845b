// What the backends on a real window system (widgets/qt, widgets/win32) share, whatever their
// toolkit: a control needs a window; the items and selections of list controls; the tab
// chain; which texts a control gives back; and which form is the main one, whose accepted
// close ends the message loop. A toolkit backend derives from it and only translates: it
// makes the native controls, keeps their records and implements the hooks below.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "widgets/backend.h"
#include "widgets/native_control.h"

namespace widgets {

class NativeBackend : public Backend {
 public:
  ControlId Create(ControlKind kind, ControlId parent, ControlEvents* events) final;
  void SetText(ControlId id, const std::string& text) final;
  std::string GetText(ControlId id) final;
  void SetAlignment(ControlId id, Alignment alignment) final;
  void SetChecked(ControlId id, bool checked) final;
  bool GetChecked(ControlId id) final;
  void SetTabOrder(ControlId id, int order) final;
  uint32_t GetStyle(ControlId id) final;
  void SetStyle(ControlId id, uint32_t style) final;

  void InsertItem(ControlId id, int index, const std::string& text) final;
  void DeleteItem(ControlId id, int index) final;
  void SetItem(ControlId id, int index, const std::string& text) final;
  std::string GetItem(ControlId id, int index) final;
  int ItemCount(ControlId id) final;
  void SetItems(ControlId id, std::vector<std::string> items) final;
  std::vector<std::string> GetItems(ControlId id) final;
  int GetSelection(ControlId id) final;
  void SetSelection(ControlId id, int index) final;

  void RunMessageLoop() final;

  // The user or the system asks a form to close: its element decides. The main form's
  // accepted close ends the message loop, or keeps one from starting. True when accepted.
  bool FormCloseRequested(NativeControl& form);

 protected:
  // Control handles are process-wide, so that one of an earlier backend never comes back.
  static ControlId NextControlId();
  bool IsMainForm(const NativeControl& c) const;

  // The record of a control whose native window still exists; nullptr otherwise.
  virtual NativeControl* Record(ControlId id) const = 0;
  // Makes a control on `owner` (nullptr for a form of its own) and keeps its record; its
  // handle, or kNoControl when the system refuses.
  virtual ControlId Make(ControlKind kind, NativeControl* owner, ControlEvents* events) = 0;
  // Shows c.text, just set: a caption, an edit's text, a status bar's line (with c.alignment).
  virtual void ShowText(NativeControl& c) = 0;
  // The bytes behind the text the control shows now (the user may have changed an edit's).
  virtual std::string ShownText(const NativeControl& c) const = 0;
  virtual void ShowAlignment(NativeControl& c) = 0;  // label, edit, panel caption
  virtual void ShowChecked(NativeControl& c, bool checked) = 0;
  virtual bool ShownChecked(const NativeControl& c) const = 0;
  virtual void ShowStyle(NativeControl& form) = 0;  // form.style, just set
  // `placed` has just taken its place in `parent`'s tab chain.
  virtual void ShowTabChain(NativeControl& parent, NativeControl& placed) = 0;
  virtual bool OnScreen(const NativeControl& form) const = 0;
  virtual void RunLoop(ControlId main) = 0;  // until QuitLoop
  virtual void QuitLoop() = 0;

 private:
  NativeItems* ItemsOf(ControlId id, NativeControl*& c) const;

  ControlId first_form_ = kNoControl;  // the main form until the program names one
  bool main_closed_ = false;
  bool in_loop_ = false;
};

}  // namespace widgets
