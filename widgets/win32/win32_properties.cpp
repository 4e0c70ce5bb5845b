// What a control of the Win32 backend shows: its text, alignment and checked state, its
// font, colours, cursor and tooltip, whether it is enabled and seen, and its place in the tab chain.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "widgets/shown_text.h"
#include "widgets/status_bar_layout.h"
#include "widgets/win32/win32_backend.h"
#include "widgets/win32/win32_control.h"

namespace widgets {

using win32impl::Control;
using win32impl::Wide;

// ---- text, alignment, checked state ----

void Win32Backend::ShowText(NativeControl& record) {
  auto& c = static_cast<Control&>(record);
  switch (c.kind) {
    case ControlKind::Panel:
      ::InvalidateRect(c.hwnd, nullptr, TRUE);  // the panel draws its caption itself
      break;
    case ControlKind::StatusBar: {
      // The bar itself reads leading tabs: one centres the text, two right-align it.
      const StatusLine line = LayOutStatusText(c.text, c.alignment);
      const size_t tabs = line.alignment == Alignment::Center ? 1 : line.alignment == Alignment::Right ? 2 : 0;
      const std::wstring text = Wide(std::string(tabs, '\t') + std::string(line.text));
      ::SendMessageW(c.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
      break;
    }
    default: ::SetWindowTextW(c.hwnd, Wide(c.text).c_str()); break;
  }
}

std::string Win32Backend::ShownText(const NativeControl& record) const {
  const auto& c = static_cast<const Control&>(record);
  return c.kind == ControlKind::Panel ? c.text : BytesOfShownText(win32impl::WindowText(c.hwnd), c.text);
}

void Win32Backend::ShowAlignment(NativeControl& record) {
  auto& c = static_cast<Control&>(record);
  LONG style = ::GetWindowLongW(c.hwnd, GWL_STYLE);
  switch (c.kind) {
    case ControlKind::Label: {
      const LONG align = c.alignment == Alignment::Center  ? SS_CENTER
                         : c.alignment == Alignment::Right ? SS_RIGHT
                                                           : SS_LEFT;
      ::SetWindowLongW(c.hwnd, GWL_STYLE, (style & ~LONG(SS_TYPEMASK)) | align);
      break;
    }
    case ControlKind::Edit: {
      const LONG align = c.alignment == Alignment::Center  ? ES_CENTER
                         : c.alignment == Alignment::Right ? ES_RIGHT
                                                           : ES_LEFT;
      ::SetWindowLongW(c.hwnd, GWL_STYLE, (style & ~LONG(ES_CENTER | ES_RIGHT)) | align);
      break;
    }
    default: break;
  }
  ::InvalidateRect(c.hwnd, nullptr, TRUE);
}

void Win32Backend::ShowChecked(NativeControl& c, bool checked) {
  ::SendMessageW(static_cast<Control&>(c).hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Backend::ShownChecked(const NativeControl& c) const {
  return ::SendMessageW(static_cast<const Control&>(c).hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Backend::SetPanelFrame(ControlId id, const PanelFrame& frame) {
  Control* c = Find(id);
  if (!c || c->kind != ControlKind::Panel) return;
  c->frame = frame;
  ::InvalidateRect(c->hwnd, nullptr, TRUE);
}

// ---- font, colours, cursor, tooltip ----

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

void Win32Backend::SetCursor(ControlId id, Cursor cursor) {
  if (Control* c = Find(id)) c->cursor = cursor;  // the control's procedure sets it as the mouse comes
}

void Win32Backend::SetTooltip(ControlId id, const std::string& text) {
  Control* c = Find(id);
  if (!c) return;
  std::wstring tip = Wide(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = ::GetParent(c->hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(c->hwnd);
  tool.lpszText = tip.data();
  if (c->tooltip) {
    ::SendMessageW(c->tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  c->tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, c->hwnd, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
  if (!c->tooltip) return;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ::SendMessageW(c->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---- enabled, seen, in front ----

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
    for (HWND sibling = ::GetWindow(::GetParent(c->hwnd), GW_CHILD); sibling;
         sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
      const Control* other = win32impl::ControlOf(sibling);
      if (other && other->kind == ControlKind::StatusBar) ::SetWindowPos(sibling, HWND_TOP, 0, 0, 0, 0, keep);
    }
  }
}

// ---- the tab chain ----

void Win32Backend::ShowTabChain(NativeControl& parent, NativeControl& placed) {
  HWND window = static_cast<Control&>(placed).hwnd;
  ::SetWindowLongW(window, GWL_STYLE, ::GetWindowLongW(window, GWL_STYLE) | WS_TABSTOP);
  // The dialog manager moves the focus in sibling order: the chain is put in front, in order.
  HWND after = HWND_TOP;
  for (ControlId member : parent.tab_chain) {
    HWND w = Window(member);
    if (!w) continue;
    ::SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = w;
  }
}

}  // namespace widgets
