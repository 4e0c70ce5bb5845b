// The window procedures of the Win32 backend: the main window and panels pass their
// children's notifications to the children's elements, draw panel bevels and list box
// items; system controls are subclassed for cursors, mouse crossing, Enter and clicks.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "runtime/platform/code_page.h"
#include "widgets/shown_text.h"
#include "widgets/win32/win32_backend.h"
#include "widgets/win32/win32_control.h"

namespace widgets::win32impl {
namespace {

constexpr wchar_t kControlProp[] = L"VeltraneControl";

// The parent's background brush, for children that draw on it (labels, check boxes).
HBRUSH ParentBrush(HWND child) {
  Control* parent = ControlOf(::GetParent(child));
  return parent && parent->brush ? parent->brush : ::GetSysColorBrush(COLOR_BTNFACE);
}

COLORREF ParentBack(HWND child) {
  Control* parent = ControlOf(::GetParent(child));
  return parent && parent->brush ? parent->back : ::GetSysColor(COLOR_BTNFACE);
}

LRESULT ColorFor(HWND child, HDC dc, bool drawn_on_parent) {
  Control* c = ControlOf(child);
  if (!c) return 0;
  ::SetTextColor(dc, ::IsWindowEnabled(child) ? c->text_color : ::GetSysColor(COLOR_GRAYTEXT));
  if (c->brush) {
    ::SetBkColor(dc, c->back);
    return reinterpret_cast<LRESULT>(c->brush);
  }
  if (drawn_on_parent) {
    ::SetBkColor(dc, ParentBack(child));
    return reinterpret_cast<LRESULT>(ParentBrush(child));
  }
  ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

void DrawListItem(Control& c, const DRAWITEMSTRUCT& d) {
  HDC dc = d.hDC;
  RECT r = d.rcItem;
  const bool selected = (d.itemState & ODS_SELECTED) != 0;
  const bool valid = d.itemID != UINT(-1) && d.itemID < c.rows.items.size();
  if (valid) {
    const HBRUSH back =
        selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : (c.brush ? c.brush : ::GetSysColorBrush(COLOR_WINDOW));
    ::FillRect(dc, &r, back);
    const std::string& item = c.rows.items[d.itemID];
    const std::wstring text = ShownItemText(item);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                : (::IsWindowEnabled(c.hwnd) ? c.text_color : ::GetSysColor(COLOR_GRAYTEXT)));
    HGDIOBJ old = c.font ? ::SelectObject(dc, c.font) : nullptr;
    RECT text_rect = r;
    text_rect.left += 2;
    ::DrawTextW(dc, text.c_str(), int(text.size()), &text_rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (old) ::SelectObject(dc, old);
  }
  if (d.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &r);
}

// Notifications of a child, handled for its element. True when the message was answered.
bool Dispatch(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      Control* c = ControlOf(reinterpret_cast<HWND>(lp));
      if (!c) return false;
      const UINT code = HIWORD(wp);
      switch (c->kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
          if (code == BN_CLICKED) c->Report(&ControlEvents::OnClicked);
          break;
        case ControlKind::RadioButton:
          if (code == BN_CLICKED && c->quiet == 0) {
            ::SendMessageW(c->hwnd, BM_SETCHECK, BST_CHECKED, 0);  // the element clears the rest of its group
            c->Report(&ControlEvents::OnClicked);
          }
          break;
        case ControlKind::Label:
          if (code == STN_CLICKED) c->Report(&ControlEvents::OnClicked);
          break;
        case ControlKind::Edit:
          if (code == EN_CHANGE) c->Report(&ControlEvents::OnTextChanged);
          break;
        case ControlKind::ListBox:
          if (code == LBN_SELCHANGE && c->quiet == 0) {
            const LRESULT sel = ::SendMessageW(c->hwnd, LB_GETCURSEL, 0, 0);
            c->rows.selection = sel == LB_ERR ? -1 : int(sel);
            c->click.SelectionReported();
            c->Report(&ControlEvents::OnSelectionChanged);
          }
          break;
        case ControlKind::ComboBox:
          // A pick ends in "selection accepted", also for the item already shown, and the
          // selection change that comes with it is the same pick. A change without it (arrow
          // keys on the closed box, where the system sends none) is reported by itself.
          if (code == CBN_SELENDOK) {
            c->pick_reported = true;
            c->Report(&ControlEvents::OnSelectionChanged);
          } else if (code == CBN_SELCHANGE) {
            if (!std::exchange(c->pick_reported, false) && !::SendMessageW(c->hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
              c->Report(&ControlEvents::OnSelectionChanged);
            }
          }
          break;
        default: break;
      }
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      Control* c = ControlOf(header->hwndFrom);
      if (!c) return false;
      if (c->kind == ControlKind::TabStrip && header->code == UINT(TCN_SELCHANGE)) {
        c->Report(&ControlEvents::OnSelectionChanged);
      }
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      Control* c = ControlOf(reinterpret_cast<HWND>(lp));
      if (!c) return false;
      // An edit that is disabled or read-only asks as a static; it keeps the field's look.
      result = ColorFor(c->hwnd, reinterpret_cast<HDC>(wp), c->kind != ControlKind::Edit);
      return result != 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      if (!ControlOf(reinterpret_cast<HWND>(lp))) return false;
      result = ColorFor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), false);
      return result != 0;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      Control* c = d->CtlType == ODT_LISTBOX ? ControlOf(d->hwndItem) : nullptr;
      if (!c || c->kind != ControlKind::ListBox) return false;
      DrawListItem(*c, *d);
      result = TRUE;
      return true;
    }
    case WM_MEASUREITEM: {
      // Sent while the list box is being created, before its record is tied to it; the
      // height is set again from its font.
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (m->CtlType != ODT_LISTBOX) return false;
      m->itemHeight = 13;
      result = TRUE;
      return true;
    }
    default: return false;
  }
}

