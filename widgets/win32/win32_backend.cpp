// The Win32 backend: creates and drives the native controls and reports back what the
// user does; all behaviour a user can observe is decided by the elements.
#include "widgets/win32/win32_backend.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "widgets/win32/win32_control.h"

namespace widgets {

using win32impl::Bytes;
using win32impl::Control;
using win32impl::Wide;

namespace {

Win32Backend* g_active = nullptr;
ControlId g_last_id = 0;  // process-wide, so a handle of an earlier backend never comes back

// Inserts (TCM_INSERTITEMW) or replaces (TCM_SETITEMW) the caption of tab `index`.
void SendTabCaption(HWND tabs, UINT message, int index, const std::string& text) {
  std::wstring caption = win32impl::Wide(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  ::SendMessageW(tabs, message, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

// Caption, system menu, sizing frame, minimize and maximize boxes: an ordinary window.
constexpr uint32_t kDefaultFormStyle = 0x00CF0000;
// The horizontal scroll extent of a list box, in pixels.
constexpr int kListExtent = 200;
// Extra native height of a drop-down list box: room for its open list.
constexpr int kComboListHeight = 200;
// Bits of a form's style the program may change; the rest stays as the backend made it.
constexpr uint32_t kFormStyleBits = kStyleMaximizeBox | kStyleMinimizeBox | kStyleSizingFrame;

bool InRange(int index, int count) { return index >= 0 && index < count; }

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

struct NativeKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

NativeKind NativeFor(ControlKind kind) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (kind) {
    case ControlKind::Form:
      return {win32impl::FormClass(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Panel:
      return {win32impl::PanelClass(), child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::TabStrip:
      return {WC_TABCONTROLW, child, 0};
    case ControlKind::StatusBar:
      return {STATUSCLASSNAMEW, child, 0};
    case ControlKind::Button:
      return {L"BUTTON", child | BS_PUSHBUTTON, 0};
    case ControlKind::Edit:
      return {L"EDIT", child | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Label:
      return {L"STATIC", child | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", child | BS_AUTOCHECKBOX, 0};
    case ControlKind::RadioButton:
      return {L"BUTTON", child | BS_RADIOBUTTON, 0};
    case ControlKind::ListBox:
      // An owner-data list: the native control only counts the rows and asks for those it
      // paints, so a million items cost one string each in the backend and nothing natively.
      return {L"LISTBOX",
              child | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_NODATA,
              WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
      return {L"COMBOBOX", child | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0};
  }
  return {L"STATIC", child, 0};
}

// "Text File|*.txt|All Files|*.*" -> the pairs separated and ended by NULs, as the dialogs take them.
std::wstring DialogFilter(const std::string& filter) {
  std::wstring pairs = Wide(filter);
  if (pairs.empty()) return std::wstring(2, L'\0');
  std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
  pairs.append(2, L'\0');
  return pairs;
}

}  // namespace

Win32Backend::Win32Backend() {
  InitCommonControlsOnce();
  g_active = this;
}

Win32Backend::~Win32Backend() {
  if (g_active == this) g_active = nullptr;
  for (auto& [id, c] : controls_) {
    if (c->kind == ControlKind::Form && c->hwnd) ::DestroyWindow(c->hwnd);  // its controls go with it
  }
  for (auto& [id, c] : controls_) {
    if (c->font) ::DeleteObject(c->font);
    if (c->brush) ::DeleteObject(c->brush);
    if (c->icon_big) ::DestroyIcon(c->icon_big);
    if (c->icon_small) ::DestroyIcon(c->icon_small);
  }
}

Control* Win32Backend::Find(ControlId id) const {
  auto found = controls_.find(id);
  if (found == controls_.end() || !found->second->hwnd) return nullptr;
  return found->second.get();
}

HWND Win32Backend::Window(ControlId id) const {
  Control* c = Find(id);
  return c ? c->hwnd : nullptr;
}

ControlId Win32Backend::Create(ControlKind kind, ControlId parent, ControlEvents* events) {
  Control* owner = Find(parent);
  if (kind != ControlKind::Form && !owner) return kNoControl;  // a control needs a window

  auto control = std::make_unique<Control>();
  Control* c = control.get();
  c->id = ++g_last_id;
  c->kind = kind;
  c->parent = owner ? parent : kNoControl;
  c->events = events;
  c->backend = this;
  c->text_color = ::GetSysColor(COLOR_WINDOWTEXT);
  const NativeKind native = NativeFor(kind);
  HWND parent_window = owner ? owner->hwnd : nullptr;
  DWORD style = native.style;
  if (kind == ControlKind::Form && owner) style |= 0;  // an owned form: the owner stays its parent window
  c->hwnd = ::CreateWindowExW(native.ex_style, native.window_class, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              kind == ControlKind::Form ? 400 : 0, kind == ControlKind::Form ? 300 : 0,
                              parent_window, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!c->hwnd) return kNoControl;
  win32impl::Attach(*c);
  c->font = win32impl::MakeFont(TFontRec{});
  ::SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c->font), FALSE);

  switch (kind) {
    case ControlKind::Form:
      c->style = kDefaultFormStyle;
      if (!owner && first_form_ == kNoControl) first_form_ = c->id;
      break;
    case ControlKind::ListBox:
      ::SendMessageW(c->hwnd, LB_SETHORIZONTALEXTENT, kListExtent, 0);
      ::SendMessageW(c->hwnd, LB_SETITEMHEIGHT, 0, win32impl::ItemHeight(c->hwnd, c->font));
      break;
    case ControlKind::Edit:
      ::SendMessageW(c->hwnd, EM_SETLIMITTEXT, 0, 0);  // the largest text the control takes
      break;
    case ControlKind::ComboBox:
      ::SendMessageW(c->hwnd, CB_SETCURSEL, WPARAM(-1), 0);
      break;
    case ControlKind::StatusBar:
      ::SendMessageW(c->hwnd, WM_SIZE, 0, 0);
      break;
    default:
      break;
  }
  const ControlId id = c->id;
  controls_.emplace(id, std::move(control));
  if (kind == ControlKind::StatusBar && owner && owner->kind == ControlKind::Form) MakeRoomForStatusBar(*owner);
  return id;
}

// ---- geometry and look ----

void Win32Backend::SetGeometry(ControlId id, int left, int top, int width, int height) {
  Control* c = Find(id);
  if (!c) return;
  c->left = left;
  c->top = top;
  c->width = std::max(width, 0);
  c->height = std::max(height, 0);
  c->grown = 0;  // a form gets the size asked for; room for its status bar is made again below
  switch (c->kind) {
    case ControlKind::StatusBar:
      ::SendMessageW(c->hwnd, WM_SIZE, 0, 0);  // a status bar always spans the bottom of its window
      break;
    case ControlKind::ComboBox:
      ::SetWindowPos(c->hwnd, nullptr, left, top, c->width, c->height + kComboListHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    default:
      // A form is placed by its outer frame in screen coordinates, a control in its parent's client area.
      ::SetWindowPos(c->hwnd, nullptr, left, top, c->width, c->height, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
  }
  if (c->kind == ControlKind::Form) {
    MakeRoomForStatusBar(*c);
  } else if (Control* owner = Find(c->parent); owner && owner->kind == ControlKind::Form) {
    MakeRoomForStatusBar(*owner);
  }
}

void Win32Backend::MakeRoomForStatusBar(Control& form) {
  HWND bar = nullptr;
  int bottom = 0;
  for (const auto& [id, c] : controls_) {
    if (c->parent != form.id) continue;
    if (c->kind == ControlKind::StatusBar) bar = c->hwnd;
    else bottom = std::max(bottom, c->top + c->height);
  }
  if (!bar) return;
  RECT bar_rect{}, client{}, outer{};
  ::GetWindowRect(bar, &bar_rect);
  ::GetClientRect(form.hwnd, &client);
  const int needed = bottom + (bar_rect.bottom - bar_rect.top);
  if (client.bottom >= needed) return;
  ::GetWindowRect(form.hwnd, &outer);
  form.grown += needed - client.bottom;
  ::SetWindowPos(form.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + needed - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  win32impl::DockStatusBars(form.hwnd);
}

void Win32Backend::GetGeometry(ControlId id, int& left, int& top, int& width, int& height) {
  Control* c = Find(id);
  if (!c) {
    left = top = width = height = 0;
    return;
  }
  RECT r{};
  ::GetWindowRect(c->hwnd, &r);
  if (c->kind != ControlKind::Form) {
    ::MapWindowPoints(nullptr, ::GetParent(c->hwnd), reinterpret_cast<POINT*>(&r), 2);
  }
  left = r.left;
  top = r.top;
  width = r.right - r.left;
  height = c->kind == ControlKind::ComboBox ? c->height : r.bottom - r.top - (c->kind == ControlKind::Form ? c->grown : 0);
}

void Win32Backend::SetFont(ControlId id, const TFontRec& font) {
  Control* c = Find(id);
  if (!c) return;
  HFONT made = win32impl::MakeFont(font);
  if (!made) return;
  ::SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
  if (c->font) ::DeleteObject(c->font);
  c->font = made;
  c->text_color = win32impl::ResolveColor(font.color);
  if (c->kind == ControlKind::ListBox) {
    ::SendMessageW(c->hwnd, LB_SETITEMHEIGHT, 0, win32impl::ItemHeight(c->hwnd, made));
  }
  if (c->kind == ControlKind::StatusBar) ::SendMessageW(c->hwnd, WM_SIZE, 0, 0);
  ::InvalidateRect(c->hwnd, nullptr, TRUE);
}

void Win32Backend::SetColor(ControlId id, uint32_t color) {
  Control* c = Find(id);
  if (!c || c->kind == ControlKind::Button) return;  // push buttons keep the look of the style
  const COLORREF back = win32impl::ResolveColor(color);
  if (c->brush) ::DeleteObject(c->brush);
  c->brush = ::CreateSolidBrush(back);
  c->back = back;
  if (c->kind == ControlKind::StatusBar) ::SendMessageW(c->hwnd, SB_SETBKCOLOR, 0, LPARAM(back));
  ::InvalidateRect(c->hwnd, nullptr, TRUE);
}

void Win32Backend::SetEnabled(ControlId id, bool enabled) {
  if (Control* c = Find(id)) ::EnableWindow(c->hwnd, enabled);
}

void Win32Backend::SetVisible(ControlId id, bool visible) {
  Control* c = Find(id);
  if (!c) return;
  if (c->kind == ControlKind::Form && visible) {
    Show(id);
    return;
  }
  ::ShowWindow(c->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Backend::IsVisible(ControlId id) {
  Control* c = Find(id);
  return c && (::GetWindowLongW(c->hwnd, GWL_STYLE) & WS_VISIBLE);
}

void Win32Backend::SetZOrder(ControlId id, bool to_top) {
  Control* c = Find(id);
  if (!c) return;
  constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  // The first child is the one on top: it is painted last and takes the mouse.
  ::SetWindowPos(c->hwnd, to_top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, to_top ? keep | SWP_SHOWWINDOW : keep);
  // A status bar stays above the pages that reach under it, as a docked bar does.
  if (to_top && c->kind != ControlKind::StatusBar) {
    for (HWND sibling = ::GetWindow(::GetParent(c->hwnd), GW_CHILD); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
      const Control* other = win32impl::ControlOf(sibling);
      if (other && other->kind == ControlKind::StatusBar) ::SetWindowPos(sibling, HWND_TOP, 0, 0, 0, 0, keep);
    }
  }
}

void Win32Backend::SetTooltip(ControlId id, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  std::wstring tip = Wide(text);
  if (!c->tooltip) {
    c->tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, c->hwnd, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!c->tooltip) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(c->hwnd);
    tool.uId = reinterpret_cast<UINT_PTR>(c->hwnd);
    tool.lpszText = tip.data();
    ::SendMessageW(c->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = ::GetParent(c->hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(c->hwnd);
  tool.lpszText = tip.data();
  ::SendMessageW(c->tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Backend::SetTabOrder(ControlId id, int order) {
  Control* c = Find(id);
  Control* parent = c ? Find(c->parent) : nullptr;
  if (!parent) return;
  auto& chain = parent->tab_chain;
  chain.erase(std::remove(chain.begin(), chain.end(), id), chain.end());
  const auto place = static_cast<size_t>(std::clamp(order - 1, 0, static_cast<int>(chain.size())));
  chain.insert(chain.begin() + static_cast<std::ptrdiff_t>(place), id);
  ::SetWindowLongW(c->hwnd, GWL_STYLE, ::GetWindowLongW(c->hwnd, GWL_STYLE) | WS_TABSTOP);
  // The dialog manager moves the focus in sibling order: the chain is put in front, in order.
  HWND after = HWND_TOP;
  for (ControlId member : chain) {
    HWND w = Window(member);
    if (!w) continue;
    ::SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = w;
  }
}

void Win32Backend::SetCursor(ControlId id, int cursor) {
  if (Control* c = Find(id)) c->cursor = cursor;
}

void Win32Backend::SetAlignment(ControlId id, int alignment) {
  Control* c = Find(id);
  if (!c) return;
  c->alignment = alignment;
  LONG style = ::GetWindowLongW(c->hwnd, GWL_STYLE);
  switch (c->kind) {
    case ControlKind::Label:
      style = (style & ~LONG(SS_TYPEMASK)) | (alignment == 1 ? SS_CENTER : alignment == 2 ? SS_RIGHT : SS_LEFT);
      ::SetWindowLongW(c->hwnd, GWL_STYLE, style);
      break;
    case ControlKind::Edit:
      style = (style & ~LONG(ES_CENTER | ES_RIGHT)) | (alignment == 1 ? ES_CENTER : alignment == 2 ? ES_RIGHT : ES_LEFT);
      ::SetWindowLongW(c->hwnd, GWL_STYLE, style);
      break;
    case ControlKind::StatusBar:
      ApplyStatusText(*c);
      break;
    default:
      break;
  }
  ::InvalidateRect(c->hwnd, nullptr, TRUE);
}

void Win32Backend::SetPanelFrame(ControlId id, int bevel_inner, int bevel_outer, int bevel_width, int border_width) {
  Control* c = Find(id);
  if (!c || c->kind != ControlKind::Panel) return;
  c->bevel_inner = bevel_inner;
  c->bevel_outer = bevel_outer;
  c->bevel_width = bevel_width;
  c->border_width = border_width;
  ::InvalidateRect(c->hwnd, nullptr, TRUE);
}

// ---- text and state ----

void Win32Backend::ApplyStatusText(Control& c) {
  // Leading tabs centre (one) or right-align (two) the text; the bar itself reads them so.
  std::string shown = c.text;
  if (!shown.starts_with('\t') && c.alignment > 0) shown.insert(0, size_t(std::min(c.alignment, 2)), '\t');
  const std::wstring text = Wide(shown);
  ::SendMessageW(c.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Backend::SetText(ControlId id, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  switch (c->kind) {
    case ControlKind::Panel:
      c->text = text;
      ::InvalidateRect(c->hwnd, nullptr, TRUE);
      break;
    case ControlKind::StatusBar:
      c->text = text;
      ApplyStatusText(*c);
      break;
    case ControlKind::Edit:
      // Reported exactly once, even when the text stays the same: the element counts on it.
      ++c->quiet;
      ::SetWindowTextW(c->hwnd, Wide(text).c_str());
      --c->quiet;
      if (c->events) c->events->OnTextChanged();
      break;
    case ControlKind::TabStrip:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      break;
    default:
      ::SetWindowTextW(c->hwnd, Wide(text).c_str());
      break;
  }
}

std::string Win32Backend::GetText(ControlId id) {
  Control* c = Find(id);
  if (!c) return {};
  switch (c->kind) {
    case ControlKind::Panel:
    case ControlKind::StatusBar:
      return c->text;
    case ControlKind::ComboBox: {
      const int sel = GetSelection(id);
      return sel < 0 ? std::string() : GetItem(id, sel);
    }
    case ControlKind::TabStrip:
    case ControlKind::ListBox:
      return {};
    default:
      return win32impl::WindowText(c->hwnd);
  }
}

void Win32Backend::SetChecked(ControlId id, bool checked) {
  Control* c = Find(id);
  if (!c || (c->kind != ControlKind::CheckBox && c->kind != ControlKind::RadioButton)) return;
  ++c->quiet;
  ::SendMessageW(c->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  --c->quiet;
}

bool Win32Backend::GetChecked(ControlId id) {
  Control* c = Find(id);
  if (!c || (c->kind != ControlKind::CheckBox && c->kind != ControlKind::RadioButton)) return false;
  return ::SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// ---- items ----

// The native list learns the new count and gets the selection back; rows inserted or removed
// above the first row shown keep the rows in view where they were.
void Win32Backend::SyncList(Control& c, int top_shift) {
  ++c.quiet;
  const LRESULT top = ::SendMessageW(c.hwnd, LB_GETTOPINDEX, 0, 0);
  ::SendMessageW(c.hwnd, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(c.hwnd, LB_SETCOUNT, c.items.size(), 0);
  ::SendMessageW(c.hwnd, LB_SETCURSEL, WPARAM(c.selection), 0);
  if (top != LB_ERR) ::SendMessageW(c.hwnd, LB_SETTOPINDEX, WPARAM(std::max<LRESULT>(0, top + top_shift)), 0);
  ::SendMessageW(c.hwnd, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(c.hwnd, nullptr, TRUE);
  --c.quiet;
}

void Win32Backend::InsertItem(ControlId id, int index, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  const int count = ItemCount(id);
  if (index < 0 || index > count) index = count;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox: {
      if (index == 0) {
        c->items.push_front(text);
      } else if (index == count) {
        c->items.push_back(text);
      } else {
        c->items.insert(c->items.begin() + index, text);
      }
      if (c->selection >= index) ++c->selection;  // the selection stays on its item
      const LRESULT top = ::SendMessageW(c->hwnd, LB_GETTOPINDEX, 0, 0);
      SyncList(*c, top != LB_ERR && index < top ? 1 : 0);
      break;
    }
    case ControlKind::ComboBox:
      ::SendMessageW(c->hwnd, CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(Wide(text).c_str()));
      break;
    case ControlKind::TabStrip:
      SendTabCaption(c->hwnd, TCM_INSERTITEMW, index, text);
      break;
    default:
      break;
  }
  --c->quiet;
}

void Win32Backend::DeleteItem(ControlId id, int index) {
  Control* c = Find(id);
  if (!c || !InRange(index, ItemCount(id))) return;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox: {
      c->items.erase(c->items.begin() + index);
      if (c->selection == index) {
        c->selection = -1;  // deleting the selected item leaves none
      } else if (c->selection > index) {
        --c->selection;
      }
      const LRESULT top = ::SendMessageW(c->hwnd, LB_GETTOPINDEX, 0, 0);
      SyncList(*c, top != LB_ERR && index < top ? -1 : 0);
      break;
    }
    case ControlKind::ComboBox: {
      const bool was_current = ::SendMessageW(c->hwnd, CB_GETCURSEL, 0, 0) == index;
      ::SendMessageW(c->hwnd, CB_DELETESTRING, WPARAM(index), 0);
      if (was_current) ::SendMessageW(c->hwnd, CB_SETCURSEL, WPARAM(-1), 0);
      break;
    }
    case ControlKind::TabStrip:
      ::SendMessageW(c->hwnd, TCM_DELETEITEM, WPARAM(index), 0);
      break;
    default:
      break;
  }
  --c->quiet;
}

void Win32Backend::SetItem(ControlId id, int index, const std::string& text) {
  Control* c = Find(id);
  if (!c || !InRange(index, ItemCount(id))) return;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox: {
      c->items[size_t(index)] = text;
      RECT row;
      if (::SendMessageW(c->hwnd, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
        ::InvalidateRect(c->hwnd, &row, TRUE);
      }
      break;
    }
    case ControlKind::ComboBox: {
      const bool was_current = ::SendMessageW(c->hwnd, CB_GETCURSEL, 0, 0) == index;
      ::SendMessageW(c->hwnd, CB_DELETESTRING, WPARAM(index), 0);
      ::SendMessageW(c->hwnd, CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(Wide(text).c_str()));
      if (was_current) ::SendMessageW(c->hwnd, CB_SETCURSEL, WPARAM(index), 0);
      break;
    }
    case ControlKind::TabStrip:
      SendTabCaption(c->hwnd, TCM_SETITEMW, index, text);
      break;
    default:
      break;
  }
  --c->quiet;
}

std::string Win32Backend::GetItem(ControlId id, int index) {
  Control* c = Find(id);
  if (!c || !InRange(index, ItemCount(id))) return {};
  switch (c->kind) {
    case ControlKind::ListBox:
      return c->items[size_t(index)];
    case ControlKind::ComboBox: {
      const LRESULT length = ::SendMessageW(c->hwnd, CB_GETLBTEXTLEN, WPARAM(index), 0);
      if (length == CB_ERR) return {};
      std::wstring text(size_t(length) + 1, L'\0');
      const LRESULT got = ::SendMessageW(c->hwnd, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
      text.resize(got == CB_ERR ? 0 : size_t(got));
      return Bytes(text);
    }
    case ControlKind::TabStrip: {
      std::wstring text(4096, L'\0');
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text.data();
      item.cchTextMax = int(text.size());
      if (!::SendMessageW(c->hwnd, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item))) return {};
      return Bytes(std::wstring_view(item.pszText));
    }
    default:
      return {};
  }
}

int Win32Backend::ItemCount(ControlId id) {
  Control* c = Find(id);
  if (!c) return 0;
  switch (c->kind) {
    case ControlKind::ListBox:
      return int(c->items.size());
    case ControlKind::ComboBox:
      return int(std::max<LRESULT>(0, ::SendMessageW(c->hwnd, CB_GETCOUNT, 0, 0)));
    case ControlKind::TabStrip:
      return int(std::max<LRESULT>(0, ::SendMessageW(c->hwnd, TCM_GETITEMCOUNT, 0, 0)));
    default:
      return 0;
  }
}

void Win32Backend::SetItems(ControlId id, std::vector<std::string> items) {
  Control* c = Find(id);
  if (!c) return;
  switch (c->kind) {
    case ControlKind::ListBox:
      c->items.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
      c->selection = -1;
      ++c->quiet;
      ::SendMessageW(c->hwnd, LB_SETTOPINDEX, 0, 0);
      --c->quiet;
      SyncList(*c, 0);
      break;
    case ControlKind::ComboBox:
      ++c->quiet;
      ::SendMessageW(c->hwnd, CB_RESETCONTENT, 0, 0);
      for (const auto& item : items) {
        ::SendMessageW(c->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
      }
      ::SendMessageW(c->hwnd, CB_SETCURSEL, WPARAM(-1), 0);
      --c->quiet;
      break;
    case ControlKind::TabStrip:
      ++c->quiet;
      ::SendMessageW(c->hwnd, TCM_DELETEALLITEMS, 0, 0);
      --c->quiet;
      for (const auto& item : items) InsertItem(id, -1, item);
      break;
    default:
      break;
  }
}

std::vector<std::string> Win32Backend::GetItems(ControlId id) {
  Control* c = Find(id);
  if (!c) return {};
  if (c->kind == ControlKind::ListBox) return {c->items.begin(), c->items.end()};
  std::vector<std::string> items;
  const int count = ItemCount(id);
  items.reserve(size_t(count));
  for (int i = 0; i < count; ++i) items.push_back(GetItem(id, i));
  return items;
}

int Win32Backend::GetSelection(ControlId id) {
  Control* c = Find(id);
  if (!c) return -1;
  switch (c->kind) {
    case ControlKind::ListBox:
      return c->selection;
    case ControlKind::ComboBox: {
      const LRESULT sel = ::SendMessageW(c->hwnd, CB_GETCURSEL, 0, 0);
      return sel == CB_ERR ? -1 : int(sel);
    }
    case ControlKind::TabStrip: {
      const LRESULT sel = ::SendMessageW(c->hwnd, TCM_GETCURSEL, 0, 0);
      return sel < 0 ? -1 : int(sel);
    }
    default:
      return -1;
  }
}

void Win32Backend::SetSelection(ControlId id, int index) {
  Control* c = Find(id);
  if (!c) return;
  if (!InRange(index, ItemCount(id))) index = -1;
  ++c->quiet;
  switch (c->kind) {
    case ControlKind::ListBox:
      c->selection = index;
      ::SendMessageW(c->hwnd, LB_SETCURSEL, WPARAM(index), 0);
      break;
    case ControlKind::ComboBox:
      ::SendMessageW(c->hwnd, CB_SETCURSEL, WPARAM(index), 0);
      break;
    case ControlKind::TabStrip:
      if (index >= 0) ::SendMessageW(c->hwnd, TCM_SETCURSEL, WPARAM(index), 0);
      break;
    default:
      break;
  }
  --c->quiet;
}

// ---- main window ----

uint32_t Win32Backend::GetStyle(ControlId id) {
  Control* c = Find(id);
  return c ? c->style : 0;
}

void Win32Backend::SetStyle(ControlId id, uint32_t style) {
  Control* c = Find(id);
  if (!c) return;
  c->style = style;
  if (c->kind == ControlKind::Form) ApplyFormStyle(*c);
}

void Win32Backend::ApplyFormStyle(Control& c) {
  const LONG native = ::GetWindowLongW(c.hwnd, GWL_STYLE);
  const LONG wanted = LONG((uint32_t(native) & ~kFormStyleBits) | (c.style & kFormStyleBits));
  if (wanted == native) return;
  // The window keeps its outer size: the frame changes inside it.
  RECT outer;
  ::GetWindowRect(c.hwnd, &outer);
  ::SetWindowLongW(c.hwnd, GWL_STYLE, wanted);
  ::SetWindowPos(c.hwnd, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ::DrawMenuBar(c.hwnd);
}

void Win32Backend::SetIcon(ControlId id, const std::string& resource) {
  Control* c = Find(id);
  if (!c || resource.empty()) return;
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  const std::wstring name = Wide(resource);
  auto load = [&](int metric_x, int metric_y) {
    return static_cast<HICON>(::LoadImageW(module, name.c_str(), IMAGE_ICON, ::GetSystemMetrics(metric_x),
                                           ::GetSystemMetrics(metric_y), LR_DEFAULTCOLOR));
  };
  HICON big = load(SM_CXICON, SM_CYICON);
  HICON small = load(SM_CXSMICON, SM_CYSMICON);
  if (!big && !small) return;  // a program without the resource keeps the default icon
  ::SendMessageW(c->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  ::SendMessageW(c->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (c->icon_big) ::DestroyIcon(c->icon_big);
  if (c->icon_small) ::DestroyIcon(c->icon_small);
  c->icon_big = big;
  c->icon_small = small;
}

void Win32Backend::SetWindowState(ControlId form, int state) {
  Control* c = Find(form);
  if (!c || c->kind != ControlKind::Form) return;
  c->window_state = state;
  if (::IsWindowVisible(c->hwnd)) {
    ::ShowWindow(c->hwnd, state == 1 ? SW_MAXIMIZE : state == 2 ? SW_MINIMIZE : SW_RESTORE);
  }
}

void Win32Backend::Show(ControlId form) {
  Control* c = Find(form);
  if (!c) return;
  if (c->kind != ControlKind::Form) {
    ::ShowWindow(c->hwnd, SW_SHOWNA);
    return;
  }
  const int how = c->window_state == 1 ? SW_SHOWMAXIMIZED : c->window_state == 2 ? SW_SHOWMINIMIZED : SW_SHOW;
  ::ShowWindow(c->hwnd, how);
  ::SetForegroundWindow(c->hwnd);
  ::UpdateWindow(c->hwnd);
}

bool Win32Backend::IsMainForm(const Control& c) const {
  if (c.kind != ControlKind::Form) return false;
  const ControlId main = MainWindowControl();
  if (main != kNoControl && Find(main)) return c.id == main;
  return c.id == first_form_;
}

bool Win32Backend::FormCloseRequested(Control& c) {
  if (c.events && !c.events->OnCloseRequest()) return false;
  ::ShowWindow(c.hwnd, SW_HIDE);
  c.closed = true;
  if (IsMainForm(c)) {
    main_closed_ = true;
    if (in_loop_) ::PostQuitMessage(0);
  }
  return true;
}

void Win32Backend::RequestClose(ControlId form) {
  Control* c = Find(form);
  if (c && c->kind == ControlKind::Form) ::SendMessageW(c->hwnd, WM_CLOSE, 0, 0);
}

void Win32Backend::RunMessageLoop() {
  const ControlId main = MainWindowControl() != kNoControl ? MainWindowControl() : first_form_;
  Control* c = Find(main);
  // A loop that no window could ever end would hang the program.
  if (!c || main_closed_ || !::IsWindowVisible(c->hwnd)) return;
  in_loop_ = true;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move the focus between the main window's controls in tab order.
    if (Control* main_form = Find(main); main_form && ::IsDialogMessageW(main_form->hwnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  in_loop_ = false;
}

// Every message but the user's keys and mouse clicks (in the client area and on the frame),
// which stay queued until the wait is over.
void Win32Backend::ProcessEvents() {
  constexpr std::pair<UINT, UINT> kRanges[] = {{0, WM_NCMOUSEMOVE - 1},
                                               {WM_NCXBUTTONDBLCLK + 1, WM_KEYFIRST - 1},
                                               {WM_KEYLAST + 1, WM_MOUSEFIRST - 1},
                                               {WM_MOUSELAST + 1, 0xFFFFFFFF}};
  MSG msg;
  for (const auto& [first, last] : kRanges) {
    while (::PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

// ---- dialogs, shell, clipboard ----

std::optional<FileDialogAnswer> Win32Backend::RunFileDialog(const FileDialogRequest& request) {
  std::wstring file(32768, L'\0');
  const std::wstring initial = Wide(request.initial_name);
  std::copy_n(initial.begin(), std::min(initial.size(), file.size() - 1), file.begin());
  const std::wstring filter = DialogFilter(request.filter);
  const std::wstring title = Wide(request.title);
  const std::wstring start_dir = Wide(request.start_dir);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Window(MainWindowControl());
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = DWORD(std::max(0, request.filter_index) + 1);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrInitialDir = start_dir.empty() ? nullptr : start_dir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
              OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  const BOOL confirmed = request.save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
  if (!confirmed) return std::nullopt;  // cancelled, closed, or the dialog could not open
  file.resize(std::wcslen(file.c_str()));
  if (file.empty()) return std::nullopt;
  return FileDialogAnswer{Bytes(file), int(ofn.nFilterIndex > 0 ? ofn.nFilterIndex - 1 : 0)};
}

int Win32Backend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption, int type,
                                 int icon) {
  static constexpr UINT kButtons[] = {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL, MB_RETRYCANCEL,
                                      MB_ABORTRETRYIGNORE};
  static constexpr UINT kIcons[] = {0, MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION,
                                    MB_ICONWARNING};
  const UINT buttons = kButtons[type >= 0 && type <= 5 ? type : 0];
  const UINT shown_icon = kIcons[icon >= 0 && icon <= 5 ? icon : 0];
  HWND owner_window = Window(owner);
  const UINT modality = owner_window ? MB_APPLMODAL : MB_TASKMODAL;
  // The system's codes are the program's: 1 OK, 2 Cancel (also Esc and closing), 3 Abort,
  // 4 Retry, 5 Ignore, 6 Yes, 7 No; 0 when the box could not be shown.
  return ::MessageBoxW(owner_window, Wide(text).c_str(), Wide(caption).c_str(), buttons | shown_icon | modality);
}

void Win32Backend::OpenDocument(const std::string& target) {
  if (target.empty()) return;
  ::ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string Win32Backend::ClipboardText() {
  if (!::OpenClipboard(nullptr)) return {};
  std::string text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = Bytes(std::wstring_view(chars));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// ---- access for tests and tools ----

HWND WindowOf(ControlId id) { return g_active ? g_active->Window(id) : nullptr; }

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace widgets
