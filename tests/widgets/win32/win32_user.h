// The user on Win32 controls, for the Win32 backend's tests: the messages the system sends a
// control when the user acts on it, and answers to the dialog a call is about to open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace win32user {

inline std::function<void(HWND)>& PendingAct() {
  static std::function<void(HWND)> act;
  return act;
}

inline BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16];
  if (::IsWindowVisible(window) && ::GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

inline void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !PendingAct()) return;
  ::KillTimer(nullptr, timer);
  auto act = std::move(PendingAct());
  PendingAct() = nullptr;
  act(dialog);
}

// Acts on the next dialog of this thread as soon as it is up (file dialog, message box):
// a thread timer runs inside the dialog's own modal loop.
inline void AnswerModal(std::function<void(HWND)> act) {
  PendingAct() = std::move(act);
  ::SetTimer(nullptr, 0, 20, &OnTimer);
}

inline std::wstring NativeText(HWND window) {
  std::wstring text(size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

inline void Click(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::SendMessageW(window, WM_LBUTTONUP, 0, where);
}

inline POINT RowCentre(HWND list, int row) {
  RECT r{};
  ::SendMessageW(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace win32user
