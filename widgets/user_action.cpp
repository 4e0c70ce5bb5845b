#include "widgets/user_action.h"

#include "runtime/platform/files.h"
#include "runtime/save_failure.h"
#include "widgets/backend.h"

TUserAction::TUserAction() : lock_("the Veltrane window") {
  if (lock_.Held()) return;
  widgets::CurrentBackend().ShowMessageBox(widgets::MainWindowControl(), FolderLockedMessage(lock_.Why()),
                                           kSaveFailureCaption, widgets::MessageButtons::Ok,
                                           widgets::MessageIcon::Error);
}

std::string FolderLockedMessage(const std::string& why) {
  std::string text = why + ". Nothing was changed; try again when it has finished.";
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 32);
  return text;
}
