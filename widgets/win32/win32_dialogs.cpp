// The Win32 backend's modal dialogs, the shell and the clipboard.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "runtime/platform/code_page.h"
#include "widgets/backend_codes.h"
#include "widgets/win32/win32_backend.h"
#include "widgets/win32/win32_control.h"

namespace widgets {

using win32impl::PathBytes;
using win32impl::Wide;
using win32impl::WidePath;

namespace {

// "Text File|*.txt|All Files|*.*" -> the pairs separated and ended by NULs, as the dialogs take them.
std::wstring DialogFilter(const std::string& filter) {
  std::wstring pairs = Wide(filter);
  if (pairs.empty()) return std::wstring(2, L'\0');
  std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
  pairs.append(2, L'\0');
  return pairs;
}

UINT ButtonsStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel: return MB_OKCANCEL;
    case MessageButtons::YesNo: return MB_YESNO;
    case MessageButtons::YesNoCancel: return MB_YESNOCANCEL;
    case MessageButtons::RetryCancel: return MB_RETRYCANCEL;
    case MessageButtons::AbortRetryIgnore: return MB_ABORTRETRYIGNORE;
    case MessageButtons::Ok: break;
  }
  return MB_OK;
}

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::None: break;
  }
  return 0;
}

}  // namespace

std::optional<FileDialogAnswer> Win32Backend::RunFileDialog(const FileDialogRequest& request) {
  std::wstring file(32768, L'\0');
  const std::wstring initial = WidePath(request.initial_name);
  std::copy_n(initial.begin(), std::min(initial.size(), file.size() - 1), file.begin());
  const std::wstring filter = DialogFilter(request.filter);
  const std::wstring title = Wide(request.title);
  const std::wstring start_dir = WidePath(request.start_dir);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Window(MainWindowControl());
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = DWORD(std::max(0, request.filter_index) + 1);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrInitialDir = start_dir.empty() ? nullptr : start_dir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
              OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  const BOOL confirmed = request.save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
  if (!confirmed) return std::nullopt;  // cancelled, closed, or the dialog could not open
  file.resize(std::wcslen(file.c_str()));
  if (file.empty()) return std::nullopt;
  return FileDialogAnswer{PathBytes(file), int(ofn.nFilterIndex > 0 ? ofn.nFilterIndex - 1 : 0)};
}

MessageAnswer Win32Backend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                           MessageButtons buttons, MessageIcon icon) {
  HWND owner_window = Window(owner);
  const UINT modality = owner_window ? MB_APPLMODAL : MB_TASKMODAL;
  // The system's button identifiers are the program's codes (Esc and closing give Cancel); 0
  // when the box could not be shown.
  const int pressed = ::MessageBoxW(owner_window, Wide(text).c_str(), Wide(caption).c_str(),
                                    ButtonsStyle(buttons) | IconStyle(icon) | modality);
  return AnswerFromCode(pressed).value_or(MessageAnswer::None);
}

void Win32Backend::OpenDocument(const std::string& target) {
  if (target.empty()) return;
  ::ShellExecuteW(nullptr, L"open", WidePath(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string Win32Backend::ClipboardText() {
  if (!::OpenClipboard(nullptr)) return {};
  std::string text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = platform::TextFromWide(std::wstring_view(chars));  // as if typed
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

}  // namespace widgets
