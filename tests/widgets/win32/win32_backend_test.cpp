// What only the Win32 backend shows: native styles and texts, pixels, the messages its
// controls get from the system (run under Wine in CI). What every backend does alike is in
// the contract (win32_contract_test.cpp).
#include "widgets/win32/win32_backend.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "widgets/widget_fixture.h"
#include "widgets/win32/win32_user.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;
using widgets::WindowOf;
using win32user::NativeText;
using Ints = std::vector<int>;

using Win32Backend = NativeFormTest<widgets::Win32Backend>;

// ---- the window and its controls ----

TEST_F(Win32Backend, a_form_without_a_sizing_frame_loses_its_maximize_box_and_shows_its_caption_and_icon) {
  ui.SetText(form, "Veltrane v2.0");
  EXPECT_EQ(NativeText(WindowOf(form)), L"Veltrane v2.0");
  ui.SetStyle(form, ui.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  EXPECT_EQ(::GetWindowLongW(WindowOf(form), GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(::GetWindowLongW(WindowOf(form), GWL_STYLE) & WS_MINIMIZEBOX, 0);
  ui.SetIcon(form, "ICON0");
  EXPECT_NE(::SendMessageW(WindowOf(form), WM_GETICON, ICON_BIG, 0), 0);  // the resource linked into the program
}

// The native bar reads leading tabs itself: one centres the text, two right-align it.
TEST_F(Win32Backend, the_status_bar_gets_its_alignment_as_leading_tabs) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  struct Case { std::string text; widgets::Alignment alignment; std::wstring shown; };
  for (const Case& c : {Case{"\tVeltrane v2.0 (2.3.2).", widgets::Alignment::Left, L"\tVeltrane v2.0 (2.3.2)."},
                        Case{"Ready", widgets::Alignment::Center, L"\tReady"},
                        Case{"Ready", widgets::Alignment::Right, L"\t\tReady"},
                        Case{"\tReady", widgets::Alignment::Right, L"\tReady"}}) {
    ui.SetAlignment(bar, c.alignment);
    ui.SetText(bar, c.text);
    wchar_t text[64] = {};
    ::SendMessageW(WindowOf(bar), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), c.shown);
  }
}

TEST_F(Win32Backend, bringing_a_control_to_the_front_also_shows_it) {
  const ControlId lower = Make(ControlKind::Panel, nullptr, 0, 20, 300, 200);
  ui.SetVisible(lower, false);
  ui.SetZOrder(lower, true);
  EXPECT_TRUE(ui.IsVisible(lower));
}

TEST_F(Win32Backend, panel_bevels_are_drawn_inside_the_client_area) {
  using widgets::Bevel;
  struct Case { Bevel inner, outer; COLORREF top_left; };
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

TEST_F(Win32Backend, the_native_list_counts_the_rows_and_shows_the_selection_after_every_change) {
  const ControlId list = Make(ControlKind::ListBox);
  HWND native = WindowOf(list);
  ui.SetItems(list, {"a", "b", "c", "d"});
  EXPECT_EQ(::SendMessageW(native, LB_GETCOUNT, 0, 0), 4);
  ui.SetSelection(list, 1);
  EXPECT_EQ(::SendMessageW(native, LB_GETCURSEL, 0, 0), 1);
  ui.InsertItem(list, 0, "top");
  EXPECT_EQ((Ints{int(::SendMessageW(native, LB_GETCOUNT, 0, 0)), int(::SendMessageW(native, LB_GETCURSEL, 0, 0))}),
            (Ints{5, 2}));
  ui.DeleteItem(list, 2);
  EXPECT_EQ((Ints{int(::SendMessageW(native, LB_GETCOUNT, 0, 0)), int(::SendMessageW(native, LB_GETCURSEL, 0, 0))}),
            (Ints{4, LB_ERR}));
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

// "пример.рф" and "café.fr" in UTF-8, and "пример.рф" in Windows-1251.
const std::string kUtf8Name = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84";
const std::string kUtf8Cafe = "caf\xC3\xA9.fr";
const std::string k1251Name = "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4";
const std::wstring kName = L"\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444", kCafe = L"caf\u00e9.fr";

std::wstring ComboItemText(HWND combo, int index) {
  wchar_t text[64] = {};
  ::SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
  return text;
}

// The message of a message box: the text of its static control that has one (the icon's has none).
BOOL CALLBACK TakeStaticText(HWND child, LPARAM into) {
  wchar_t kind[16] = {};
  ::GetClassNameW(child, kind, 16);
  const std::wstring text = NativeText(child);
  if (std::wstring(kind) == L"Static" && !text.empty()) *reinterpret_cast<std::wstring*>(into) = text;
  return TRUE;
}

std::wstring BoxText(HWND box) {
  std::wstring found;
  ::EnumChildWindows(box, &TakeStaticText, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(Win32Backend, texts_in_utf8_show_as_utf8_and_texts_in_windows_1251_as_windows_1251) {
  const ControlId edit = Make(ControlKind::Edit), label = Make(ControlKind::Label), button = Make(ControlKind::Button);
  const ControlId combo = Make(ControlKind::ComboBox), tabs = Make(ControlKind::TabStrip);
  ui.SetText(edit, "C:\\Program Files\\\xC2\xE5\xEB\xFC\\Lists\\Misc.txt");
  EXPECT_EQ(NativeText(WindowOf(edit)), L"C:\\Program Files\\\u0412\u0435\u043b\u044c\\Lists\\Misc.txt");
  ui.SetText(edit, kUtf8Cafe);
  ui.SetText(label, kUtf8Name);
  ui.SetText(button, k1251Name);
  ui.SetItems(combo, {kUtf8Cafe, k1251Name});
  ui.SetItems(tabs, {kUtf8Name});
  EXPECT_EQ(NativeText(WindowOf(edit)), kCafe);
  EXPECT_EQ(NativeText(WindowOf(label)), kName);
  EXPECT_EQ(NativeText(WindowOf(button)), kName);
  EXPECT_EQ(ComboItemText(WindowOf(combo), 0), kCafe);
  EXPECT_EQ(ComboItemText(WindowOf(combo), 1), kName);
  wchar_t tab[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = tab;
  item.cchTextMax = 64;
  ::SendMessageW(WindowOf(tabs), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(tab), kName);
  std::wstring caption, text;
  win32user::AnswerModal([&](HWND box) {
    caption = NativeText(box);
    text = BoxText(box);
    ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  });
  ui.ShowMessageBox(form, "Added " + kUtf8Cafe, "Caption \xC2", widgets::MessageButtons::Ok, widgets::MessageIcon::None);
  EXPECT_EQ(caption, L"Caption \u0412");
  EXPECT_EQ(text, L"Added " + kCafe);
}

// What the user leaves in an edit: Windows-1251 when every character fits (and the bytes do
// not read as UTF-8), UTF-8 otherwise; a text set in UTF-8 stays UTF-8. So is the clipboard's.
TEST_F(Win32Backend, typed_text_is_windows_1251_when_it_fits_and_utf8_otherwise_and_an_edited_utf8_text_stays_utf8) {
  const ControlId edit = Make(ControlKind::Edit);
  struct Case { std::string set; std::wstring typed; std::string got; };
  for (const Case& c : {Case{"", kName, k1251Name}, Case{"", kCafe, kUtf8Cafe},
                        Case{"", L"\u0416\u0401", "\xD0\x96\xD0\x81"},  // as 1251 bytes it would show as "ƨ"
                        Case{kUtf8Name, kName + L"x", kUtf8Name + "x"}, Case{k1251Name, kName + L"x", k1251Name + "x"},
                        Case{k1251Name, kName, k1251Name}}) {
    ui.SetText(edit, c.set);
    ::SetWindowTextW(WindowOf(edit), c.typed.c_str());  // as the user leaves it
    EXPECT_EQ(ui.GetText(edit), c.got);
  }
  for (const std::wstring& copied : {std::wstring(L"\u041f\u0440\u0438\u0432\u0435\u0442 \u263a"),
                                      std::wstring(L"\u041f\u0440\u0438\u0432\u0435\u0442")}) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (copied.size() + 1) * sizeof(wchar_t));
    std::wcscpy(static_cast<wchar_t*>(::GlobalLock(data)), copied.c_str());
    ::GlobalUnlock(data);
    ::SetClipboardData(CF_UNICODETEXT, data);
    ::CloseClipboard();
    EXPECT_EQ(ui.ClipboardText(), copied.size() > 6 ? "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x98\xBA"
                                                    : "\xCF\xF0\xE8\xE2\xE5\xF2")
        << "in UTF-8 when Windows-1251 cannot hold it, not with a question mark";
  }
}

}  // namespace