bool EraseBackground(HWND hwnd, HDC dc) {
  Control* c = ControlOf(hwnd);
  RECT r;
  ::GetClientRect(hwnd, &r);
  ::FillRect(dc, &r, c && c->brush ? c->brush : ::GetSysColorBrush(COLOR_BTNFACE));
  return true;
}

// Bevels as 3D frames inside the client area: the outer bevel at the edge, then the border
// width, then the inner bevel; each one pixel wide per step of the bevel width.
void PaintPanel(Control& c, HDC dc) {
  RECT r;
  ::GetClientRect(c.hwnd, &r);
  auto bevel = [&](Bevel kind) {
    if (kind == Bevel::None) return;
    for (int step = 0; step < std::max(1, c.frame.bevel_width); ++step) {
      ::DrawEdge(dc, &r, kind == Bevel::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      ::InflateRect(&r, -1, -1);
    }
  };
  bevel(c.frame.outer);
  ::InflateRect(&r, -std::max(0, c.frame.border_width), -std::max(0, c.frame.border_width));
  bevel(c.frame.inner);
  if (c.text.empty()) return;
  const std::wstring caption = Wide(c.text);
  HGDIOBJ old = c.font ? ::SelectObject(dc, c.font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, c.text_color);
  const UINT align = c.alignment == Alignment::Center  ? DT_CENTER
                     : c.alignment == Alignment::Right ? DT_RIGHT
                                                       : DT_LEFT;
  ::DrawTextW(dc, caption.c_str(), int(caption.size()), &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (old) ::SelectObject(dc, old);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (Dispatch(msg, wp, lp, result)) return result;
  Control* c = ControlOf(hwnd);
  switch (msg) {
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wp));
    case WM_SIZE: DockStatusBars(hwnd); break;
    case WM_SHOWWINDOW:
      // Shown by the program, not restored from the task bar.
      if (wp && lp == 0 && c && c->events) c->events->OnShown();
      break;
    case WM_CLOSE:
      // An accepted close hides the form; the program lets it go when it ends.
      if (c && c->backend) {
        if (c->backend->FormCloseRequested(*c)) ::ShowWindow(hwnd, SW_HIDE);
        return 0;
      }
      break;
    default: break;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (Dispatch(msg, wp, lp, result)) return result;
  Control* c = ControlOf(hwnd);
  switch (msg) {
    case WM_ERASEBKGND: return EraseBackground(hwnd, reinterpret_cast<HDC>(wp));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      if (c) PaintPanel(*c, dc);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (c) PaintPanel(*c, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_SIZE:
      ::InvalidateRect(hwnd, nullptr, TRUE);  // the bevels follow the new size
      DockStatusBars(hwnd);
      break;
    default: break;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// System controls, subclassed: the element's cursor, mouse crossing, Enter in an edit, and a
// click on the row a list box has selected already.
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Control* c = ControlOf(hwnd);
  if (!c || !c->previous) return ::DefWindowProcW(hwnd, msg, wp, lp);
  const WNDPROC previous = c->previous;
  switch (msg) {
    case WM_SETCURSOR:
      if (HCURSOR cursor = CursorFor(c->cursor); cursor && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(cursor);
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (!c->mouse_inside) {
        c->mouse_inside = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        ::TrackMouseEvent(&track);
        c->Report(&ControlEvents::OnMouseEnter);
      }
      break;
    case WM_MOUSELEAVE:
      c->mouse_inside = false;
      c->Report(&ControlEvents::OnMouseLeave);
      break;
    case WM_GETDLGCODE:
      if (c->kind == ControlKind::Edit) {
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
      }
      break;
    case WM_KEYDOWN:
      if (c->kind == ControlKind::Edit && wp == VK_RETURN) {
        c->Report(&ControlEvents::OnEnterPressed);
        return 0;
      }
      break;
    case WM_CHAR:
      if (c->kind == ControlKind::Edit && wp == '\r') return 0;  // no beep
      break;
    case WM_LBUTTONDOWN:
      if (c->kind == ControlKind::ListBox) c->click.Pressed();
      break;
    case WM_LBUTTONUP:
      if (c->kind == ControlKind::ListBox && c->click.Pending()) {
        const LRESULT r = ::CallWindowProcW(previous, hwnd, msg, wp, lp);
        c = ControlOf(hwnd);
        if (!c) return r;
        const LRESULT hit = ::SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lp);
        const int row = HIWORD(hit) == 0 ? int(LOWORD(hit)) : -1;
        if (c->click.Released(row, row == c->rows.selection)) c->Report(&ControlEvents::OnSelectionChanged);
        return r;
      }
      break;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      ::RemovePropW(hwnd, kControlProp);
      c->hwnd = nullptr;
      break;
    default: break;
  }
  return ::CallWindowProcW(previous, hwnd, msg, wp, lp);
}

const wchar_t* Register(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
  return name;
}

}  // namespace

// The docked status bars of a window follow its size.
void DockStatusBars(HWND parent) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    Control* c = ControlOf(child);
    if (c && c->kind == ControlKind::StatusBar) ::SendMessageW(child, WM_SIZE, 0, 0);
  }
}

Control* ControlOf(HWND hwnd) { return hwnd ? static_cast<Control*>(::GetPropW(hwnd, kControlProp)) : nullptr; }

void Attach(Control& c) {
  ::SetPropW(c.hwnd, kControlProp, &c);
  if (c.kind != ControlKind::Form && c.kind != ControlKind::Panel) {
    c.previous =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc)));
  }
}

const wchar_t* FormClass() {
  static const wchar_t* name = Register(L"VeltraneForm", &FormProc);
  return name;
}

const wchar_t* PanelClass() {
  static const wchar_t* name = Register(L"VeltranePanel", &PanelProc);
  return name;
}

std::wstring Wide(std::string_view text) { return platform::WideFromText(text); }
std::wstring WidePath(std::string_view path) { return platform::WideFromBytes(path); }
std::string PathBytes(std::wstring_view path) { return platform::BytesFromWide(path); }

std::wstring WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(size_t(std::max(length, 0)) + 1, L'\0');
  const int got = ::GetWindowTextW(hwnd, text.data(), int(text.size()));
  text.resize(size_t(std::max(got, 0)));
  return text;
}

}  // namespace widgets::win32impl
