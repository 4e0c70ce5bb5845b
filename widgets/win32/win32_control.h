// What the Win32 backend keeps for each control, and the pieces its window procedures
// share. Internal to the Win32 backend.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "runtime/font_rec.h"
#include "widgets/backend.h"
#include "widgets/native_control.h"

namespace widgets {
class Win32Backend;
}

namespace widgets::win32impl {

// What every native backend keeps (a list box's items and selection among it: the native
// list only counts the rows and asks for those it paints), and the native handles.
struct Control : NativeControl {
  using NativeControl::NativeControl;
  Win32Backend* backend = nullptr;
  HWND hwnd = nullptr;
  WNDPROC previous = nullptr;                    // the class's own procedure of a subclassed system control
  int left = 0, top = 0, width = 0, height = 0;  // as set; a combo box's native height includes its list
  HFONT font = nullptr;
  COLORREF text_color = 0;
  HBRUSH brush = nullptr;  // background, when a colour was set
  COLORREF back = 0;
  Cursor cursor = Cursor::Default;
  PanelFrame frame;            // panel
  bool pick_reported = false;  // combo box: a pick was reported, its selection change follows
  bool mouse_inside = false;
  HWND tooltip = nullptr;
  WindowState window_state = WindowState::Normal;  // form: applied when it is shown
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
HCURSOR CursorFor(Cursor cursor);  // nullptr for the class default

// A list box's, combo box's and tab strip's items (win32_items.cpp).
std::unique_ptr<NativeItems> ListBoxItems(Control& list);
std::unique_ptr<NativeItems> ComboBoxItems(HWND combo);
std::unique_ptr<NativeItems> TabStripItems(HWND tabs);

// A list box's item height for its font.
int ItemHeight(HWND list, HFONT font);

// A text the program shows (a caption, an item, a message) as the window shows it: by the
// display rule of runtime/platform/code_page.h, UTF-8 as UTF-8 and any other text as
// Windows-1251.
std::wstring Wide(std::string_view text);
// A path, to and from the system: the fixed Windows-1251 conversion, so that a name opens the
// same file on any system.
std::wstring WidePath(std::string_view path);
std::string PathBytes(std::wstring_view path);
// What a window shows as its text.
std::wstring WindowText(HWND hwnd);

// The docked status bars of a window follow its size.
void DockStatusBars(HWND parent);

}  // namespace widgets::win32impl
