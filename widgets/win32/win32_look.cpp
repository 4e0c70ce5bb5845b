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

HCURSOR CursorFor(Cursor cursor) {
  // The system's cursor resources; the ones it lacks (drag, split) are stood in for.
  static const std::map<Cursor, int> resources = {
      {Cursor::Arrow, 32512},     {Cursor::Cross, 32515},     {Cursor::IBeam, 32513},    {Cursor::Size, 32640},
      {Cursor::Icon, 32641},      {Cursor::SizeAll, 32646},   {Cursor::SizeNESW, 32643}, {Cursor::SizeNS, 32645},
      {Cursor::SizeNWSE, 32642},  {Cursor::SizeWE, 32644},    {Cursor::UpArrow, 32516},  {Cursor::HourGlass, 32514},
      {Cursor::Drag, 32512},      {Cursor::NoDrop, 32648},    {Cursor::HSplit, 32644},   {Cursor::VSplit, 32645},
      {Cursor::MultiDrag, 32512}, {Cursor::SqlWait, 32650},   {Cursor::No, 32648},       {Cursor::AppStart, 32650},
      {Cursor::Help, 32651},      {Cursor::HandPoint, 32649},
  };
  const auto found = resources.find(cursor);
  if (found == resources.end()) return nullptr;  // the default, and no cursor at all
  return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(found->second));
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
