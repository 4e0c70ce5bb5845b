// The Win32 backend (under Wine in CI): the contract of every window system, with a user who
// acts through the messages the system sends the real controls; then what only Win32 shows:
// native styles and texts, pixels, the messages its controls get from the system.
#include "widgets/backend_contract.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "runtime/platform/code_page.h"
#include "widgets/win32/win32_backend.h"

using widgets::ControlId;
using widgets::ControlKind;
using widgets::WindowOf;

namespace win32user {

std::function<void(HWND)>& PendingAct() {
  static std::function<void(HWND)> act;
  return act;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16];
  if (::IsWindowVisible(window) && ::GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
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
void AnswerModal(std::function<void(HWND)> act) {
  PendingAct() = std::move(act);
  ::SetTimer(nullptr, 0, 20, &OnTimer);
}

std::wstring NativeText(HWND window) {
  std::wstring text(size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

void Click(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::SendMessageW(window, WM_LBUTTONUP, 0, where);
}

// Clicks the centre of a list's row or a tab strip's tab, as `ask_rect` gives it.
void ClickItem(HWND window, UINT ask_rect, int index) {
  RECT r{};
  ::SendMessageW(window, ask_rect, WPARAM(index), reinterpret_cast<LPARAM>(&r));
  Click(window, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

}  // namespace win32user

namespace contract {

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t found[32] = {};
  ::GetClassNameW(window, found, 32);
  return ::lstrcmpiW(found, name) == 0;
}

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
  void ClickRow(ControlId list, int row) { win32user::ClickItem(WindowOf(list), LB_GETITEMRECT, row); }
  void PickItem(ControlId combo, int index) {
    // What the drop-down list sends when the user picks an item in it.
    HWND window = WindowOf(combo);
    ::SendMessageW(window, CB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(window));
  }
  void ClickTab(ControlId tabs, int index) { win32user::ClickItem(WindowOf(tabs), TCM_GETITEMRECT, index); }
  void TypeAtEnd(ControlId edit, char c) {
    HWND window = WindowOf(edit);
    const int end = ::GetWindowTextLengthW(window);
    ::SendMessageW(window, EM_SETSEL, WPARAM(end), LPARAM(end));
    ::SendMessageW(window, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
  }
  void PressEnter(ControlId edit) { ::SendMessageW(WindowOf(edit), WM_KEYDOWN, VK_RETURN, 0); }
  void PressWhileWorking(ControlId button) {
    HWND window = WindowOf(button);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  bool Enabled(ControlId id) { return ::IsWindowEnabled(WindowOf(id)); }
  int ShownRow(ControlId list) {
    return int(::SendMessageW(WindowOf(list), IsClass(WindowOf(list), L"ListBox") ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
  }
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
    files.push_back(platform::BytesFromWide(temp) + "veltrane-contract-" + std::to_string(::GetCurrentProcessId()) +
                    "-" + name);
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

namespace {

using contract::Ints;
using contract::k1251Name;
using contract::kUtf8Cafe;
using contract::kUtf8Name;
using win32user::NativeText;

using Win32Backend = NativeFormTest<widgets::Win32Backend>;

// ---- the window and its controls ----

TEST_F(Win32Backend, a_form_without_a_sizing_frame_loses_its_maximize_box_and_shows_its_icon) {
  ui.SetStyle(form, ui.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  EXPECT_EQ(::GetWindowLongW(WindowOf(form), GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(::GetWindowLongW(WindowOf(form), GWL_STYLE) & WS_MINIMIZEBOX, 0);
  ui.SetIcon(form, "ICON0");
  EXPECT_NE(::SendMessageW(WindowOf(form), WM_GETICON, ICON_BIG, 0), 0);  // the resource linked into the program
}

// The native bar reads leading tabs itself: one centres the text, two right-align it.
TEST_F(Win32Backend, the_status_bar_gets_its_alignment_as_leading_tabs) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  struct Case {
    std::string text;
    widgets::Alignment alignment;
    std::wstring shown;
  };
  for (const Case& c :
       {Case{"Ready", widgets::Alignment::Center, L"\tReady"}, Case{"Ready", widgets::Alignment::Right, L"\t\tReady"},
        Case{"\tReady", widgets::Alignment::Right, L"\tReady"}}) {
    ui.SetAlignment(bar, c.alignment);
    ui.SetText(bar, c.text);
    wchar_t text[64] = {};
    ::SendMessageW(WindowOf(bar), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), c.shown);
  }
}

TEST_F(Win32Backend, panel_bevels_are_drawn_inside_the_client_area) {
  using widgets::Bevel;
  struct Case {
    Bevel inner, outer;
    COLORREF top_left;
  };
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  for (const Case& c : {Case{Bevel::Raised, Bevel::Lowered, dark}, Case{Bevel::None, Bevel::Raised, light},
                        Case{Bevel::None, Bevel::None, ::GetSysColor(COLOR_BTNFACE)}}) {
    const ControlId panel = Make(ControlKind::Panel, nullptr, 0, 20, 100, 80);
    ui.SetPanelFrame(panel, {c.inner, c.outer, 1, 1});
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 100, 80);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageW(WindowOf(panel), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SendMessageW(WindowOf(panel), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(::GetPixel(dc, 0, 0), c.top_left) << int(c.inner) << int(c.outer);
    if (c.outer == Bevel::Lowered) {
      EXPECT_EQ(::GetPixel(dc, 2, 2), light);  // a raised inner bevel behind the border
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
  }
}

// ---- what the user does ----

TEST_F(Win32Backend, a_label_reports_the_mouse_coming_once_and_its_leaving) {
  Counts events;
  const ControlId label = Make(ControlKind::Label, &events);
  ::SendMessageW(WindowOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ::SendMessageW(WindowOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  ::SendMessageW(WindowOf(label), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ((Ints{events.mouse_in, events.mouse_out}), (Ints{1, 1}));
}

// The closed box steps through its items on the arrow keys and sends no "selection accepted".
TEST_F(Win32Backend, a_combo_box_reports_each_arrow_key_step_of_the_closed_box) {
  Counts events;
  const ControlId combo = Make(ControlKind::ComboBox, &events, 10, 10, 180, 21);
  ui.SetItems(combo, {"-Select-", "Advertisement", "Misc"});
  ::SetFocus(WindowOf(combo));
  ::SendMessageW(WindowOf(combo), WM_KEYDOWN, VK_DOWN, 0);  // to the first item
  ::SendMessageW(WindowOf(combo), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(events.selected, 2);
  EXPECT_EQ(ui.GetText(combo), "Advertisement");
}

// ---- text ----

const std::wstring kName = L"\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444", kCafe = L"caf\u00e9.fr";

TEST_F(Win32Backend, texts_in_utf8_show_as_utf8_and_texts_in_windows_1251_as_windows_1251) {
  const ControlId edit = Make(ControlKind::Edit), button = Make(ControlKind::Button);
  const ControlId combo = Make(ControlKind::ComboBox), tabs = Make(ControlKind::TabStrip);
  ui.SetText(edit, kUtf8Cafe);
  ui.SetText(button, k1251Name);
  ui.SetItems(combo, {k1251Name});
  ui.SetItems(tabs, {kUtf8Name});
  EXPECT_EQ(NativeText(WindowOf(edit)), kCafe);
  EXPECT_EQ(NativeText(WindowOf(button)), kName);
  wchar_t item_text[64] = {}, tab[64] = {};
  ::SendMessageW(WindowOf(combo), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item_text));
  EXPECT_EQ(std::wstring(item_text), kName);
  TCITEMW item{TCIF_TEXT, 0, 0, tab, 64, 0, 0};
  ::SendMessageW(WindowOf(tabs), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(tab), kName);
  std::wstring caption;  // its text goes the same way
  win32user::AnswerModal([&](HWND box) {
    caption = NativeText(box);
    ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  });
  ui.ShowMessageBox(form, "Added", kUtf8Cafe, widgets::MessageButtons::Ok, widgets::MessageIcon::None);
  EXPECT_EQ(caption, kCafe);
}

// What the user leaves in an edit: Windows-1251 when every character fits (and the bytes do
// not read as UTF-8), UTF-8 otherwise; a text set in UTF-8 stays UTF-8. So is the clipboard's.
TEST_F(Win32Backend, typed_text_is_windows_1251_when_it_fits_and_utf8_otherwise_and_an_edited_utf8_text_stays_utf8) {
  const ControlId edit = Make(ControlKind::Edit);
  struct Case {
    std::string set;
    std::wstring typed;
    std::string got;
  };
  for (const Case& c :
       {Case{"", kName, k1251Name}, Case{"", kCafe, kUtf8Cafe}, Case{kUtf8Name, kName + L"x", kUtf8Name + "x"}}) {
    ui.SetText(edit, c.set);
    ::SetWindowTextW(WindowOf(edit), c.typed.c_str());  // as the user leaves it
    EXPECT_EQ(ui.GetText(edit), c.got);
  }
  const std::wstring copied = kName + L" \u263a";
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (copied.size() + 1) * sizeof(wchar_t));
  std::wcscpy(static_cast<wchar_t*>(::GlobalLock(data)), copied.c_str());
  ::GlobalUnlock(data);
  ::SetClipboardData(CF_UNICODETEXT, data);
  ::CloseClipboard();
  EXPECT_EQ(ui.ClipboardText(), kUtf8Name + " \xE2\x98\xBA") << "UTF-8 when Windows-1251 cannot hold it, not a \"?\"";
}

}  // namespace
