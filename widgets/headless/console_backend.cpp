#include "widgets/headless/console_backend.h"

#include <iostream>

namespace widgets {

MessageAnswer ConsoleBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                             MessageButtons buttons, MessageIcon icon) {
  // Lines end with LF on a terminal.
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) shown += text[i];
  std::cerr << caption << " " << shown << "\n";
  switch (buttons) {
    case MessageButtons::Ok: QueueMessageAnswer(MessageAnswer::Ok); break;
    case MessageButtons::YesNo: QueueMessageAnswer(MessageAnswer::No); break;
    case MessageButtons::AbortRetryIgnore: QueueMessageAnswer(MessageAnswer::Abort); break;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
    case MessageButtons::RetryCancel: QueueMessageAnswer(MessageAnswer::Cancel); break;
  }
  return HeadlessBackend::ShowMessageBox(owner, text, caption, buttons, icon);
}

}  // namespace widgets
