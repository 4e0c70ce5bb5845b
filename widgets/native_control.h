// What a backend on a real window system keeps about each of its controls, whatever its
// toolkit; a toolkit's own record derives from it and adds the native handles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "widgets/backend.h"
#include "widgets/item_list.h"
#include "widgets/list_click.h"
#include "widgets/native_items.h"

namespace widgets {

struct NativeControl {
  NativeControl(ControlId id, ControlKind kind, ControlId parent, ControlEvents* events)
      : id(id), kind(kind), parent(parent), events(events) {}
  virtual ~NativeControl() = default;
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  const ControlId id;
  const ControlKind kind;
  const ControlId parent;
  ControlEvents* const events;
  int quiet = 0;       // above 0 while the backend itself changes the control: no user events then
  uint32_t style = 0;  // form: the style bits the program set
  Alignment alignment = Alignment::Left;
  // The bytes the program last set as the text. A control may show them otherwise (a text in
  // UTF-8 and one in Windows-1251 may look alike); reading it back gives these very bytes.
  std::string text;
  std::vector<ControlId> tab_chain;    // the children given a tab place, in tab order
  std::unique_ptr<NativeItems> items;  // list box, combo box, tab strip: their items as the toolkit holds them
  ItemList rows;                       // list box: its items and selection, which the native list only shows
  ListClick click;                     // list box: the mouse click under way
  int grown = 0;  // form: pixels it grew to make room for its status bar; not part of its size to the program

  // A user's action reaches the element, unless the backend itself is changing the control.
  void Report(void (ControlEvents::*what)()) const {
    if (quiet == 0 && events) (events->*what)();
  }
};

// While one lives, the backend itself is changing the control: what the control reports
// meanwhile is no user's doing and reaches no element.
class QuietChange {
 public:
  explicit QuietChange(NativeControl& control) : control_(control) { ++control_.quiet; }
  ~QuietChange() { --control_.quiet; }
  QuietChange(const QuietChange&) = delete;
  QuietChange& operator=(const QuietChange&) = delete;

 private:
  NativeControl& control_;
};

}  // namespace widgets
