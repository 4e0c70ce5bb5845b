// The contract of every window system, on Win32 (under Wine in CI): the user acts through the
// messages the system sends the real controls.
#include "widgets/backend_contract.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "runtime/platform/code_page.h"
#include "widgets/win32/win32_backend.h"
#include "widgets/win32/win32_user.h"

namespace contract {
namespace {

using widgets::WindowOf;

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t found[32] = {};
  ::GetClassNameW(window, found, 32);
  return ::lstrcmpiW(found, name) == 0;
}

}  // namespace

// The user of this window system, as the contract needs one.
struct Win32User {
  using Backend = widgets::Win32Backend;
  static constexpr bool kControlsNeedAWindow = true;

  Backend& ui;
  std::vector<std::string> files;
  std::shared_ptr<FileDialogSeen> seen = std::make_shared<FileDialogSeen>();

  explicit Win32User(Backend& backend) : ui(backend) {}
  ~Win32User() {
    for (const std::string& file : files) platform::RemoveFile(file);
  }

  void Click(ControlId id) {
    HWND window = WindowOf(id);
    if (IsClass(window, L"Button")) {
      ::SendMessageW(window, BM_CLICK, 0, 0);
    } else {
      win32user::Click(window, {5, 5});
    }
  }
  void ClickRow(ControlId list, int row) {
    HWND window = WindowOf(list);
    win32user::Click(window, win32user::RowCentre(window, row));
  }
  void PickItem(ControlId combo, int index) {
    // What the drop-down list sends when the user picks an item in it.
    HWND window = WindowOf(combo);
    ::SendMessageW(window, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(window));
  }
  void ClickTab(ControlId tabs, int index) {
    RECT r{};
    ::SendMessageW(WindowOf(tabs), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    win32user::Click(WindowOf(tabs), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void TypeAtEnd(ControlId edit, char c) {
    HWND window = WindowOf(edit);
    const int end = ::GetWindowTextLengthW(window);
    ::SendMessageW(window, EM_SETSEL, WPARAM(end), LPARAM(end));
    ::SendMessageW(window, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
  }
  void PressEnter(ControlId edit) { ::SendMessageW(WindowOf(edit), WM_KEYDOWN, VK_RETURN, 0); }
  bool Enabled(ControlId id) { return ::IsWindowEnabled(WindowOf(id)); }
  bool OnTopAt(ControlId parent, int x, int y, ControlId id) {
    return ::ChildWindowFromPointEx(WindowOf(parent), POINT{x, y}, CWP_SKIPINVISIBLE) == WindowOf(id);
  }
  bool TabMoves(ControlId from, bool backwards, ControlId to) {
    HWND window = WindowOf(from);
    ::SetFocus(window);
    BYTE keys[256] = {}, held[256] = {};
    ::GetKeyboardState(keys);
    std::copy(std::begin(keys), std::end(keys), std::begin(held));
    held[VK_SHIFT] = backwards ? 0x80 : 0;
    ::SetKeyboardState(held);
    MSG tab{window, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ::IsDialogMessageW(::GetAncestor(window, GA_ROOT), &tab);  // as the message loop does
    ::SetKeyboardState(keys);
    return ::GetFocus() == WindowOf(to);
  }
  std::string FileToOpen(const std::string& name) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    files.push_back(platform::BytesFromWide(temp) + "veltrane-contract-" + std::to_string(::GetCurrentProcessId()) + "-" +
                    name);
    platform::WriteFileAtomic(files.back(), "x");
    return files.back();
  }
  void AnswerMessage(Reply reply) {
    win32user::AnswerModal([reply](HWND box) {
      switch (reply.way) {
        case Reply::Way::Press:  // the system's button identifiers are the program's codes
          ::SendMessageW(::GetDlgItem(box, widgets::AnswerCode(reply.button)), BM_CLICK, 0, 0);
          break;
        case Reply::Way::Escape: ::PostMessageW(::GetDlgItem(box, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0); break;
        case Reply::Way::CloseButton: ::PostMessageW(box, WM_CLOSE, 0, 0); break;
      }
    });
  }
  void AnswerFileDialog(const FileChoice& choice) {
    win32user::AnswerModal([choice, seen = seen](HWND dialog) {
      HWND types = ::GetDlgItem(dialog, cmb1);
      // The file name box: a combo box in some versions, an edit in others.
      HWND name = ::GetDlgItem(dialog, cmb13) ? ::GetDlgItem(dialog, cmb13) : ::GetDlgItem(dialog, edt1);
      *seen = {platform::BytesFromWide(win32user::NativeText(dialog)), int(::SendMessageW(types, CB_GETCURSEL, 0, 0)),
               platform::BytesFromWide(win32user::NativeText(name))};
      if (choice.filter >= 0) {
        // What the filter list sends when the user picks in it.
        ::SendMessageW(types, CB_SETCURSEL, WPARAM(choice.filter), 0);
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
          ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
        }
      }
      if (choice.path) {
        ::SetWindowTextW(name, platform::WideFromBytes(*choice.path).c_str());
        ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // as the "Open" button does
      } else {
        ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      }
    });
  }
  FileDialogSeen LastFileDialog() { return *seen; }
  void CloseDuringLoop(ControlId form) { ::PostMessageW(WindowOf(form), WM_CLOSE, 0, 0); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendContract, Win32User);

}  // namespace contract
