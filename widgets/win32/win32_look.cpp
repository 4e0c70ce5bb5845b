// Fonts, colours and cursors of the program's properties as the system gives them.
#include <algorithm>
#include <map>

#include "widgets/win32/win32_control.h"

namespace widgets::win32impl {

HFONT MakeFont(const TFontRec& font) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  const int points = font.size > 0 ? font.size : 8;
  const std::wstring face = Wide(font.name.substr(0, LF_FACESIZE - 1));
  return ::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, (font.style & 1) ? FW_BOLD : FW_NORMAL,
                       (font.style & 2) ? TRUE : FALSE, (font.style & 4) ? TRUE : FALSE,
                       (font.style & 8) ? TRUE : FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.empty() ? L"MS Sans Serif" : face.c_str());
}

COLORREF ResolveColor(uint32_t color) {
  const uint32_t top = color >> 24;
  // A system colour by its index in the low byte (the top byte 0xFF, or 0x80 as some writers use).
  if (top == 0xFF || top == 0x80) return ::GetSysColor(int(color & 0xFF));
  return RGB(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

HCURSOR CursorFor(int cursor) {
  if (cursor == 0) return nullptr;
  // Both the classic negative cursor numbers and the system cursor resource numbers.
  static const std::map<int, int> system = {
      {-2, 32512}, {-3, 32515}, {-4, 32513}, {-5, 32646}, {-6, 32643}, {-7, 32645}, {-8, 32642},
      {-9, 32644}, {-10, 32516}, {-11, 32514}, {-12, 32512}, {-13, 32648}, {-14, 32644}, {-15, 32645},
      {-16, 32512}, {-17, 32650}, {-18, 32648}, {-19, 32650}, {-20, 32651}, {-21, 32649}, {-22, 32646},
  };
  int resource = cursor;
  if (cursor < 0) {
    const auto found = system.find(cursor);
    if (found == system.end()) return nullptr;
    resource = found->second;
  }
  if (resource < 32512 || resource > 32651) return nullptr;
  return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(resource));
}

int ItemHeight(HWND list, HFONT font) {
  HDC dc = ::GetDC(list);
  HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  if (old) ::SelectObject(dc, old);
  ::ReleaseDC(list, dc);
  return std::max(8, int(metrics.tmHeight) + 1);
}

}  // namespace widgets::win32impl
