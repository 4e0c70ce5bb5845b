// The Win32 backend: its lifetime, and the control factory that makes a native window for
// each kind of control and ties it to the control's record.
#include "widgets/win32/win32_backend.h"

#include <windows.h>
#include <commctrl.h>

#include "widgets/win32/win32_control.h"

namespace widgets {

using win32impl::Control;

namespace {

Win32Backend* g_active = nullptr;

// Caption, system menu, sizing frame, minimize and maximize boxes: an ordinary window.
constexpr uint32_t kDefaultFormStyle = 0x00CF0000;
// The horizontal scroll extent of a list box, in pixels.
constexpr int kListExtent = 200;

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof init,
                              ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
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
    case ControlKind::Form: return {win32impl::FormClass(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Panel: return {win32impl::PanelClass(), child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::TabStrip: return {WC_TABCONTROLW, child, 0};
    case ControlKind::StatusBar: return {STATUSCLASSNAMEW, child, 0};
    case ControlKind::Button: return {L"BUTTON", child | BS_PUSHBUTTON, 0};
    case ControlKind::Edit: return {L"EDIT", child | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Label: return {L"STATIC", child | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0};
    case ControlKind::CheckBox: return {L"BUTTON", child | BS_AUTOCHECKBOX, 0};
    case ControlKind::RadioButton: return {L"BUTTON", child | BS_RADIOBUTTON, 0};
    case ControlKind::ListBox:
      // An owner-data list: the native control only counts the rows and asks for those it
      // paints, so a million items cost one string each in the backend and nothing natively.
      return {L"LISTBOX",
              child | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_NODATA,
              WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {L"COMBOBOX", child | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0};
  }
  return {L"STATIC", child, 0};
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

NativeControl* Win32Backend::Record(ControlId id) const { return Find(id); }

HWND Win32Backend::Window(ControlId id) const {
  Control* c = Find(id);
  return c ? c->hwnd : nullptr;
}

ControlId Win32Backend::Make(ControlKind kind, NativeControl* owner_record, ControlEvents* events) {
  auto* owner = static_cast<Control*>(owner_record);
  auto control = std::make_unique<Control>(NextControlId(), kind, owner ? owner->id : kNoControl, events);
  Control* c = control.get();
  c->backend = this;
  c->text_color = ::GetSysColor(COLOR_WINDOWTEXT);
  const NativeKind native = NativeFor(kind);
  // A control is a child of its window; a form with an owner is a window of its own, which its
  // owner, given as the parent window, keeps in front of itself.
  c->hwnd = ::CreateWindowExW(native.ex_style, native.window_class, L"", native.style, CW_USEDEFAULT, CW_USEDEFAULT,
                              kind == ControlKind::Form ? 400 : 0, kind == ControlKind::Form ? 300 : 0,
                              owner ? owner->hwnd : nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!c->hwnd) return kNoControl;
  win32impl::Attach(*c);
  c->font = win32impl::MakeFont(TFontRec{});
  ::SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c->font), FALSE);

  switch (kind) {
    case ControlKind::Form: c->style = kDefaultFormStyle; break;
    case ControlKind::ListBox:
      ::SendMessageW(c->hwnd, LB_SETHORIZONTALEXTENT, kListExtent, 0);
      ::SendMessageW(c->hwnd, LB_SETITEMHEIGHT, 0, win32impl::ItemHeight(c->hwnd, c->font));
      c->items = win32impl::ListBoxItems(*c);
      break;
    case ControlKind::Edit:
      ::SendMessageW(c->hwnd, EM_SETLIMITTEXT, 0, 0);  // the largest text the control takes
      break;
    case ControlKind::ComboBox:
      ::SendMessageW(c->hwnd, CB_SETCURSEL, WPARAM(-1), 0);
      c->items = win32impl::ComboBoxItems(c->hwnd);
      break;
    case ControlKind::TabStrip: c->items = win32impl::TabStripItems(c->hwnd); break;
    case ControlKind::StatusBar: ::SendMessageW(c->hwnd, WM_SIZE, 0, 0); break;
    default: break;
  }
  const ControlId id = c->id;
  controls_.emplace(id, std::move(control));
  if (kind == ControlKind::StatusBar && owner && owner->kind == ControlKind::Form) MakeRoomForStatusBar(*owner);
  return id;
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
