// The Win32 backend's forms and places: a form by its outer frame on the screen, a control in
// its window's client area; the room a status bar needs; styles, icon, state, showing and
// closing; and the message loop.
#include <windows.h>

#include <algorithm>
#include <utility>

#include "widgets/status_bar_layout.h"
#include "widgets/win32/win32_backend.h"
#include "widgets/win32/win32_control.h"

namespace widgets {

using win32impl::Control;

namespace {

// Extra native height of a drop-down list box: room for its open list.
constexpr int kComboListHeight = 200;
// Bits of a form's style the program may change; the rest stays as the backend made it.
constexpr uint32_t kFormStyleBits = kStyleMaximizeBox | kStyleMinimizeBox | kStyleSizingFrame;

}  // namespace

// ---- geometry ----

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
    if (c->kind == ControlKind::StatusBar) {
      bar = c->hwnd;
    } else {
      bottom = std::max(bottom, c->top + c->height);
    }
  }
  if (!bar) return;
  RECT bar_rect{}, client{}, outer{};
  ::GetWindowRect(bar, &bar_rect);
  ::GetClientRect(form.hwnd, &client);
  const int room = StatusBarRoom(client.bottom, bottom, bar_rect.bottom - bar_rect.top);
  if (room == 0) return;
  ::GetWindowRect(form.hwnd, &outer);
  form.grown += room;
  ::SetWindowPos(form.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + room,
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
  height =
      c->kind == ControlKind::ComboBox ? c->height : r.bottom - r.top - (c->kind == ControlKind::Form ? c->grown : 0);
}

// ---- style, icon, state ----

void Win32Backend::ShowStyle(NativeControl& form) {
  auto& c = static_cast<Control&>(form);
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
  const std::wstring name = win32impl::Wide(resource);
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

namespace {

int ShowCommand(WindowState state, bool first_show) {
  switch (state) {
    case WindowState::Maximized: return first_show ? SW_SHOWMAXIMIZED : SW_MAXIMIZE;
    case WindowState::Minimized: return first_show ? SW_SHOWMINIMIZED : SW_MINIMIZE;
    case WindowState::Normal: break;
  }
  return first_show ? SW_SHOW : SW_RESTORE;
}

}  // namespace

void Win32Backend::SetWindowState(ControlId form, WindowState state) {
  Control* c = Find(form);
  if (!c || c->kind != ControlKind::Form) return;
  c->window_state = state;
  if (::IsWindowVisible(c->hwnd)) ::ShowWindow(c->hwnd, ShowCommand(state, false));
}

// ---- showing, closing, the loop ----

void Win32Backend::Show(ControlId form) {
  Control* c = Find(form);
  if (!c) return;
  if (c->kind != ControlKind::Form) {
    ::ShowWindow(c->hwnd, SW_SHOWNA);
    return;
  }
  ::ShowWindow(c->hwnd, ShowCommand(c->window_state, true));
  ::SetForegroundWindow(c->hwnd);
  ::UpdateWindow(c->hwnd);
}

void Win32Backend::RequestClose(ControlId form) {
  Control* c = Find(form);
  if (c && c->kind == ControlKind::Form) ::SendMessageW(c->hwnd, WM_CLOSE, 0, 0);  // asks the element
}

bool Win32Backend::OnScreen(const NativeControl& form) const {
  return ::IsWindowVisible(static_cast<const Control&>(form).hwnd);
}

void Win32Backend::RunLoop(ControlId main) {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move the focus between the main window's controls in tab order.
    if (Control* main_form = Find(main); main_form && ::IsDialogMessageW(main_form->hwnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void Win32Backend::QuitLoop() { ::PostQuitMessage(0); }

// Every message but the user's keys and mouse clicks (in the client area and on the frame),
// which are dropped: Esc among them asks to stop the work.
bool Win32Backend::ProcessEvents() {
  constexpr std::pair<UINT, UINT> kRanges[] = {{0, WM_NCMOUSEMOVE - 1},
                                               {WM_NCXBUTTONDBLCLK + 1, WM_KEYFIRST - 1},
                                               {WM_KEYLAST + 1, WM_MOUSEFIRST - 1},
                                               {WM_MOUSELAST + 1, 0xFFFFFFFF}};
  constexpr std::pair<UINT, UINT> kInput[] = {
      {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}, {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}};
  MSG msg;
  bool escape = false;
  for (const auto& [first, last] : kInput)
    while (::PeekMessageW(&msg, nullptr, first, last, PM_REMOVE))
      escape = escape || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
  for (const auto& [first, last] : kRanges) {
    while (::PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return escape;
}

}  // namespace widgets
