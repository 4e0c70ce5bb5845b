// TKXMessage, the modal message box owned by the main window, reporting the button pressed.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"
#include "runtime/save_failure.h"

// The codes of a box's Type (its buttons), of its Icon (5 is the exclamation mark, which the
// window systems show as the warning sign), and of the button pressed, as the settings and
// the schemes give them.
enum MessageButtonsCode : int32_t {
  kButtonsOk = 0,
  kButtonsOkCancel = 1,
  kButtonsYesNo = 2,
  kButtonsYesNoCancel = 3,
  kButtonsRetryCancel = 4,
  kButtonsAbortRetryIgnore = 5
};
enum MessageIconCode : int32_t {
  kIconNone = 0,
  kIconError = 1,
  kIconQuestion = 2,
  kIconWarning = 3,
  kIconInformation = 4,
  kIconExclamation = 5
};
enum MessageAnswerCode : int32_t {
  kAnswerNone = 0,
  kAnswerOk = 1,
  kAnswerCancel = 2,
  kAnswerAbort = 3,
  kAnswerRetry = 4,
  kAnswerIgnore = 5,
  kAnswerYes = 6,
  kAnswerNo = 7
};

class TKXMessage : public TKXObject {
 public:
  std::string Message;
  std::string Caption;
  int32_t Type = kButtonsOk;  // a MessageButtonsCode
  int32_t Icon = kIconNone;   // a MessageIconCode

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
  box.Icon = kIconError;
  return box;
}
