// TKXMessage, the modal message box owned by the main window, reporting the button pressed.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"
#include "runtime/save_failure.h"

class TKXMessage : public TKXObject {
 public:
  std::string Message;
  std::string Caption;
  int32_t Type = 0;  // buttons: 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel, 4 Retry/Cancel, 5 Abort/Retry/Ignore
  int32_t Icon = 0;  // 0 none, 1 error, 2 question, 3 warning, 4 information, 5 warning

  TEventLink dataMessage;  // default Message
  TEventLink dataCaption;  // default Caption
  // The pressed button: 1 OK, 2 Cancel (also when closed), 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No;
  // 0 when the box could not be shown.
  TEventLink onMessage;

  void doMessage(TData& value, uint16_t index);
};

// Makes `box` the one that tells a failure with a file (a save, a read, a copy): the caption
// "Error:" and the error icon.
inline TKXMessage& AsFailureBox(TKXMessage& box) {
  box.Caption = kSaveFailureCaption;
  box.Icon = 1;
  return box;
}
