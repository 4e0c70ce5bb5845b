// The Win32 backend driven as the elements drive it, with the user played on the real
// controls through the messages the system sends them (run under Wine in CI).
#include "widgets/win32/win32_backend.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"
#include "widgets/widget_fixture.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;
using widgets::WindowOf;
using Ints = std::vector<int>;

// Acts on the next dialog of this thread as soon as it is up (file dialog, message box):
// a thread timer runs inside the dialog's own modal loop.
std::function<void(HWND)> g_act;

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
  if (!dialog || !g_act) return;
  ::KillTimer(nullptr, timer);
  auto act = std::move(g_act);
  g_act = nullptr;
  act(dialog);
}

void AnswerModal(std::function<void(HWND)> act) {
  g_act = std::move(act);
  ::SetTimer(nullptr, 0, 20, &OnTimer);
}

void Press(HWND dialog, int button) { ::SendMessageW(::GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

std::wstring NativeText(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

void Click(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::SendMessageW(window, WM_LBUTTONUP, 0, where);
}

POINT RowCentre(HWND list, int row) {
  RECT r{};
  ::SendMessageW(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

using Win32BackendTest = NativeFormTest<widgets::Win32Backend>;

// ---- controls, the window and their state ----

TEST_F(Win32BackendTest, EveryControlKindKeepsGeometryTextStateAndVisibility) {
  for (ControlKind kind : {ControlKind::Panel, ControlKind::TabStrip, ControlKind::Button, ControlKind::Edit,
                           ControlKind::Label, ControlKind::CheckBox, ControlKind::RadioButton,
                           ControlKind::ListBox, ControlKind::ComboBox}) {
    const ControlId id = Make(kind, nullptr, 12, 34, 150, 60);
    ASSERT_NE(id, widgets::kNoControl);
    EXPECT_EQ(Geometry(id), (Ints{12, 34, 150, 60})) << int(kind);
    if (kind != ControlKind::TabStrip && kind != ControlKind::ListBox && kind != ControlKind::ComboBox) {
      ui.SetText(id, "Load from:");
      EXPECT_EQ(ui.GetText(id), "Load from:");
    }
    ui.SetEnabled(id, false);
    EXPECT_FALSE(::IsWindowEnabled(WindowOf(id)));
    EXPECT_TRUE(ui.IsVisible(id));
    ui.SetVisible(id, false);
    EXPECT_FALSE(ui.IsVisible(id));
  }
  EXPECT_EQ(ui.Create(ControlKind::Button, widgets::kNoControl, nullptr), widgets::kNoControl);
}

TEST_F(Win32BackendTest, FormKeepsItsFrameLosesTheMaximizeBoxAndTheLoopEndsWhenItAgreesToClose) {
  EXPECT_EQ(Geometry(form), (Ints{20, 105, 621, 440}));
  ui.SetText(form, "Veltrane v2.0");
  EXPECT_EQ(NativeText(WindowOf(form)), L"Veltrane v2.0");
  ui.SetStyle(form, ui.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  EXPECT_EQ(::GetWindowLongW(WindowOf(form), GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(::GetWindowLongW(WindowOf(form), GWL_STYLE) & WS_MINIMIZEBOX, 0);
  ui.SetIcon(form, "ICON0");
  EXPECT_NE(::SendMessageW(WindowOf(form), WM_GETICON, ICON_BIG, 0), 0);  // the resource linked into the program
  ui.Show(form);
  ui.Show(form);
  EXPECT_EQ(form_events.shown, 1);
  EXPECT_EQ(Geometry(form), (Ints{20, 105, 621, 440}));

  form_events.allow_close = false;
  ui.RequestClose(form);
  EXPECT_TRUE(ui.IsVisible(form));
  form_events.allow_close = true;
  ::PostMessageW(WindowOf(form), WM_CLOSE, 0, 0);  // as the close box does
  ui.RunMessageLoop();
  EXPECT_EQ(form_events.asked, 2);
  EXPECT_FALSE(ui.IsVisible(form));
  ui.RunMessageLoop();  // the main window is gone: returns at once
}

// The pages fill the client area the outer size would give without a frame: the window grows
// until the bar covers none of their controls, and to the program it keeps the size it asked for.
TEST_F(Win32BackendTest, StatusBarSpansTheBottomBelowThePagesAndStaysAboveThem) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  const ControlId page = Make(ControlKind::Panel, nullptr, 0, 20, 616, 390);
  ui.SetText(bar, "\tVeltrane v2.0 (2.3.2).");
  EXPECT_EQ(ui.GetText(bar), "\tVeltrane v2.0 (2.3.2).");
  RECT client{}, bar_rect{};
  ::GetClientRect(WindowOf(form), &client);
  ::GetWindowRect(WindowOf(bar), &bar_rect);
  ::MapWindowPoints(nullptr, WindowOf(form), reinterpret_cast<POINT*>(&bar_rect), 2);
  EXPECT_EQ(bar_rect.right - bar_rect.left, client.right);
  EXPECT_EQ(bar_rect.bottom, client.bottom);
  EXPECT_GE(bar_rect.top, 20 + 390);
  EXPECT_EQ(Geometry(form), (Ints{20, 105, 621, 440}));
  wchar_t text[64] = {};
  ::SendMessageW(WindowOf(bar), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"\tVeltrane v2.0 (2.3.2).");
  ui.SetZOrder(page, true);
  const POINT inside_bar{10, bar_rect.top + 2};
  EXPECT_EQ(::ChildWindowFromPointEx(WindowOf(form), inside_bar, CWP_SKIPINVISIBLE), WindowOf(bar));
}

TEST_F(Win32BackendTest, ZOrderDecidesWhichOverlappingPanelIsOnTop) {
  const ControlId lower = Make(ControlKind::Panel, nullptr, 0, 20, 300, 200);
  const ControlId upper = Make(ControlKind::Panel, nullptr, 0, 20, 300, 200);
  ui.SetZOrder(upper, true);
  HWND window = WindowOf(form);
  const POINT at{50, 50};
  EXPECT_EQ(::ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE), WindowOf(upper));
  ui.SetVisible(lower, false);
  ui.SetZOrder(lower, true);  // shows it as well
  EXPECT_TRUE(ui.IsVisible(lower));
  EXPECT_EQ(::ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE), WindowOf(lower));
  ui.SetZOrder(lower, false);
  EXPECT_EQ(::ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE), WindowOf(upper));
}

TEST_F(Win32BackendTest, PanelBevelsAreDrawnInsideTheClientArea) {
  struct Case { int inner, outer; COLORREF top_left; };
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  for (const Case& c : {Case{2, 1, dark}, Case{0, 2, light}, Case{0, 0, ::GetSysColor(COLOR_BTNFACE)}}) {
    const ControlId panel = Make(ControlKind::Panel, nullptr, 0, 20, 100, 80);
    ui.SetPanelFrame(panel, c.inner, c.outer, 1, 1);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 100, 80);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageW(WindowOf(panel), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SendMessageW(WindowOf(panel), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(::GetPixel(dc, 0, 0), c.top_left) << c.inner << c.outer;
    if (c.outer == 1) {
      EXPECT_EQ(::GetPixel(dc, 2, 2), light);  // a raised inner bevel behind the border
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
  }
}

// ---- what the user does ----

TEST_F(Win32BackendTest, ClicksReportAfterTheNativeStateChangedAndSetCheckedIsSilent) {
  Counts button_events, check_events, radio_events, label_events;
  const ControlId button = Make(ControlKind::Button, &button_events);
  const ControlId check = Make(ControlKind::CheckBox, &check_events);
  const ControlId radio = Make(ControlKind::RadioButton, &radio_events);
  const ControlId label = Make(ControlKind::Label, &label_events);
  ::SendMessageW(WindowOf(button), BM_CLICK, 0, 0);
  ::SendMessageW(WindowOf(check), BM_CLICK, 0, 0);
  EXPECT_TRUE(ui.GetChecked(check));
  ::SendMessageW(WindowOf(check), BM_CLICK, 0, 0);
  EXPECT_FALSE(ui.GetChecked(check));
  ::SendMessageW(WindowOf(radio), BM_CLICK, 0, 0);
  ::SendMessageW(WindowOf(radio), BM_CLICK, 0, 0);  // a radio button is never cleared by a click
  EXPECT_TRUE(ui.GetChecked(radio));
  ui.SetChecked(check, true);
  ui.SetChecked(radio, false);
  EXPECT_TRUE(ui.GetChecked(check));
  EXPECT_FALSE(ui.GetChecked(radio));
  Click(WindowOf(label), {5, 5});
  ::SendMessageW(WindowOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ::SendMessageW(WindowOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  ::SendMessageW(WindowOf(label), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ((Ints{button_events.clicked, check_events.clicked, radio_events.clicked, label_events.clicked,
                  label_events.mouse_in, label_events.mouse_out}),
            (Ints{1, 2, 2, 1, 1, 1}));
}

TEST_F(Win32BackendTest, EditReportsEveryChangeOnceAndTheEnterKey) {
  Counts events;
  const ControlId edit = Make(ControlKind::Edit, &events);
  ui.SetText(edit, "x");
  ui.SetText(edit, "x");  // the same text still counts as set
  EXPECT_EQ(events.changed, 2);
  ::SendMessageW(WindowOf(edit), EM_SETSEL, 1, 1);
  ::SendMessageW(WindowOf(edit), WM_CHAR, L'y', 0);
  EXPECT_EQ(events.changed, 3);
  EXPECT_EQ(ui.GetText(edit), "xy");
  ::SendMessageW(WindowOf(edit), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(events.entered, 1);
  EXPECT_EQ(ui.GetText(edit), "xy");
}

TEST_F(Win32BackendTest, ListBoxReportsEveryClickOfTheUserAndNoSelectionOfTheProgram) {
  Counts events;
  const ControlId list = Make(ControlKind::ListBox, &events);
  ui.SetItems(list, {"a", "b", "c", "d"});
  ui.Show(form);
  HWND native = WindowOf(list);
  EXPECT_EQ(::SendMessageW(native, LB_GETCOUNT, 0, 0), 4);
  Click(native, RowCentre(native, 2));
  EXPECT_EQ(ui.GetSelection(list), 2);
  EXPECT_EQ(events.selected, 1);
  Click(native, RowCentre(native, 2));  // the row already selected: still the user's choice
  EXPECT_EQ(events.selected, 2);
  Click(native, RowCentre(native, 0));
  EXPECT_EQ(ui.GetSelection(list), 0);
  EXPECT_EQ(events.selected, 3);

  ui.SetSelection(list, 1);
  EXPECT_EQ(::SendMessageW(native, LB_GETCURSEL, 0, 0), 1);
  ui.InsertItem(list, 0, "top");  // the selection stays on its item
  EXPECT_EQ(ui.GetSelection(list), 2);
  EXPECT_EQ(::SendMessageW(native, LB_GETCURSEL, 0, 0), 2);
  ui.DeleteItem(list, 2);  // deleting the selected item leaves none
  EXPECT_EQ(ui.GetSelection(list), -1);
  EXPECT_EQ(::SendMessageW(native, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(events.selected, 3);
  ui.SetItem(list, 1, "changed");
  EXPECT_EQ(ui.GetItems(list), (std::vector<std::string>{"top", "changed", "c", "d"}));
  EXPECT_EQ(::SendMessageW(native, LB_GETCOUNT, 0, 0), 4);  // the native list follows every change
}

TEST_F(Win32BackendTest, ComboStartsUnselectedAndReportsUserPicks) {
  Counts events;
  const ControlId combo = Make(ControlKind::ComboBox, &events, 10, 10, 180, 21);
  for (const char* item : {"-Select-", "Advertisement", "Misc"}) ui.InsertItem(combo, -1, item);
  EXPECT_EQ(ui.GetSelection(combo), -1);
  EXPECT_EQ(ui.GetText(combo), "");
  EXPECT_EQ(Geometry(combo)[3], 21);
  ::SetFocus(WindowOf(combo));
  ::SendMessageW(WindowOf(combo), WM_KEYDOWN, VK_DOWN, 0);  // the closed box steps to the first item
  ::SendMessageW(WindowOf(combo), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(events.selected, 2);
  EXPECT_EQ(ui.GetText(combo), "Advertisement");
  ui.SetSelection(combo, 2);
  EXPECT_EQ(ui.GetText(combo), "Misc");
  ui.DeleteItem(combo, 2);
  EXPECT_EQ(ui.GetSelection(combo), -1);
  EXPECT_EQ(events.selected, 2);
}

TEST_F(Win32BackendTest, TabStripReportsTheUsersTabOnly) {
  Counts events;
  const ControlId tabs = Make(ControlKind::TabStrip, &events, 0, 0, 287, 23);
  ui.SetItems(tabs, {"Load / Edit URL", "Export URL", "Setting"});
  ui.Show(form);
  EXPECT_EQ(ui.GetSelection(tabs), 0);
  ui.SetSelection(tabs, 2);
  EXPECT_EQ(events.selected, 0);
  RECT r{};
  ::SendMessageW(WindowOf(tabs), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  Click(WindowOf(tabs), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  EXPECT_EQ(events.selected, 1);
  EXPECT_EQ(ui.GetSelection(tabs), 1);
  EXPECT_EQ(ui.GetItem(tabs, 0), "Load / Edit URL");
}

// ---- text bytes ----

TEST_F(Win32BackendTest, EveryByteButNulSurvivesEditsLabelsButtonsListsCombosAndTabs) {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  const std::string path = "C:\\Program Files\\\xC2\xE5\xEB\xFC\\Lists\\Misc.txt";
  const ControlId edit = Make(ControlKind::Edit), label = Make(ControlKind::Label);
  const ControlId button = Make(ControlKind::Button), list = Make(ControlKind::ListBox);
  const ControlId combo = Make(ControlKind::ComboBox), tabs = Make(ControlKind::TabStrip);
  for (const std::string& text : {bytes, path}) {
    for (ControlId id : {edit, label, button}) ui.SetText(id, text);
    for (ControlId id : {list, combo, tabs}) ui.InsertItem(id, 0, text);
    EXPECT_EQ((std::vector<std::string>{ui.GetText(edit), ui.GetText(label), ui.GetText(button),
                                        ui.GetItem(list, 0), ui.GetItem(combo, 0), ui.GetItem(tabs, 0)}),
              std::vector<std::string>(6, text));
  }
  EXPECT_EQ(NativeText(WindowOf(edit)), L"C:\\Program Files\\\u0412\u0435\u043b\u044c\\Lists\\Misc.txt");

  const std::wstring hello = L"\u041f\u0440\u0438\u0432\u0435\u0442 \u263a";
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (hello.size() + 1) * sizeof(wchar_t));
  std::wcscpy(static_cast<wchar_t*>(::GlobalLock(data)), hello.c_str());
  ::GlobalUnlock(data);
  ::SetClipboardData(CF_UNICODETEXT, data);
  ::CloseClipboard();
  EXPECT_EQ(ui.ClipboardText(), "\xCF\xF0\xE8\xE2\xE5\xF2 ?");
}

// ---- dialogs ----

TEST_F(Win32BackendTest, MessageBoxReturnsTheCodeOfTheButtonPressedAndCancelForEscapeAndClose) {
  struct Case { int type; int press; int code; };
  for (const Case& c : {Case{2, IDYES, 6}, Case{2, IDNO, 7}, Case{0, IDOK, 1}, Case{1, IDCANCEL, 2},
                        Case{3, IDYES, 6}, Case{4, IDRETRY, 4}, Case{5, IDABORT, 3}, Case{5, IDIGNORE, 5}}) {
    std::wstring caption;
    AnswerModal([&](HWND box) {
      caption = NativeText(box);
      Press(box, c.press);
    });
    EXPECT_EQ(ui.ShowMessageBox(form, "Default Setting?", "Caption \xC2", c.type, 2), c.code) << c.type;
    EXPECT_EQ(caption, L"Caption \u0412");
  }
  AnswerModal([](HWND box) { ::PostMessageW(::GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); });
  EXPECT_EQ(ui.ShowMessageBox(form, "This is not BanList!", "Error!", 1, 3), 2);
  AnswerModal([](HWND box) { ::PostMessageW(box, WM_CLOSE, 0, 0); });
  EXPECT_EQ(ui.ShowMessageBox(form, "You do want to see?", "", 3, 5), 2);
}

TEST_F(Win32BackendTest, FileDialogShowsTitleFilterAndPresetAndReturnsTheChosenFile) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::string file = platform::BytesFromWide(temp) + "veltrane-banlist.txt";
  ASSERT_TRUE(platform::WriteFileAtomic(file, "x"));
  std::wstring title;
  AnswerModal([&](HWND dialog) {
    title = NativeText(dialog);
    ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // as the "Open" button does
  });
  const auto answer = ui.RunFileDialog({false, "Open Text File", "Text File|*.txt|All Files|*.*", "", file, 1});
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->path, file);
  EXPECT_EQ(answer->filter_index, 1);
  EXPECT_EQ(title, L"Open Text File");

  AnswerModal([](HWND dialog) { ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(ui.RunFileDialog({true, "Save URL Ban List", "URL Ban List (*.txt)|*.txt", "", ""}), std::nullopt);
  platform::RemoveFile(file);
}

}  // namespace
