// What the Win32 backend keeps for each control, and the pieces its window procedures
// share. Internal to the Win32 backend.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "runtime/font_rec.h"
#include "widgets/backend.h"

namespace widgets {
class Win32Backend;
}

namespace widgets::win32impl {

struct Control {
  ControlId id = kNoControl;
  int grown = 0;  // form: pixels it grew to make room for its status bar; not part of its size to the program
  ControlKind kind = ControlKind::Panel;
  ControlId parent = kNoControl;
  ControlEvents* events = nullptr;
  Win32Backend* backend = nullptr;
  HWND hwnd = nullptr;
  WNDPROC previous = nullptr;     // the class's own procedure of a subclassed system control
  int left = 0, top = 0, width = 0, height = 0;  // as set; a combo box's native height includes its list
  int quiet = 0;                  // above 0 while the backend itself changes the control
  uint32_t style = 0;             // form: the style bits the program set
  HFONT font = nullptr;
  COLORREF text_color = 0;
  HBRUSH brush = nullptr;         // background, when a colour was set
  COLORREF back = 0;
  int cursor = 0;
  int alignment = 0;
  int bevel_inner = 0, bevel_outer = 0, bevel_width = 1, border_width = 1;
  std::string text;               // panel caption, status bar text
  std::deque<std::string> items;  // list box: the items live here, the native list only counts them
  int selection = -1;             // list box
  bool click_pending = false;     // list box: between a button press and its release
  bool click_reported = false;
  bool pick_reported = false;     // combo box: a pick was reported, its selection change follows
  bool mouse_inside = false;
  HWND tooltip = nullptr;
  std::vector<ControlId> tab_chain;  // the children taking part in Tab navigation, in order
  int window_state = 0;           // form: applied when it is shown
  bool closed = false;            // form: its close was accepted
  HICON icon_big = nullptr, icon_small = nullptr;
};

Control* ControlOf(HWND hwnd);
void Attach(Control& c);  // ties the window to its record and subclasses system controls

// Window classes of our own (main window, panel), registered once per process.
const wchar_t* FormClass();
const wchar_t* PanelClass();

// Fonts, colours and cursors in the program's terms.
HFONT MakeFont(const TFontRec& font);
COLORREF ResolveColor(uint32_t color);
HCURSOR CursorFor(int cursor);  // nullptr for 0 and unknown numbers

// A list box's item height for its font.
int ItemHeight(HWND list, HFONT font);

std::wstring Wide(std::string_view bytes);
std::string Bytes(std::wstring_view text);
std::string WindowText(HWND hwnd);

// The docked status bars of a window follow its size.
void DockStatusBars(HWND parent);

}  // namespace widgets::win32impl
